#include "forms.h"
#include "kvtml_guard.h"
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
//
// The file is read token by token with a stack of the open elements and
// what each is to us, never by a call per level of nesting, so no file can
// exhaust the stack however deep it nests; deeper than kMaxKvtmlDepth is
// refused.
namespace interchange {
namespace {

struct Entry {
    int line = 0;
    QString id;
    QString text[2];
    QString example[2];
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

// An open element and what it is to us.
struct Frame {
    enum Role {
        Skip, // of no interest, nor anything inside it
        Kvtml,
        Entries,
        Entry, // the last of entries_
        Translation, // `side` 0 or 1 of the last entry
        Field, // text or example (`example`) of `side`, inline elements too
        WordTypes,
        Container, // its part of speech so far
        ContainerText, // <name> or <specialwordtype> (`special`) of the container
        Member, // an entry listed in a container, of part `part`
    };
    Role role = Skip;
    int side = 0;
    bool example = false;
    bool special = false;
    // Container: the part by its name, by its special type, by its parent.
    std::optional<int> byName, bySpecialType, inherited;
    // Member: the entry it lists and the container's part.
    QString entry;
    std::optional<int> part;
    // ContainerText: the text so far.
    QString text;

    std::optional<int> containerPart() const
    {
        return byName ? byName : bySpecialType ? bySpecialType : inherited;
    }
};

class KvtmlReader {
public:
    KvtmlReader(const QByteArray& bytes, const QString& name, ProgressGate& gate)
        : bytes_(bytes), xml_(bytes), name_(name), gate_(gate), budget_(expansionBudget(bytes.size()))
    {
    }

    void read(ImportSink& sink)
    {
        checkInternalSubset(bytes_, name_);
        for (;;) {
            const auto token = xml_.readNext();
            if (token == QXmlStreamReader::DTD)
                checkEntities(xml_.entityDeclarations(), bytes_, name_);
            else if (token == QXmlStreamReader::StartElement)
                break;
            else if (token == QXmlStreamReader::Invalid || token == QXmlStreamReader::EndDocument)
                fail();
        }
        if (xml_.name() != u"kvtml")
            fail();
        if (xml_.attributes().value(QLatin1String("version")).toDouble() < 2.0)
            throw Failure(QStringLiteral("ファイル %1 は KVTML 2.0 ではないので読み込めません").arg(name_));
        Frame root;
        root.role = Frame::Kvtml;
        frames_.push_back(std::move(root));
        while (!frames_.empty()) {
            switch (xml_.readNext()) {
            case QXmlStreamReader::StartElement: start(); break;
            case QXmlStreamReader::EndElement: end(); break;
            case QXmlStreamReader::Characters: characters(); break;
            case QXmlStreamReader::EntityReference:
                // Declared in an external DTD we do not read: its text is
                // not in the file, and a word without it would be wrong.
                throw Failure(
                    QStringLiteral(
                        "ファイル %1 は %2 行目の実体「%3」の中身がファイルにないので読み込めません")
                        .arg(name_)
                        .arg(xml_.lineNumber())
                        .arg(xml_.name()));
            case QXmlStreamReader::Invalid: fail();
            default: break;
            }
            gate_.at(xml_.characterOffset());
        }
        emitRows(sink);
    }

private:
    [[noreturn]] void fail()
    {
        throw Failure(QStringLiteral("ファイル %1 は %2 行目が KVTML として正しくありません")
                          .arg(name_)
                          .arg(xml_.lineNumber()));
    }

    QString attribute(const char* name) const
    {
        return xml_.attributes().value(QLatin1String(name)).toString();
    }

    void start()
    {
        if (frames_.size() >= size_t(kMaxKvtmlDepth))
            fail();
        const Frame& parent = frames_.back();
        const auto name = xml_.name();
        Frame frame;
        switch (parent.role) {
        case Frame::Kvtml:
            if (name == u"entries")
                frame.role = Frame::Entries;
            else if (name == u"wordtypes")
                frame.role = Frame::WordTypes;
            break;
        case Frame::Entries:
            if (name == u"entry") {
                frame.role = Frame::Entry;
                entries_.push_back({int(xml_.lineNumber()), attribute("id"), {}, {}});
            }
            break;
        case Frame::Entry:
            if (const QString id = attribute("id"); name == u"translation" && (id == u"0" || id == u"1")) {
                frame.role = Frame::Translation;
                frame.side = id == u"0" ? 0 : 1;
            }
            break;
        case Frame::Translation:
            if (name == u"text" || name == u"example") {
                frame.role = Frame::Field;
                frame.side = parent.side;
                frame.example = name == u"example";
                field(frame).clear();
            }
            break;
        case Frame::Field:
            // Inline markup inside a text: its text is part of the field.
            frame = parent;
            break;
        case Frame::WordTypes:
        case Frame::Container:
            if (name == u"container") {
                frame.role = Frame::Container;
                if (parent.role == Frame::Container)
                    frame.inherited = parent.containerPart();
            } else if (parent.role == Frame::Container && (name == u"name" || name == u"specialwordtype")) {
                frame.role = Frame::ContainerText;
                frame.special = name == u"specialwordtype";
            } else if (parent.role == Frame::Container && (name == u"entry" || name == u"containerentry")) {
                frame.role = Frame::Member;
                frame.entry = attribute("id");
                frame.part = parent.containerPart();
            }
            break;
        case Frame::ContainerText:
            // A name is text alone.
            fail();
        case Frame::Member:
            if (const QString id = attribute("id"); parent.part && (id == u"0" || id == u"1")) {
                QHash<QString, int>& types = wordTypes_[id == u"0" ? 0 : 1];
                if (!types.contains(parent.entry))
                    types.insert(parent.entry, *parent.part);
            }
            break;
        case Frame::Skip: break;
        }
        frames_.push_back(std::move(frame));
    }

    void end()
    {
        Frame frame = std::move(frames_.back());
        frames_.pop_back();
        if (frame.role != Frame::ContainerText)
            return;
        Frame& container = frames_.back();
        if (frame.special)
            container.bySpecialType = partOfSpecialType(frame.text.trimmed());
        else
            container.byName = partOfName(frame.text);
    }

    void characters()
    {
        const QStringView text = xml_.text();
        delivered_ += text.size();
        if (delivered_ > budget_)
            throw Failure(tooMuchExpansion(name_, budget_));
        Frame& frame = frames_.back();
        if (frame.role == Frame::Field) {
            QString& target = field(frame);
            target += text;
            if (target.size() > kMaxFieldChars)
                throw Failure(
                    QStringLiteral("ファイル %1 は %2 行目のテキストが %3 文字を越えるので読み込めません")
                        .arg(name_)
                        .arg(xml_.lineNumber())
                        .arg(kMaxFieldChars));
        } else if (frame.role == Frame::ContainerText && frame.text.size() <= kMaxFieldChars) {
            frame.text += text;
        }
    }

    QString& field(const Frame& frame)
    {
        Entry& entry = entries_.back();
        return frame.example ? entry.example[frame.side] : entry.text[frame.side];
    }

    void emitRows(ImportSink& sink) const
    {
        for (const Entry& e : entries_) {
            if ((e.text[0] + e.text[1] + e.example[0] + e.example[1]).trimmed().isEmpty())
                continue;
            // A word of no type, or of a type we have no name for, is a noun,
            // as an empty part-of-speech column is. Translation 0 wins.
            const int part = wordTypes_[0].value(e.id, wordTypes_[1].value(e.id, 0));
            sink.row({e.line, e.text[0], e.text[1], e.example[0], e.example[1], PartName(part)});
        }
    }

    const QByteArray& bytes_;
    QXmlStreamReader xml_;
    QString name_;
    ProgressGate& gate_;
    const qint64 budget_;
    qint64 delivered_ = 0;
    std::vector<Frame> frames_;
    std::vector<Entry> entries_;
    // A member's part of speech by its translation.
    QHash<QString, int> wordTypes_[2];
};

} // namespace

void readKvtml(const QByteArray& bytes, const QString& name, ImportSink& sink, ProgressGate& gate)
{
    KvtmlReader(bytes, name, gate).read(sink);
}

} // namespace interchange
