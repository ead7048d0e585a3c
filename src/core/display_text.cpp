#include "core/display_text.h"

#include <cmath>

QString AccuracyText(int asked, int correct)
{
    if (asked == 0)
        return QStringLiteral("--");
    const double rate = double(correct) * 100.0 / double(asked);
    // nearbyint rounds ties to even in the default rounding mode.
    return QString::number(static_cast<qlonglong>(std::nearbyint(rate)));
}

QString PartName(int index)
{
    switch (index) {
    case 0: return QStringLiteral("名詞");
    case 1: return QStringLiteral("動詞");
    case 2: return QStringLiteral("形容詞");
    case 3: return QStringLiteral("副詞");
    case 4: return QStringLiteral("熟語");
    default: return {};
    }
}
