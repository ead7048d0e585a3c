#include "field_text.h"

#include "store/codec.h"
#include "ui/dialogs.h"

namespace {

// The message that refuses the text, or an empty string.
QString fieldRefusal(const QString& text)
{
    if (text.contains(QLatin1Char(',')))
        return QStringLiteral("半角のカンマ「,」は使えません。\n全角の「，」か「、」を使ってください。");
    for (const QChar c : text) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7F)
            return QStringLiteral("改行やタブなどの制御文字は使えません。");
    }
    return {};
}

} // namespace

std::optional<QByteArray> fieldBytes(const QString& text, Dialogs& dialogs)
{
    const QString refusal = fieldRefusal(text);
    if (!refusal.isEmpty()) {
        dialogs.message(refusal);
        return std::nullopt;
    }
    return cp932::encode(text);
}
