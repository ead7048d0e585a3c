#include "columns.h"
#include "forms.h"

namespace interchange {
namespace {

// RFC 4180 quoting, only where a field needs it: the separator, a quote or a
// line break inside, or a leading "#", which Anki (and some spreadsheets)
// would take for a comment line.
QString quoted(const QString& field, QChar separator)
{
    const bool needs = field.contains(separator) || field.contains(u'"') || field.contains(u'\n')
        || field.contains(u'\r') || field.startsWith(u'#');
    if (!needs)
        return field;
    QString doubled = field;
    doubled.replace(QStringLiteral("\""), QStringLiteral("\"\""));
    return u'"' + doubled + u'"';
}

QString joined(const QStringList& fields, QChar separator)
{
    QStringList out;
    for (const QString& field : fields)
        out.append(quoted(field, separator));
    return out.join(separator);
}

QStringList fieldsOf(const QByteArray& record)
{
    const RecordTexts t = textsOf(record);
    return {t.word, t.meaning, t.example, t.exampleMeaning, t.part, t.asked, t.correct};
}

// A spreadsheet takes a cell beginning with "=", "+", "-" or "@" for a
// formula, and one beginning with a tab or CR the same way after trimming,
// so a word file passed around could make the spreadsheet that opens our
// export fetch a web address or start a program. A leading "'" makes such a
// cell text, as the spreadsheet programs themselves advise. So that our
// import can take it off again without a doubt (delimited_reader.cpp), a
// field that already begins with "'"s before such a character gets one
// more: the spreadsheet shows it as it is in the word file.
bool startsActive(const QString& field)
{
    static const QString active = QStringLiteral("=+-@\t\r");
    qsizetype i = 0;
    while (i < field.size() && field[i] == u'\'')
        ++i;
    return i < field.size() && active.contains(field[i]);
}

QStringList guardedForSpreadsheets(QStringList fields)
{
    for (QString& field : fields) {
        if (startsActive(field))
            field.prepend(u'\'');
    }
    return fields;
}

} // namespace

QByteArray csvBytes(const std::vector<QByteArray>& records)
{
    QString text = QChar(QChar::ByteOrderMark);
    text += joined(columnHeadings(), u',') + QStringLiteral("\r\n");
    for (const QByteArray& record : records)
        text += joined(guardedForSpreadsheets(fieldsOf(record)), u',') + QStringLiteral("\r\n");
    return text.toUtf8();
}

// Anki reads the header lines and offers the columns by these names; with
// "#html:false" it takes "<" and "&" in a field as themselves.
QByteArray ankiTextBytes(const std::vector<QByteArray>& records)
{
    QString text = QStringLiteral("#separator:tab\n#html:false\n#columns:");
    text += columnHeadings().join(u'\t') + u'\n';
    for (const QByteArray& record : records)
        text += joined(fieldsOf(record), u'\t') + u'\n';
    return text.toUtf8();
}

} // namespace interchange
