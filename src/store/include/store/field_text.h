#pragma once

#include <QString>

// A record is one line of comma-separated fields with no quoting, and other
// tools read our word files, so text that would split a field (a half-width
// comma) or the line (CR, LF or any other control character) cannot be
// stored. Full-width "，" and "、" are ordinary text.
//
// The message that refuses such text, or an empty string when the text can
// be a field. Whether every character has a CP932 code is the codec's
// question (cp932::firstUnencodable).
QString fieldRefusal(const QString& text);
