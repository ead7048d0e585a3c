#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

class Dialogs;

// Text typed for one field of a word record, as the record's CP932 bytes.
// A record is one line of comma-separated fields with no quoting, and other
// tools read our word files, so text that would split the field (a
// half-width comma) or the line (CR, LF or any other control character) is
// refused with a plain message and nullopt. A character with no CP932 code
// raises the codec's Failure. Full-width "，" and "、" are ordinary text.
std::optional<QByteArray> fieldBytes(const QString& text, Dialogs& dialogs);
