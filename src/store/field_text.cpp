#include "store/field_text.h"

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
