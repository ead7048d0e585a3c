#pragma once

#include <QByteArray>
#include <QString>

enum class Replaced {
    kDone,
    // No new file could be made beside it (the folder refuses one); the
    // old file is untouched.
    kNoNewFile,
    // The new content could not be written completely; the old file is
    // untouched.
    kWriteFailed,
};

// Puts `bytes` in place of the content of the file `name` (a regular file
// or nothing; never a symbolic link), all or nothing: the bytes go to a
// file beside it, are flushed to disk and then take its place, so a crash,
// a kill or a full disk leaves either the old content or the new.
Replaced replaceWholeFile(const QString& name, const QByteArray& bytes);
