#pragma once

#include <QByteArray>
#include <QString>

// The preferences file is a classic private-profile (INI) file: section and
// key names match case-insensitively, values are raw CP932 bytes with no
// escaping (a path keeps its single backslashes), other sections and keys
// survive a write, and lines end in CR LF.
namespace prefs {

inline constexpr const char* kFileName = "plimopref.ini";
inline constexpr const char* kSection = "wordfile";
inline constexpr const char* kKey = "defwordfile";
inline constexpr const char* kDefaultWordFile = "words\\default.txt";

// Values are read through a 2048-byte buffer: a longer one is cut after
// 2047 bytes. A missing file, section or key reads as `fallback`.
QByteArray readString(const QString& file, const QByteArray& section, const QByteArray& key,
                      const QByteArray& fallback);

// Sets the key, adding the section or key where missing. Raises
// "%s に書き込めません" (with the file's name) when the file cannot be written.
void writeString(const QString& file, const QByteArray& section, const QByteArray& key,
                 const QByteArray& value);

// The same on bytes, for the reader and writer alone.
QByteArray valueIn(const QByteArray& content, const QByteArray& section, const QByteArray& key,
                   const QByteArray& fallback);
QByteArray withValue(const QByteArray& content, const QByteArray& section, const QByteArray& key,
                     const QByteArray& value);

} // namespace prefs
