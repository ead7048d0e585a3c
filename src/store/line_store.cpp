#include "store/line_store.h"

#include <algorithm>
#include <cstring>

namespace {
const QByteArray kEmpty;
}

const QByteArray& LineStore::ReadLine(int index) const
{
    if (index < 0 || index >= LineCount())
        return kEmpty;
    return lines_[static_cast<size_t>(index)];
}

void LineStore::WriteLine(int index, const QByteArray& text)
{
    if (index >= 0 && index < LineCount()) {
        lines_[static_cast<size_t>(index)] = text;
    } else if (index == LineCount() && (endsWithBreak_ || lines_.empty())) {
        if (text.isEmpty())
            return; // the open end already reads as empty
        lines_.push_back(text);
        endsWithBreak_ = false;
    }
    normalise();
}

void LineStore::AppendLine(const QByteArray& text)
{
    const bool breakAtEnd = endsWithBreak_ || lines_.empty();
    lines_.push_back(text);
    endsWithBreak_ = breakAtEnd;
    normalise();
}

void LineStore::InsertLine(int index, const QByteArray& text)
{
    if (index == LineCount()) {
        AppendLine(text);
        return;
    }
    if (index < 0 || index > LineCount())
        return;
    lines_.insert(lines_.begin() + index, text);
    normalise();
}

void LineStore::DeleteLine(int index)
{
    if (index < 0 || index >= LineCount())
        return;
    lines_.erase(lines_.begin() + index);
    normalise();
}

void LineStore::ClearLines()
{
    lines_.clear();
    endsWithBreak_ = false;
}

// An empty last line without a break behind it is no line at all: the text
// "apple CR LF" + "" is "apple CR LF", whose open end reads as empty.
void LineStore::normalise()
{
    while (!lines_.empty() && !endsWithBreak_ && lines_.back().isEmpty()) {
        lines_.pop_back();
        endsWithBreak_ = true;
    }
    if (lines_.empty())
        endsWithBreak_ = false;
}

QByteArray LineStore::text() const
{
    qsizetype size = 0;
    for (const QByteArray& line : lines_)
        size += line.size() + 2;
    if (!endsWithBreak_ && !lines_.empty())
        size -= 2;
    QByteArray out(size, Qt::Uninitialized);
    char* at = out.data();
    for (size_t i = 0; i < lines_.size(); ++i) {
        const QByteArray& line = lines_[i];
        std::memcpy(at, line.constData(), size_t(line.size()));
        at += line.size();
        if (i + 1 < lines_.size() || endsWithBreak_) {
            *at++ = '\r';
            *at++ = '\n';
        }
    }
    return out;
}

void LineStore::setText(const QByteArray& bytes)
{
    lines_.clear();
    endsWithBreak_ = false;
    const char* p = bytes.constData();
    const qsizetype n = bytes.size();
    lines_.reserve(size_t(std::count(p, p + n, '\n')) + 1);
    qsizetype start = 0;
    while (start < n) {
        // The next CR or LF; lone ones and CR LF pairs are each one break.
        const void* lf = std::memchr(p + start, '\n', size_t(n - start));
        qsizetype i = lf ? static_cast<const char*>(lf) - p : n;
        if (const void* cr = std::memchr(p + start, '\r', size_t(i - start)))
            i = static_cast<const char*>(cr) - p;
        lines_.emplace_back(p + start, i - start);
        if (i == n)
            break;
        i += (p[i] == '\r' && i + 1 < n && p[i + 1] == '\n') ? 2 : 1;
        start = i;
        endsWithBreak_ = start == n;
    }
    normalise();
}
