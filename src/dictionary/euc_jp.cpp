#include "dictionary/euc_jp.h"

namespace dictionary {

bool appendCp932(QByteArrayView euc, QByteArray& out)
{
    const qsizetype start = out.size();
    const auto fail = [&] {
        out.truncate(start);
        return false;
    };
    const qsizetype n = euc.size();
    for (qsizetype i = 0; i < n; ++i) {
        const auto b = static_cast<unsigned char>(euc[i]);
        if (b < 0x80) {
            out.append(char(b));
            continue;
        }
        if (i + 1 >= n)
            return fail();
        const auto t = static_cast<unsigned char>(euc[i + 1]);
        if (b == 0x8E) { // half-width katakana
            if (t < 0xA1 || t > 0xDF)
                return fail();
            out.append(char(t));
            ++i;
            continue;
        }
        if (b < 0xA1 || b > 0xFE || t < 0xA1 || t > 0xFE)
            return fail(); // 0x8F (JIS X 0212) included
        // JIS row and cell, 0x21..0x7E each, to Shift-JIS.
        const int row = b - 0x80;
        const int cell = t - 0x80;
        int lead = (row - 0x21) / 2 + 0x81;
        if (lead > 0x9F)
            lead += 0x40;
        int trail;
        if (row % 2 == 1) {
            trail = cell - 0x21 + 0x40;
            if (trail >= 0x7F)
                ++trail;
        } else {
            trail = cell - 0x21 + 0x9F;
        }
        out.append(char(lead));
        out.append(char(trail));
        ++i;
    }
    return true;
}

std::optional<QByteArray> eucJpToCp932(QByteArrayView euc)
{
    QByteArray out;
    out.reserve(euc.size());
    if (!appendCp932(euc, out))
        return std::nullopt;
    return out;
}

} // namespace dictionary
