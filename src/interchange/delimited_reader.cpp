#include "columns.h"
#include "forms.h"

#include <QByteArrayView>
#include <QRegularExpression>
#include <algorithm>
#include <csv.h>
#include <new>
#include <optional>

// CSV and tab-separated text. libcsv does the RFC 4180 part (quoted fields
// with separators, doubled quotes and line breaks inside); around it we keep
// line numbers, read Anki's header lines and find the separator.
namespace interchange {
namespace {

// A line of the text with its line break (CR LF, CR or LF) and without.
struct Line {
    QByteArrayView withBreak;
    QByteArrayView text;
};

std::vector<Line> splitLines(QByteArrayView all)
{
    std::vector<Line> lines;
    qsizetype start = 0;
    while (start < all.size()) {
        qsizetype end = start;
        while (end < all.size() && all[end] != '\n' && all[end] != '\r')
            ++end;
        qsizetype next = end;
        if (next < all.size())
            next += (all[next] == '\r' && next + 1 < all.size() && all[next + 1] == '\n') ? 2 : 1;
        lines.push_back({all.sliced(start, next - start), all.sliced(start, end - start)});
        start = next;
    }
    return lines;
}

struct Record {
    int line = 0;
    QStringList cells;
};

class CsvParser {
public:
    explicit CsvParser(char separator)
    {
        if (csv_init(&parser_, 0) != 0)
            throw std::bad_alloc();
        csv_set_delim(&parser_, static_cast<unsigned char>(separator));
        // libcsv trims blanks around unquoted fields by default; a word's
        // blanks are part of it, as when typed.
        csv_set_space_func(&parser_, [](unsigned char) { return 0; });
    }
    ~CsvParser() { csv_free(&parser_); }
    CsvParser(const CsvParser&) = delete;
    CsvParser& operator=(const CsvParser&) = delete;

    // The records of lines[first..], at most `limit` of them. libcsv reports
    // a record when it ends; it is fed a line at a time so that we know on
    // which line each record began.
    std::vector<Record> parse(const std::vector<Line>& lines, size_t first, size_t limit)
    {
        bool inRecord = false;
        for (size_t i = first; i < lines.size() && records_.size() < limit; ++i) {
            const Line& line = lines[i];
            // libcsv skips line breaks between records: a record begins on
            // the first line with text after the last one ended.
            if (!inRecord && !line.text.isEmpty())
                start_ = int(i) + 1;
            const size_t before = records_.size();
            const auto size = size_t(line.withBreak.size());
            if (csv_parse(&parser_, line.withBreak.data(), size, onField, onRecord, this) != size)
                throw std::bad_alloc(); // libcsv's only error outside strict mode
            inRecord = records_.size() == before && (inRecord || !line.text.isEmpty());
        }
        csv_fini(&parser_, onField, onRecord, this);
        return std::move(records_);
    }

private:
    static void onField(void* field, size_t size, void* self)
    {
        auto* me = static_cast<CsvParser*>(self);
        me->cells_.append(QString::fromUtf8(static_cast<const char*>(field), qsizetype(size)));
    }
    static void onRecord(int, void* self)
    {
        auto* me = static_cast<CsvParser*>(self);
        me->records_.push_back({me->start_, std::move(me->cells_)});
        me->cells_.clear();
    }

    csv_parser parser_{};
    std::vector<Record> records_;
    QStringList cells_;
    int start_ = 0;
};

// Anki's plain-text header: "#key:value" lines before the first note.
struct Header {
    std::optional<char> separator;
    bool html = false;
    std::vector<qsizetype> metaColumns; // guid, note type, deck, tags: not ours
    size_t bodyStart = 0;
};

std::optional<char> separatorNamed(const QString& value)
{
    if (value.size() == 1 && QStringLiteral("\t,;| :").contains(value[0]))
        return char(value[0].unicode());
    const QString name = value.trimmed().toLower();
    if (name == u"tab")
        return '\t';
    if (name == u"comma")
        return ',';
    if (name == u"semicolon")
        return ';';
    if (name == u"pipe")
        return '|';
    if (name == u"space")
        return ' ';
    if (name == u"colon")
        return ':';
    return std::nullopt;
}

Header readHeader(const std::vector<Line>& lines)
{
    static const QRegularExpression form(QStringLiteral("^#([A-Za-z ]+):(.*)$"));
    Header header;
    for (; header.bodyStart < lines.size(); ++header.bodyStart) {
        const auto match = form.match(QString::fromUtf8(lines[header.bodyStart].text));
        if (!match.hasMatch())
            break;
        const QString key = match.captured(1).trimmed().toLower();
        const QString value = match.captured(2);
        if (key == u"separator")
            header.separator = separatorNamed(value);
        else if (key == u"html")
            header.html = value.trimmed().compare(u"true", Qt::CaseInsensitive) == 0;
        else if (key.endsWith(u" column") && value.trimmed().toInt() > 0)
            header.metaColumns.push_back(value.trimmed().toInt() - 1);
    }
    std::sort(header.metaColumns.rbegin(), header.metaColumns.rend());
    return header;
}

// Without a header line saying so, the separator is the one of tab, comma
// and semicolon that splits the first record into the most fields.
char guessSeparator(const std::vector<Line>& lines, size_t first)
{
    char best = '\t';
    qsizetype bestCount = 0;
    for (const char candidate : {'\t', ',', ';'}) {
        const std::vector<Record> records = CsvParser(candidate).parse(lines, first, 1);
        const qsizetype count = records.empty() ? 0 : records.front().cells.size();
        if (count > bestCount) {
            best = candidate;
            bestCount = count;
        }
    }
    return best;
}

// Anki writes fields as HTML unless told "#html:false".
QString plainFromHtml(QString text)
{
    static const QRegularExpression tag(QStringLiteral("<[^>]*>"));
    static const QRegularExpression entity(QStringLiteral("&(#[0-9]{1,7}|#[xX][0-9A-Fa-f]{1,6}|[A-Za-z]+);"));
    text.remove(tag);
    QString out;
    qsizetype done = 0;
    for (auto it = entity.globalMatch(text); it.hasNext();) {
        const auto match = it.next();
        const QString name = match.captured(1);
        QString replacement = match.captured(0);
        if (name.startsWith(u'#')) {
            bool ok = false;
            const bool hex = name.size() > 1 && (name[1] == u'x' || name[1] == u'X');
            const uint code = name.mid(hex ? 2 : 1).toUInt(&ok, hex ? 16 : 10);
            if (ok && code > 0 && code <= 0x10FFFF) {
                const char32_t c = code;
                replacement = QString::fromUcs4(&c, 1);
            }
        } else if (name == u"nbsp") {
            replacement = QStringLiteral(" ");
        } else if (name == u"amp") {
            replacement = QStringLiteral("&");
        } else if (name == u"lt") {
            replacement = QStringLiteral("<");
        } else if (name == u"gt") {
            replacement = QStringLiteral(">");
        } else if (name == u"quot") {
            replacement = QStringLiteral("\"");
        } else if (name == u"apos") {
            replacement = QStringLiteral("'");
        }
        out += QStringView(text).sliced(done, match.capturedStart() - done);
        out += replacement;
        done = match.capturedEnd();
    }
    out += QStringView(text).sliced(done);
    return out;
}

bool blank(const QStringList& cells)
{
    return std::all_of(cells.begin(), cells.end(), [](const QString& c) { return c.trimmed().isEmpty(); });
}

} // namespace

std::vector<ImportRow> readDelimited(const QString& text)
{
    const QByteArray utf8 = text.toUtf8();
    const std::vector<Line> lines = splitLines(utf8);
    const Header header = readHeader(lines);
    const char separator = header.separator ? *header.separator : guessSeparator(lines, header.bodyStart);

    std::vector<ImportRow> rows;
    bool first = true;
    for (Record& record : CsvParser(separator).parse(lines, header.bodyStart, SIZE_MAX)) {
        QStringList& cells = record.cells;
        for (const qsizetype column : header.metaColumns) {
            if (column < cells.size())
                cells.removeAt(column);
        }
        if (header.html) {
            for (QString& cell : cells)
                cell = plainFromHtml(cell);
        }
        if (blank(cells))
            continue;
        while (cells.size() < 5)
            cells.append(QString());
        if (std::exchange(first, false) && isHeaderRow(cells[0], cells[1]))
            continue;
        rows.push_back({record.line, cells[0], cells[1], cells[2], cells[3], cells[4]});
    }
    return rows;
}

} // namespace interchange
