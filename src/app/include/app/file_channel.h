#pragma once

#include <QString>
#include <functional>
#include <memory>

class Dialogs;
class InstanceChannel;
class Trainer;

// The running copy's side of the one-copy rule. The hand-over channel
// follows the current word file from the moment its lock is taken, so a
// later start on that file is answered even while this copy still shows its
// first message. A word file for which no lock at all can be had (its
// folder takes no lock file and there is no runtime folder) cannot be kept
// from a second copy: the learner is told so, once a run.
class FileChannel {
public:
    // `comeForward` runs when a later start asks for this copy's window.
    FileChannel(Trainer& trainer, Dialogs& dialogs, std::function<void()> comeForward);
    ~FileChannel();
    FileChannel(const FileChannel&) = delete;
    FileChannel& operator=(const FileChannel&) = delete;

    // The key the channel listens on, or empty.
    QString listeningOn() const;

private:
    void currentChanged();

    Trainer& trainer_;
    Dialogs& dialogs_;
    std::function<void()> comeForward_;
    std::unique_ptr<InstanceChannel> channel_;
    QString key_;
    bool warned_ = false;
};
