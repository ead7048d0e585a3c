#pragma once

#include <QString>

namespace history {

// Why the history could not be read or written. Every one of them leaves the
// word file and its counts alone: the caller tells the learner once and the
// quiz and the test go on without the history.
enum class Problem {
    NotAFile, // a folder, a FIFO, a device … stands at its name (never opened)
    ReadOnly, // the file or its folder refuses writing
    Locked, // another program held it longer than we wait
    Full, // the disk or the file size limit refused more bytes
    Damaged, // truncated, overwritten, or not an SQLite file at all
    Foreign, // an SQLite file, but not a history of ours
    Newer, // written by a later Lexiwren whose layout we do not know
    TooLarge, // more rows or bigger values than we read
    Failed, // any other I/O failure
};

struct Error {
    Problem problem = Problem::Failed;
    bool writing = false; // an answer or a change could not be kept
    QString file;
    QString detail; // SQLite's own words, for a log; never shown alone

    // The one Japanese message the learner sees, naming the file and why.
    QString message() const;
    // The reason in parentheses of that message.
    QString reason() const;
};

} // namespace history
