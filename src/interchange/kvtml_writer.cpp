#include "columns.h"
#include "forms.h"
#include "part_names.h"
#include "store/failure.h"
#include "store/record.h"

#include <QXmlStreamWriter>
#include <algorithm>
#include <optional>

// KVTML 2.0 as KDE's kvtml2.dtd has it, which KWordQuiz and Parley open:
// identifier 0 is English and 1 Japanese; an entry's translation 0 holds the
// word and the example, translation 1 the meaning and the example's meaning.
namespace interchange {
namespace {

// Parley's special word types for the parts of speech that have one; 熟語
// (idiom) has none and is known by its container's name alone.
const char* specialWordType(int part)
{
    switch (part) {
    case 0: return "noun";
    case 1: return "verb";
    case 2: return "adjective";
    case 3: return "adverb";
    default: return nullptr;
    }
}

std::optional<int> partIndexOf(const QByteArray& record)
{
    const QByteArray part = ReadField(record, kParts);
    if (part.size() == 1 && part[0] >= '0' && part[0] <= '4')
        return part[0] - '0';
    return std::nullopt;
}

std::optional<int> counter(const QByteArray& record, int k)
{
    try {
        return StrToInt(ReadField(record, k));
    } catch (const Failure&) {
        return std::nullopt;
    }
}

// The counts belong to the English side asked from the Japanese one, as our
// quiz and test ask them. The DTD's grade needs a current grade and a date:
// we keep neither, so the grade is 0 (not yet learnt in Parley's boxes) and
// the date is left empty, which the DTD allows and Parley reads as "never".
void writeGrade(QXmlStreamWriter& xml, const QByteArray& record)
{
    const std::optional<int> asked = counter(record, kAsked);
    const std::optional<int> correct = counter(record, kCorrect);
    if (!asked || *asked <= 0)
        return;
    const int wrong = std::clamp(*asked - correct.value_or(0), 0, *asked);
    xml.writeStartElement(QStringLiteral("grade"));
    xml.writeAttribute(QStringLiteral("fromid"), QStringLiteral("1"));
    xml.writeTextElement(QStringLiteral("currentgrade"), QStringLiteral("0"));
    xml.writeTextElement(QStringLiteral("count"), QString::number(*asked));
    xml.writeTextElement(QStringLiteral("errorcount"), QString::number(wrong));
    xml.writeTextElement(QStringLiteral("date"), QString());
    xml.writeEndElement();
}

void writeTranslation(QXmlStreamWriter& xml, int id, const QString& text, const QString& example,
                      const QByteArray* gradedRecord = nullptr)
{
    xml.writeStartElement(QStringLiteral("translation"));
    xml.writeAttribute(QStringLiteral("id"), QString::number(id));
    xml.writeTextElement(QStringLiteral("text"), text);
    if (!example.isEmpty())
        xml.writeTextElement(QStringLiteral("example"), example);
    if (gradedRecord)
        writeGrade(xml, *gradedRecord);
    xml.writeEndElement();
}

void writeIdentifier(QXmlStreamWriter& xml, int id, const QString& name, const QString& locale)
{
    xml.writeStartElement(QStringLiteral("identifier"));
    xml.writeAttribute(QStringLiteral("id"), QString::number(id));
    xml.writeTextElement(QStringLiteral("name"), name);
    xml.writeTextElement(QStringLiteral("locale"), locale);
    xml.writeEndElement();
}

// One container per part of speech that has words, listing them the DTD's
// way (containerentry, containertranslation).
void writeWordTypes(QXmlStreamWriter& xml, const std::vector<QByteArray>& records)
{
    bool opened = false;
    for (int part = 0; part <= 4; ++part) {
        std::vector<size_t> members;
        for (size_t i = 0; i < records.size(); ++i) {
            if (partIndexOf(records[i]) == part)
                members.push_back(i);
        }
        if (members.empty())
            continue;
        if (!std::exchange(opened, true))
            xml.writeStartElement(QStringLiteral("wordtypes"));
        xml.writeStartElement(QStringLiteral("container"));
        xml.writeTextElement(QStringLiteral("name"), PartName(part));
        if (const char* special = specialWordType(part))
            xml.writeTextElement(QStringLiteral("specialwordtype"), QString::fromLatin1(special));
        for (const size_t i : members) {
            xml.writeStartElement(QStringLiteral("containerentry"));
            xml.writeAttribute(QStringLiteral("id"), QString::number(i));
            for (const char* id : {"0", "1"}) {
                xml.writeEmptyElement(QStringLiteral("containertranslation"));
                xml.writeAttribute(QStringLiteral("id"), QString::fromLatin1(id));
            }
            xml.writeEndElement();
        }
        xml.writeEndElement();
    }
    if (opened)
        xml.writeEndElement();
}

} // namespace

QByteArray kvtmlBytes(const std::vector<QByteArray>& records, const QString& title)
{
    QByteArray bytes;
    QXmlStreamWriter xml(&bytes);
    xml.setAutoFormatting(true);
    xml.setAutoFormattingIndent(1);
    xml.writeStartDocument();
    // No DOCTYPE: it would name the DTD by a web address that validating
    // tools then try to fetch. KWordQuiz and Parley take a file for KVTML
    // when its second line names kvtml, as the root element's line does.
    xml.writeStartElement(QStringLiteral("kvtml"));
    xml.writeAttribute(QStringLiteral("version"), QStringLiteral("2.0"));

    xml.writeStartElement(QStringLiteral("information"));
    xml.writeTextElement(QStringLiteral("generator"), QStringLiteral("Lexiwren"));
    xml.writeTextElement(QStringLiteral("title"), title);
    xml.writeEndElement();

    xml.writeStartElement(QStringLiteral("identifiers"));
    writeIdentifier(xml, 0, QStringLiteral("英語"), QStringLiteral("en"));
    writeIdentifier(xml, 1, QStringLiteral("日本語"), QStringLiteral("ja"));
    xml.writeEndElement();

    xml.writeStartElement(QStringLiteral("entries"));
    for (size_t i = 0; i < records.size(); ++i) {
        const RecordTexts t = textsOf(records[i]);
        xml.writeStartElement(QStringLiteral("entry"));
        xml.writeAttribute(QStringLiteral("id"), QString::number(i));
        writeTranslation(xml, 0, t.word, t.example, &records[i]);
        writeTranslation(xml, 1, t.meaning, t.exampleMeaning);
        xml.writeEndElement();
    }
    xml.writeEndElement();

    writeWordTypes(xml, records);
    xml.writeEndElement();
    xml.writeEndDocument();
    return bytes;
}

} // namespace interchange
