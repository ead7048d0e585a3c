#pragma once

#include <QByteArray>
#include <QString>
#include <cstddef>

// What a word file held when we last loaded or saved it, so that before the
// next save we can tell whether another program has changed it since.
//
// A stamp is the file's content (its size and a 64-bit hash), not its
// identity and modification time: those times move in steps of
// milliseconds (of two seconds on a FAT memory stick), so a change of the
// same size soon after our save would pass unseen; and a file rewritten
// with the very same bytes (touched, copied back by a sync tool, saved
// unchanged by an editor) has lost nothing an overwrite would destroy, so
// it is not worth a question. The hash is Qt's own, a few microseconds for
// a full word file: a cryptographic one would cost more than the rest of a
// quiz answer with its save. It guards against accidents, not an attacker.
struct FileStamp {
    enum class State {
        kMissing, // nothing at the name, or a symbolic link that leads nowhere
        kRegular, // a regular file we could read whole
        kUnreadable, // anything else: not a regular file, unreadable, too large
    };
    State state = State::kMissing;
    qint64 size = 0;
    size_t contentHash = 0;

    // The stamp of a regular file holding `content`.
    static FileStamp of(const QByteArray& content);

    // Two stamps are equal when both name no file, or both name a file of
    // the same content. Unreadable stamps are all alike; the stamps our
    // loads and saves give are never unreadable, so against those an
    // unreadable file always counts as a change.
    friend bool operator==(const FileStamp&, const FileStamp&) = default;
};

// The stamp of the word file `file` now. Never waits on a FIFO or reads a
// device.
FileStamp stampOf(const QString& file);
