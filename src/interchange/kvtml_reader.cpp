#include "forms.h"
#include "part_names.h"
#include "store/failure.h"
#include "store/record.h"

#include <QHash>
#include <QXmlStreamReader>
#include <optional>

// KVTML 2.0: <entries> holds <entry id> elements whose <translation id="0">
// and <translation id="1"> are our two languages, each with its <text> and
// optionally an <example>; so the English example sits in translation 0 and
// its Japanese meaning in translation 1. Word types are <container>s under
// <wordtypes>, which list their members by entry and translation id: as
// <containerentry>/<containertranslation> in KDE's DTD, as
// <entry>/<translation> in the files KWordQuiz and Parley save. Both are read.
namespace interchange {
namespace {

struct Entry {
    int line = 0;
    QString id;
    QString text[2];
    QString example[2];
};

// A member's part of speech by its translation: 0 wins over 1.
struct WordTypes {
    QHash<QString, int> ofTranslation[2];
};

std::optional<int> partOfSpecialType(const QString& type)
{
    if (type == u"noun" || type.startsWith(u"noun/"))
        return 0;
    if (type == u"verb")
        return 1;
    if (type == u"adjective")
        return 2;
    if (type == u"adverb")
        return 3;
    return std::nullopt;
}

std::optional<int> partOfName(const QString& name)
{
    for (int i = 0; i <= 4; ++i) {
        if (name.trimmed() == PartName(i))
            return i;
    }
    return std::nullopt;
}

class KvtmlReader {
public:
    KvtmlReader(const QByteArray& bytes, const QString& name) : xml_(bytes), name_(name) { }

    std::vector<ImportRow> read()
    {
        if (!xml_.readNextStartElement() || xml_.name() != u"kvtml")
            fail();
        if (xml_.attributes().value(QLatin1String("version")).toDouble() < 2.0)
            throw Failure(QStringLiteral("ファイル %1 は KVTML 2.0 ではないので読み込めません").arg(name_));
        while (xml_.readNextStartElement()) {
            if (xml_.name() == u"entries")
                readEntries();
            else if (xml_.name() == u"wordtypes")
                readContainers(std::nullopt);
            else
                xml_.skipCurrentElement();
        }
        if (xml_.hasError())
            fail();
        return rows();
    }

private:
    [[noreturn]] void fail()
    {
        throw Failure(QStringLiteral("ファイル %1 は %2 行目が KVTML として正しくありません")
                          .arg(name_)
                          .arg(xml_.lineNumber()));
    }

    void readEntries()
    {
        while (xml_.readNextStartElement()) {
            if (xml_.name() != u"entry") {
                xml_.skipCurrentElement();
                continue;
            }
            Entry entry;
            entry.line = int(xml_.lineNumber());
            entry.id = xml_.attributes().value(QLatin1String("id")).toString();
            while (xml_.readNextStartElement()) {
                const QString id = xml_.attributes().value(QLatin1String("id")).toString();
                if (xml_.name() == u"translation" && (id == u"0" || id == u"1"))
                    readTranslation(entry, id == u"0" ? 0 : 1);
                else
                    xml_.skipCurrentElement();
            }
            entries_.push_back(entry);
        }
    }

    void readTranslation(Entry& entry, int side)
    {
        while (xml_.readNextStartElement()) {
            if (xml_.name() == u"text")
                entry.text[side] = xml_.readElementText(QXmlStreamReader::IncludeChildElements);
            else if (xml_.name() == u"example")
                entry.example[side] = xml_.readElementText(QXmlStreamReader::IncludeChildElements);
            else
                xml_.skipCurrentElement();
        }
    }

    // The containers of <wordtypes>.
    void readContainers(std::optional<int> inherited)
    {
        while (xml_.readNextStartElement()) {
            if (xml_.name() == u"container")
                readContainer(inherited);
            else
                xml_.skipCurrentElement();
        }
    }

    // One container, the reader on its start tag. Its part of speech is its
    // name where that is one of ours, else its special type (noun, verb,
    // adjective, adverb), else its parent's; none for any other word type.
    void readContainer(std::optional<int> inherited)
    {
        std::optional<int> byName;
        std::optional<int> bySpecialType;
        const auto part = [&] { return byName ? byName : bySpecialType ? bySpecialType : inherited; };
        while (xml_.readNextStartElement()) {
            const auto element = xml_.name();
            if (element == u"name")
                byName = partOfName(xml_.readElementText());
            else if (element == u"specialwordtype")
                bySpecialType = partOfSpecialType(xml_.readElementText().trimmed());
            else if (element == u"container")
                readContainer(part());
            else if (element == u"entry" || element == u"containerentry")
                readMember(part());
            else
                xml_.skipCurrentElement();
        }
    }

    void readMember(std::optional<int> part)
    {
        const QString entry = xml_.attributes().value(QLatin1String("id")).toString();
        while (xml_.readNextStartElement()) {
            const QString id = xml_.attributes().value(QLatin1String("id")).toString();
            if (part && (id == u"0" || id == u"1")) {
                QHash<QString, int>& types = wordTypes_.ofTranslation[id == u"0" ? 0 : 1];
                if (!types.contains(entry))
                    types.insert(entry, *part);
            }
            xml_.skipCurrentElement();
        }
    }

    std::vector<ImportRow> rows() const
    {
        std::vector<ImportRow> rows;
        for (const Entry& e : entries_) {
            if ((e.text[0] + e.text[1] + e.example[0] + e.example[1]).trimmed().isEmpty())
                continue;
            // A word of no type, or of a type we have no name for, is a noun,
            // as an empty part-of-speech column is.
            const int part =
                wordTypes_.ofTranslation[0].value(e.id, wordTypes_.ofTranslation[1].value(e.id, 0));
            rows.push_back({e.line, e.text[0], e.text[1], e.example[0], e.example[1], PartName(part)});
        }
        return rows;
    }

    QXmlStreamReader xml_;
    QString name_;
    std::vector<Entry> entries_;
    WordTypes wordTypes_;
};

} // namespace

std::vector<ImportRow> readKvtml(const QByteArray& bytes, const QString& name)
{
    return KvtmlReader(bytes, name).read();
}

} // namespace interchange
