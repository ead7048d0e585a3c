#pragma once

#include <QByteArray>
#include <QString>

// Word files and the preferences file hold code page 932 (Shift-JIS) bytes.
// The store keeps those bytes untouched; text is converted only where it
// meets a widget.
namespace cp932 {

// Bytes to text for display. Bytes that do not decode show as U+FFFD; the
// bytes themselves are never changed by this.
QString decode(const QByteArray& bytes);

// Text from a widget to bytes. The characters Linux input methods produce
// for the JIS-mapped code points are taken to their CP932 codes. A character
// with no CP932 code raises a Failure that names it; nothing is substituted.
QByteArray encode(const QString& text);

// The first character of the text that has no CP932 code, or an empty
// string when every character has one.
QString firstUnencodable(const QString& text);

// "U+XXXX" for the first character of the text (at least four hex digits),
// to name a character a message refuses.
QString codePoint(const QString& character);

// The first whole character of CP932 bytes (one or two bytes).
QByteArray firstCharacter(const QByteArray& bytes);

} // namespace cp932
