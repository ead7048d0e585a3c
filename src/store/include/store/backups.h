#pragma once

#include <QDateTime>
#include <QSet>
#include <QString>
#include <QStringList>
#include <functional>

// Copies of word files, taken before the first change of a run and before
// 消去 and 初期化, which cannot be undone. A backup is a plain word file, so
// 読み込む opens it like any other; its name tells whose copy it is and when
// it was taken:
//
//   default.txt.3f9a1c2b.2026-12-08T10-15-30.txt
//
// the word file's name, a short hash of its absolute path (two default.txt in
// different folders keep and prune their own copies), the local time, and
// ".txt" for the open dialog's filter. Two copies in one second get "_2",
// "_3" … after the time. The newest 30 copies of each word file are kept.
class Backups {
public:
    static constexpr int kKept = 30;

    explicit Backups(QString folder, std::function<QDateTime()> clock = &QDateTime::currentDateTime);

    const QString& folder() const { return folder_; }

    // Copies the word file byte for byte into the folder (created when
    // missing) and removes its oldest copies beyond the 30 kept. Returns the
    // copy's path; when the newest copy already holds the same bytes, that
    // one, without a new copy. Returns an empty string when there is nothing
    // to keep: no such file, or an empty one. Raises a Failure naming the
    // folder or file when the copy cannot be made; the word file and the
    // existing copies are then untouched.
    QString take(const QString& wordFilePath);

    // Whether this object (one per run) has taken, or been told to go on
    // without, the backup before the word file's first change.
    bool coveredThisRun(const QString& wordFilePath) const;
    // The learner went on without a backup after a failure: later changes of
    // this run do not ask again.
    void goOnWithout(const QString& wordFilePath);

    // The word file's copies, oldest first.
    QStringList of(const QString& wordFilePath) const;

private:
    QString folder_;
    std::function<QDateTime()> clock_;
    QSet<QString> covered_; // absolute paths of word files
};
