#include "store/record.h"

#include "store/failure.h"

#include <cmath>
#include <cstdint>

QByteArray ReadField(const QByteArray& line, int k)
{
    // Field k runs from the (k-1)th comma to the kth; when the line holds
    // fewer fields, the last one present is the answer.
    qsizetype start = 0;
    int commas = 0;
    while (true) {
        const qsizetype comma = line.indexOf(',', start);
        if (comma < 0)
            return line.mid(start);
        ++commas;
        if (commas == k)
            return line.mid(start, comma - start);
        start = comma + 1;
    }
}

QByteArray ReadField(const LineStore& store, int index, int k)
{
    return ReadField(store.ReadLine(index), k);
}

namespace {

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

} // namespace

int StrToInt(const QByteArray& text)
{
    const char* p = text.constData();
    const qsizetype n = text.size();
    qsizetype i = 0;
    while (i < n && p[i] == ' ')
        ++i;

    // Hexadecimal: "$", "x", "X", "0x" or "0X", then 1..8 hex digits.
    qsizetype hexStart = -1;
    if (i < n && (p[i] == '$' || p[i] == 'x' || p[i] == 'X'))
        hexStart = i + 1;
    else if (i + 1 < n && p[i] == '0' && (p[i + 1] == 'x' || p[i + 1] == 'X'))
        hexStart = i + 2;
    if (hexStart >= 0) {
        const qsizetype digits = n - hexStart;
        if (digits < 1 || digits > 8)
            throw Failure::notAnInteger(text);
        uint32_t value = 0;
        for (qsizetype j = hexStart; j < n; ++j) {
            const int d = hexValue(p[j]);
            if (d < 0)
                throw Failure::notAnInteger(text);
            value = value * 16 + static_cast<uint32_t>(d);
        }
        return static_cast<int>(value);
    }

    bool negative = false;
    if (i < n && (p[i] == '+' || p[i] == '-')) {
        negative = p[i] == '-';
        ++i;
    }
    if (i >= n)
        throw Failure::notAnInteger(text);
    int64_t value = 0;
    for (; i < n; ++i) {
        if (p[i] < '0' || p[i] > '9')
            throw Failure::notAnInteger(text);
        value = value * 10 + (p[i] - '0');
        if (value > int64_t(INT32_MAX) + 1)
            throw Failure::notAnInteger(text);
    }
    if (negative)
        value = -value;
    if (value > INT32_MAX || value < INT32_MIN)
        throw Failure::notAnInteger(text);
    return static_cast<int>(value);
}

QByteArray IntToStr(int value)
{
    return QByteArray::number(value);
}

QByteArray CountAsked(const LineStore& store, int index)
{
    const QByteArray& line = store.ReadLine(index);
    const int asked = StrToInt(ReadField(line, kAsked));
    QByteArray out;
    for (int k = kWord; k <= kParts; ++k)
        out += ReadField(line, k) + ',';
    // Wrapping like the 32-bit counter it always was, instead of overflowing.
    out += IntToStr(static_cast<int>(static_cast<uint32_t>(asked) + 1u));
    out += ',';
    out += ReadField(line, kCorrect);
    return out;
}

QByteArray CountCorrect(const LineStore& store, int index)
{
    const QByteArray& line = store.ReadLine(index);
    const int correct = StrToInt(ReadField(line, kCorrect));
    QByteArray out;
    for (int k = kWord; k <= kAsked; ++k)
        out += ReadField(line, k) + ',';
    out += IntToStr(static_cast<int>(static_cast<uint32_t>(correct) + 1u));
    return out;
}

QByteArray ResetCounts(const LineStore& store, int index)
{
    const QByteArray& line = store.ReadLine(index);
    QByteArray out;
    for (int k = kWord; k <= kParts; ++k)
        out += ReadField(line, k) + ',';
    out += "0,0";
    return out;
}

QByteArray AccuracyText(int asked, int correct)
{
    if (asked == 0)
        return QByteArrayLiteral("--");
    const double rate = double(correct) * 100.0 / double(asked);
    // nearbyint rounds ties to even in the default rounding mode.
    const double rounded = std::nearbyint(rate);
    return QByteArray::number(static_cast<qlonglong>(rounded));
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

int VisibleRecords(const LineStore& store, int indices)
{
    int n = 0;
    while (n < indices && !store.ReadLine(n).isEmpty())
        ++n;
    return n;
}
