#include "columns.h"
#include "csv_parser.h"
#include "forms.h"

#include <QRegularExpression>
#include <algorithm>
#include <optional>

// CSV and tab-separated text. libcsv does the RFC 4180 part (csv_parser.h);
// around it we read Anki's header lines, find the separator and make rows.
namespace interchange {
namespace {

// Anki's plain-text header: "#key:value" lines before the first note.
struct Header {
    std::optional<char> separator;
    bool html = false;
    std::vector<qsizetype> metaColumns; // guid, note type, deck, tags: not ours
    qsizetype bodyStart = 0; // the byte where the first note's line begins
    int bodyLine = 1;
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

Header readHeader(QByteArrayView text)
{
    static const QRegularExpression form(QStringLiteral("^#([A-Za-z ]+):(.*)$"));
    Header header;
    while (header.bodyStart < text.size() && text[header.bodyStart] == '#') {
        qsizetype end = header.bodyStart;
        while (end < text.size() && text[end] != '\n' && text[end] != '\r')
            ++end;
        const auto match =
            form.match(QString::fromUtf8(text.sliced(header.bodyStart, end - header.bodyStart)));
        if (!match.hasMatch())
            break;
        if (end < text.size())
            end += (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ? 2 : 1;
        header.bodyStart = end;
        ++header.bodyLine;
        const QString key = match.captured(1).trimmed().toLower();
        const QString value = match.captured(2);
        if (key == u"separator")
            header.separator = separatorNamed(value);
        else if (key == u"html")
            header.html = value.trimmed().compare(u"true", Qt::CaseInsensitive) == 0;
        else if (key.endsWith(u" column") && value.trimmed().toInt() > 0)
            header.metaColumns.push_back(value.trimmed().toInt() - 1);
    }
    return header;
}

// Without a header line saying so, the separator is the one of tab, comma
// and semicolon that splits the first record into the most fields.
char guessSeparator(QByteArrayView text, const Header& header, ProgressGate& gate)
{
    char best = '\t';
    qsizetype bestCount = 0;
    for (const char candidate : {'\t', ',', ';'}) {
        qsizetype count = 0;
        CsvParser(candidate, {{}, 0, false})
            .parse(
                text, header.bodyStart, header.bodyLine,
                [&](CsvRecord&& record) {
                    count = record.fields;
                    return false;
                },
                gate);
        if (count > bestCount) {
            best = candidate;
            bestCount = count;
        }
    }
    return best;
}

bool blank(const QStringList& cells)
{
    return std::all_of(cells.begin(), cells.end(), [](const QString& c) { return c.trimmed().isEmpty(); });
}

// Our CSV export puts a "'" before a field a spreadsheet would run as a
// formula or a command, and before one that begins with "'"s in front of
// such a character (delimited_writer.cpp); it is taken off again here, so a
// round trip gives back exactly what was exported.
void unguard(QString& cell)
{
    static const QString active = QStringLiteral("=+-@\t\r");
    qsizetype i = 0;
    while (i < cell.size() && cell[i] == u'\'')
        ++i;
    if (i > 0 && i < cell.size() && active.contains(cell[i]))
        cell.remove(0, 1);
}

} // namespace

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

void readDelimited(QByteArrayView text, ImportSink& sink, ProgressGate& gate)
{
    const Header header = readHeader(text);
    const char separator = header.separator ? *header.separator : guessSeparator(text, header, gate);

    bool first = true;
    const auto onRecord = [&](CsvRecord&& record) {
        QStringList& cells = record.cells;
        if (header.html) {
            for (QString& cell : cells)
                cell = plainFromHtml(cell);
        }
        if (separator != '\t') {
            for (QString& cell : cells)
                unguard(cell);
        }
        if (blank(cells) && !record.moreText)
            return true;
        while (cells.size() < 5)
            cells.append(QString());
        const bool mayBeHeader = std::exchange(first, false) || record.afterMark;
        if (mayBeHeader && isHeaderRow(cells[0], cells[1]))
            return true;
        sink.row({record.line, cells[0], cells[1], cells[2], cells[3], cells[4]});
        return true;
    };
    CsvParser parser(separator, {header.metaColumns, 5, header.html});
    if (const int line = parser.parse(text, header.bodyStart, header.bodyLine, onRecord, gate))
        sink.note(QStringLiteral("%1 行目で始まる引用符(\")が閉じられていないため、"
                                 "そこからファイルの終わりまでを一つの項目として読みました。")
                      .arg(line));
}

} // namespace interchange
