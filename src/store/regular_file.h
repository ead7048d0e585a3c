#pragma once

#include <QByteArray>
#include <QString>

// Our files (word files, the preferences file) are ordinary files, reached
// directly or through symbolic links. Anything else standing at such a
// name is refused without being read or replaced: a FIFO blocks whoever
// opens it until a writer comes, a device such as /dev/zero never ends, a
// save renamed over /dev/null would replace the system's, and merely
// opening some devices has effects of its own.

struct FileRead {
    enum Outcome { kRead, kMissing, kNotRegular, kTooLarge, kUnreadable };
    Outcome outcome = kUnreadable;
    QByteArray bytes; // the whole content, for kRead only

    // Why nothing was read, in the words shown in parentheses after the
    // fixed message; empty where there is nothing more to say.
    QString reason() const;
};

// The whole content of the regular file at `name`. Missing: nothing there,
// or a symbolic link that leads nowhere. Reading stops once more than
// `limit` bytes have come (at most 64 KiB more), whatever size the file
// claims: files in /proc claim none.
FileRead readRegularFile(const QString& name, qint64 limit);

// What a save to `name` would replace, and the file that takes the bytes:
// the regular file a symbolic link leads to, so the link stays a link.
struct SaveTarget {
    enum Kind { kNothing, kRegular, kNotRegular, kNoLinkTarget, kUnreachable };
    Kind kind = kUnreachable;
    QString file;

    // Whether a save may put its bytes there: a regular file or nothing.
    bool replaceable() const { return kind == kNothing || kind == kRegular; }
    // Why it may not, as FileRead::reason().
    QString reason() const;
};
SaveTarget saveTargetOf(const QString& name);

// Writes `bytes` over the existing regular file `file` in place: written
// from its start, cut to the new length, flushed to disk. Not atomic, so
// only for when no new file can be made beside it. When the new bytes
// cannot all be written, the old ones (read first, at most `limit` of
// them) are put back as far as the disk allows and the answer is false.
bool writeInPlace(const QString& file, const QByteArray& bytes, qint64 limit);
