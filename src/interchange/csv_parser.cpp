#include "csv_parser.h"

#include "csv_library.h"

#include <algorithm>
#include <exception>
#include <new>

namespace interchange {
namespace {

// libcsv's parser state while inside a field (FIELD_BEGUN of libcsv.c);
// with `quoted` set, that field is a quoted one whose closing quote has not
// come yet. The struct is public in csv.h, its state values are not named.
constexpr int kFieldBegun = 2;

// libcsv is fed at most this much at a time, so that a line of many
// megabytes still lets the reader answer a cancel at once.
constexpr qsizetype kPiece = 64 * 1024;

// libcsv grows the buffer of a field by this much at a time; by its
// default of 128 bytes, a field of megabytes (a line read with the wrong
// separator while guessing it) would be copied over and over.
constexpr size_t kFieldBlock = 256 * 1024;

// An unkept field this long is taken for text without a closer look.
constexpr qsizetype kLongField = 4096;

const QByteArrayView kByteOrderMark("\xEF\xBB\xBF");

// The text of a field, at most one character past kMaxFieldChars. Only the
// bytes that can hold that many characters are decoded (four bytes at most
// for each, one more character for a sequence the cut splits).
QString cellText(QByteArrayView bytes)
{
    const qsizetype most = 4 * (kMaxFieldChars + 2);
    return QString::fromUtf8(bytes.first(std::min(most, bytes.size()))).left(kMaxFieldChars + 1);
}

bool blankBytes(QByteArrayView bytes)
{
    return std::all_of(bytes.begin(), bytes.end(), [](char c) { return c == ' ' || c == '\t'; });
}

} // namespace

CsvParser::CsvParser(char separator, Columns columns) : columns_(std::move(columns))
{
    if (csv::api().init(&parser_, 0) != 0)
        throw std::bad_alloc();
    csv::api().set_delim(&parser_, static_cast<unsigned char>(separator));
    // libcsv trims blanks around unquoted fields by default; a word's
    // blanks are part of it, as when typed.
    csv::api().set_space_func(&parser_, [](unsigned char) { return 0; });
    csv::api().set_blk_size(&parser_, kFieldBlock);
    std::sort(columns_.dropped.begin(), columns_.dropped.end());
}

CsvParser::~CsvParser()
{
    csv::api().free(&parser_);
}

bool CsvParser::insideQuote() const
{
    return parser_.quoted && parser_.pstate == kFieldBegun;
}

void CsvParser::feed(QByteArrayView bytes)
{
    const auto size = size_t(bytes.size());
    const size_t parsed = csv::api().parse(&parser_, bytes.data(), size, onField, onRecord, this);
    if (pending_)
        std::rethrow_exception(std::exchange(pending_, nullptr));
    if (parsed != size)
        throw std::bad_alloc(); // libcsv's only error outside strict mode
}

int CsvParser::parse(QByteArrayView text, qsizetype from, int firstLine, const OnRecord& each,
                     ProgressGate& gate)
{
    onRecord_ = &each;
    stopped_ = false;
    bool inRecord = false;
    int openQuote = 0;
    int line = firstLine - 1;
    for (qsizetype start = from; start < text.size() && !stopped_;) {
        ++line;
        qsizetype end = start;
        while (end < text.size() && text[end] != '\n' && text[end] != '\r')
            ++end;
        qsizetype next = end;
        if (next < text.size())
            next += (text[next] == '\r' && next + 1 < text.size() && text[next + 1] == '\n') ? 2 : 1;

        if (!inRecord && text.sliced(start, end - start).startsWith(kByteOrderMark)) {
            start += kByteOrderMark.size();
            afterMark_ = true;
        }
        // libcsv skips line breaks between records: a record begins on the
        // first line with text after the last one ended.
        const bool hasText = end > start;
        if (!inRecord && hasText)
            start_ = line;
        const bool quoted = insideQuote();
        const qint64 recordsBefore = ended_;
        const qsizetype fieldsBefore = current_.fields;
        for (qsizetype piece = start; piece < next && !stopped_; piece += kPiece) {
            feed(text.sliced(piece, std::min(kPiece, next - piece)));
            gate.at(std::min(piece + kPiece, next));
        }
        const bool sameField = quoted && ended_ == recordsBefore && current_.fields == fieldsBefore;
        inRecord = ended_ == recordsBefore && (inRecord || hasText);
        // A quoted field still open at the end of the line began on it,
        // unless it is the one that was open when the line began.
        openQuote = !insideQuote() ? 0 : sameField ? openQuote : line;
        start = next;
    }
    const int unclosed = stopped_ ? 0 : openQuote;
    if (!stopped_)
        csv::api().fini(&parser_, onField, onRecord, this);
    if (pending_)
        std::rethrow_exception(std::exchange(pending_, nullptr));
    onRecord_ = nullptr;
    return unclosed;
}

// libcsv is C: nothing may be thrown through it. What our callbacks raise
// stops the parse and is raised again once libcsv has returned.
void CsvParser::onField(void* field, size_t size, void* self)
{
    auto* me = static_cast<CsvParser*>(self);
    try {
        me->field(QByteArrayView(static_cast<const char*>(field), qsizetype(size)));
    } catch (...) {
        me->pending_ = std::current_exception();
        me->stopped_ = true;
    }
}

void CsvParser::onRecord(int, void* self)
{
    auto* me = static_cast<CsvParser*>(self);
    try {
        me->record();
    } catch (...) {
        me->pending_ = std::current_exception();
        me->stopped_ = true;
    }
}

void CsvParser::field(QByteArrayView bytes)
{
    if (stopped_)
        return;
    const qsizetype index = current_.fields++;
    const auto dropped = std::lower_bound(columns_.dropped.begin(), columns_.dropped.end(), index);
    if (dropped != columns_.dropped.end() && *dropped == index)
        return;
    const qsizetype column = index - (dropped - columns_.dropped.begin());
    if (column < columns_.kept) {
        current_.cells.append(cellText(bytes));
    } else if (!current_.moreText && !blankBytes(bytes)) {
        current_.moreText = !columns_.html || bytes.size() > kLongField
            || !plainFromHtml(QString::fromUtf8(bytes)).trimmed().isEmpty();
    }
}

void CsvParser::record()
{
    if (stopped_)
        return;
    ++ended_;
    current_.line = start_;
    current_.afterMark = std::exchange(afterMark_, false);
    CsvRecord done = std::move(current_);
    current_ = CsvRecord{};
    if (!(*onRecord_)(std::move(done)))
        stopped_ = true;
}

} // namespace interchange
