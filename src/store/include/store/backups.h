#pragma once

#include <QDateTime>
#include <QSet>
#include <QString>
#include <QStringList>
#include <functional>

// Copies of word files, taken before the first change of a run and before
// 消去, 初期化 and an import, which cannot be undone. Each word file keeps
// its copies in a folder of its own inside the backups folder, named after
// the word file and a short hash of its full path, so two default.txt in
// different folders keep and prune their own copies, and a backup lists
// only its own word file's copies however many others there are:
//
//   backups/default.txt.3f9a1c2b/default.txt.000042.2026-12-08T10-15-30+0900.txt
//
// A copy is a plain word file: the word file's name, the copy's number, the
// local time with its offset from UTC, and ".txt". The number orders the
// copies: each new one takes the number after the highest there, so a clock
// set back or a time zone changed (a learner abroad) never makes a new copy
// look older than those kept. The newest 30 copies of each word file are
// kept.
//
// The backups folder holds backups alone: a word file inside it is not
// opened (refusal()), as the next backup's pruning could remove it; a copy
// is restored by copying it out of the folder. Copies an earlier version
// left in the backups folder itself (default.txt.3f9a1c2b.2026-12-08T10-15-
// 30.txt) stay where they are and are never removed.
class Backups {
public:
    static constexpr int kKept = 30;

    explicit Backups(QString folder, std::function<QDateTime()> clock = &QDateTime::currentDateTime);

    const QString& folder() const { return folder_; }

    // Copies the word file byte for byte into its folder (created when
    // missing) and removes its oldest copies beyond the 30 kept, except any
    // a running Lexiwren holds as its word file. Returns the copy's path;
    // when the newest copy already holds the same bytes, that one, without
    // a new copy. Returns an empty string when there is nothing to keep: no
    // such file, or an empty one. Raises a Failure naming the folder or
    // file when the copy cannot be made; the word file and the existing
    // copies are then untouched.
    QString take(const QString& wordFilePath);

    // Whether this object (one per run) has taken, or been told to go on
    // without, the backup before the word file's first change.
    bool coveredThisRun(const QString& wordFilePath) const;
    // The learner went on without a backup after a failure: later changes of
    // this run do not ask again.
    void goOnWithout(const QString& wordFilePath);

    // The word file's copies, oldest first.
    QStringList of(const QString& wordFilePath) const;

    // Why the file at `wordFilePath` may not be a word file (it lies in the
    // backups folder, so pruning could remove it, words and all), naming it
    // `shown` (the file's name when empty), without a final full stop; empty
    // when it may.
    QString refusal(const QString& wordFilePath, const QString& shown = {}) const;

private:
    QString folder_;
    std::function<QDateTime()> clock_;
    QSet<QString> covered_; // absolute paths of word files
};
