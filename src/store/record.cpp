#include "store/record.h"

#include "store/failure.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace {

struct Span {
    qsizetype start;
    qsizetype end;
};

// Where fields 1..count of a line start and end, in one pass, by ReadField's
// rule: field k runs from the (k-1)th comma to the kth, and when the line
// holds fewer fields, every later one reads as the last one present.
void scanFields(const QByteArray& line, Span* spans, int count)
{
    const char* p = line.constData();
    const qsizetype n = line.size();
    qsizetype start = 0;
    int k = 0;
    for (; k < count; ++k) {
        const void* hit = std::memchr(p + start, ',', size_t(n - start));
        if (!hit)
            break;
        const qsizetype comma = static_cast<const char*>(hit) - p;
        spans[k] = {start, comma};
        start = comma + 1;
    }
    for (; k < count; ++k)
        spans[k] = {start, n};
}

template <int count> std::array<Span, count> fieldSpans(const QByteArray& line)
{
    std::array<Span, count> spans{};
    scanFields(line, spans.data(), count);
    return spans;
}

// Appends fields 1..count of the line, each followed by a comma.
template <int count> void appendFields(QByteArray& out, const QByteArray& line)
{
    const std::array<Span, count> spans = fieldSpans<count>(line);
    // A line with at least `count` commas: the fields with their commas are
    // simply its beginning.
    if (spans.back().end < line.size()) {
        out.append(line.constData(), spans.back().end + 1);
        return;
    }
    for (const Span& span : spans) {
        out.append(line.constData() + span.start, span.end - span.start);
        out += ',';
    }
}

// One more answer: a counter that reached the largest 32-bit value stays
// there, where it once wrapped round to the most negative one.
QByteArray oneMore(int count)
{
    return IntToStr(count == INT32_MAX ? count : count + 1);
}

} // namespace

QByteArray ReadField(const QByteArray& line, int k)
{
    // Only as far as field k: the word alone is read for every record on
    // every duplicate check and quiz pool.
    const int count = std::clamp(k, 1, int(kCorrect));
    std::array<Span, kCorrect> spans;
    scanFields(line, spans.data(), count);
    const Span& span = spans[size_t(count - 1)];
    return line.mid(span.start, span.end - span.start);
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

QByteArray NewRecord(const QByteArray& word, const QByteArray& mean, const QByteArray& example,
                     const QByteArray& exampleMean, int part)
{
    return word + ',' + mean + ',' + example + ',' + exampleMean + ',' + IntToStr(part) + ",0,0";
}

QByteArray CountAsked(const LineStore& store, int index)
{
    const QByteArray& line = store.ReadLine(index);
    const int asked = StrToInt(ReadField(line, kAsked));
    QByteArray out;
    out.reserve(line.size() + 12);
    appendFields<kParts>(out, line);
    out += oneMore(asked);
    out += ',';
    out += ReadField(line, kCorrect);
    return out;
}

QByteArray CountCorrect(const LineStore& store, int index)
{
    const QByteArray& line = store.ReadLine(index);
    const int correct = StrToInt(ReadField(line, kCorrect));
    QByteArray out;
    out.reserve(line.size() + 12);
    appendFields<kAsked>(out, line);
    out += oneMore(correct);
    return out;
}

QByteArray ResetCounts(const LineStore& store, int index)
{
    const QByteArray& line = store.ReadLine(index);
    QByteArray out;
    out.reserve(line.size() + 4);
    appendFields<kParts>(out, line);
    out += "0,0";
    return out;
}

int VisibleRecords(const LineStore& store, int indices)
{
    int n = 0;
    while (n < indices && !store.ReadLine(n).isEmpty())
        ++n;
    return n;
}
