#pragma once

#include <QByteArray>
#include <QString>

// Puts `bytes` in place of the file's content, all or nothing: the bytes go
// to a file beside it, are flushed to disk and then take its place, so a
// crash, a kill or a full disk leaves either the old content or the new.
// False when the new content could not be written completely; the old file
// is then untouched.
bool replaceWholeFile(const QString& name, const QByteArray& bytes);
