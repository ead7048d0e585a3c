#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

// The preferences file is a classic private-profile (INI) file: section and
// key names match case-insensitively, values are raw CP932 bytes with no
// escaping (a path keeps its single backslashes), other sections and keys
// survive a write, and lines end in CR LF.
namespace prefs {

inline constexpr const char* kFileName = "plimopref.ini";
inline constexpr const char* kSection = "wordfile";
inline constexpr const char* kKey = "defwordfile";
inline constexpr const char* kDefaultWordFile = "words\\default.txt";

// The largest preferences file we read. Ours holds one line of at most
// 2 kB; the rest is room for comments and sections someone else added.
inline constexpr qint64 kMaxFileBytes = 1024 * 1024;

// Values are read through a 2048-byte buffer: a longer one is cut after
// 2047 bytes. A missing file (or a symbolic link leading nowhere), section
// or key reads as `fallback`.
//
// A file that is there but cannot be read whole raises "ファイル %s は開けま
// せん" (with the file's name): with a reason when it is no regular file (a
// FIFO, a device, a folder, a socket; never waited on or read) or larger
// than kMaxFileBytes, without one when it may not be read. The start shows
// that and goes on with `fallback`, so a broken preferences file is seen
// and never stops the program; writing to it is refused the same way.
QByteArray readString(const QString& file, const QByteArray& section, const QByteArray& key,
                      const QByteArray& fallback);

// Sets the key, adding the section or key where missing. Raises
// "%s に書き込めません" (with the file's name) when the file cannot be written,
// and with a reason when it is no regular file, a link leading nowhere,
// larger than kMaxFileBytes, or when valueRefusal refuses `value`. A symbolic
// link to the file stays a link. Written atomically, like word files, but
// never in place: a folder that takes no new file refuses the write.
void writeString(const QString& file, const QByteArray& section, const QByteArray& key,
                 const QByteArray& value);

// Why the file could not hold `value` whole (a sentence for a message box),
// or an empty string when it reads back exactly as written. Refused: more
// than 2047 bytes (the read buffer would cut it), any control character (CR
// or LF would split the line; the others are no part of a file name), and
// blanks or matching quotes around it (the reader takes them off). The
// texts speak of the default word file, the one value the program stores.
QString valueRefusal(const QByteArray& value);

// The same on bytes, for the reader and writer alone.
QByteArray valueIn(const QByteArray& content, const QByteArray& section, const QByteArray& key,
                   const QByteArray& fallback);
QByteArray withValue(const QByteArray& content, const QByteArray& section, const QByteArray& key,
                     const QByteArray& value);

} // namespace prefs
