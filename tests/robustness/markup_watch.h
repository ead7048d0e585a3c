#pragma once

#include "ui/qt_dialogs.h"

#include <QString>
#include <QStringList>
#include <QTimer>
#include <atomic>
#include <deque>
#include <thread>
#include <vector>

// What the markup tests watch while the real window and its real boxes show
// hostile text.
namespace markup {

// A real FIFO that nothing in this process may open, and a ceiling on the
// process's memory. A thread opens the FIFO's writing end now and then: that
// succeeds only while someone has it open for reading (or waits to), which
// it then notes and lets go on (the reader sees the end of the file), so a
// window frozen on the FIFO comes back and the test can fail. A process that
// grows by 768 MB (an image read from /dev/zero) ends at once with a message.
class Tripwires {
public:
    explicit Tripwires(QString fifo);
    ~Tripwires();
    Tripwires(const Tripwires&) = delete;
    Tripwires& operator=(const Tripwires&) = delete;

    bool fifoOpened() const { return fifoOpened_; }

private:
    void watch(long baseline);

    QString fifo_;
    std::atomic<bool> stop_{false};
    std::atomic<bool> fifoOpened_{false};
    std::thread thread_;
};

// Every label, message box, tooltip and item view on screen that would read
// its text as markup, one line each; empty when all show plain text.
QStringList markupRisks();

// The program's real message boxes and modal dialogs, each closed once it
// has been drawn (a box with OK, a dialog with Cancel); the file dialogs
// answer from a script instead, as no file dialog shows file contents.
class RealBoxes : public QtDialogs {
public:
    struct Shown {
        QString kind; // the class of the box
        QString text; // its text; a dialog's edits and lists one per line
        QStringList risks; // markupRisks() while it was up
    };

    explicit RealBoxes(const QString& startFolder);

    std::optional<QString> openFileName(const QString& title) override;
    std::optional<QString> saveFileName(const QString& title) override;
    std::optional<FileChoice> chooseFile(const QString& title, const QStringList& filters,
                                         bool save) override;

    std::deque<QString> fileAnswers;
    std::vector<Shown> shown;

private:
    void look();

    QTimer poll_;
    int ticks_ = 0;
};

} // namespace markup
