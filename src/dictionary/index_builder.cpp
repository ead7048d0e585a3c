// Builds the reverse index of an EDICT file: every entry that a word file
// can hold, every gloss of it by key, and every later word of a gloss.
#include "dictionary/dictionary.h"
#include "dictionary/euc_jp.h"
#include "edict_line.h"
#include "index_image.h"
#include "store/codec.h"

#include <algorithm>
#include <deque>
#include <string_view>
#include <thread>
#include <unordered_map>

namespace dictionary {

using namespace layout;

namespace {

constexpr qsizetype kMaxLine = 16 * 1024;
constexpr int kIndexedWords = 8; // of each gloss, the first one included
constexpr int kCancelEvery = 4096;

// Words too common to find a gloss by.
bool stopWord(std::string_view w)
{
    static constexpr std::string_view kWords[] = {
        "a",  "an",  "and",   "as",      "at", "be",      "by",        "for",       "from", "in", "is",  "of",
        "on", "one", "one's", "oneself", "or", "someone", "someone's", "something", "the",  "to", "with"};
    return std::find(std::begin(kWords), std::end(kWords), w) != std::end(kWords);
}

bool isAlnum(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

// Text a word file can hold: CP932 bytes that decode to characters, none
// of them in the user-defined area.
bool holdable(const QByteArray& cp932)
{
    const QString text = cp932::decode(cp932);
    return std::none_of(text.begin(), text.end(), [](QChar c) {
        return c == QChar::ReplacementCharacter || (c.unicode() >= 0xE000 && c.unicode() <= 0xF8FF);
    });
}

bool ascii(QByteArrayView text)
{
    return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// A headword in katakana alone is mostly the English word itself, borrowed:
// of little use as its meaning.
bool katakana(QByteArrayView euc)
{
    if (euc.isEmpty() || euc.size() % 2 != 0)
        return false;
    for (qsizetype i = 0; i < euc.size(); i += 2) {
        const auto lead = static_cast<unsigned char>(euc[i]);
        const auto trail = static_cast<unsigned char>(euc[i + 1]);
        if (lead != 0xA5 && !(lead == 0xA1 && (trail == 0xBC || trail == 0xA6)))
            return false;
    }
    return true;
}

struct Gloss {
    quint32 text; // offset in the strings
    quint32 entry;
    quint16 ordinal; // its place among the entry's glosses: 0 for the entry's first meaning
    quint8 senses; // how many senses the entry has: basic words have many
    quint8 senseSize; // how many glosses share its sense: the fewer, the closer the meaning
    quint8 rank; // 0 a plain word, 1 a loanword in katakana, 2 a marked sense
    quint8 skip;
    bool usuallyKana;
};

struct Word {
    quint32 gloss;
    quint8 delta;
};

class Builder {
public:
    explicit Builder(const std::atomic<bool>* cancel) : cancel_(cancel)
    {
        strings_.append("\0\0", 2);
        interned_.reserve(1 << 19);
    }

    bool add(QByteArrayView edict, BuildReport& report);
    QByteArray finish(SourceKey source);

private:
    bool cancelled() const { return cancel_ && cancel_->load(std::memory_order_relaxed); }
    void addLine(QByteArrayView line, BuildReport& report);
    quint32 intern(QByteArrayView cp932Text);
    const char* key(const Gloss& g) const { return strings_.constData() + g.text + g.skip; }
    void collectWords();
    bool before(const Gloss& x, const Gloss& y) const;
    std::vector<quint32> sortGlosses() const;
    void sortWords();

    const std::atomic<bool>* cancel_;
    EdictLine line_;
    QByteArray strings_;
    std::vector<quint32> entries_;
    std::vector<bool> common_;
    std::vector<Gloss> glosses_;
    std::vector<Word> words_;
    std::unordered_map<std::string_view, quint32> interned_;
    std::deque<QByteArray> converted_; // glosses that were not ASCII, kept for interned_'s views
};

bool Builder::add(QByteArrayView edict, BuildReport& report)
{
    qsizetype at = 0;
    int lines = 0;
    while (at < edict.size()) {
        if (++lines % kCancelEvery == 0 && cancelled())
            return false;
        qsizetype end = edict.indexOf('\n', at);
        if (end < 0)
            end = edict.size();
        QByteArrayView line = edict.sliced(at, end - at);
        at = end + 1;
        if (line.endsWith('\r'))
            line.chop(1);
        if (line.isEmpty() || isEdictHeader(line))
            continue;
        addLine(line, report);
    }
    return !cancelled();
}

void Builder::addLine(QByteArrayView line, BuildReport& report)
{
    if (line.size() > kMaxLine || !splitEdictLine(line, line_)) {
        ++report.malformed;
        return;
    }
    if (entries_.size() + 1 >= kMaxRecords || glosses_.size() + line_.glosses.size() >= kMaxRecords)
        return;
    QByteArray headword;
    QByteArray reading;
    if (!appendCp932(line_.headword, headword) || !appendCp932(line_.reading, reading) || !holdable(headword)
        || !holdable(reading)) {
        ++report.leftOut;
        return;
    }
    // The glosses of an entry that are not plain ASCII must be holdable too.
    std::vector<QByteArrayView> texts;
    texts.reserve(line_.glosses.size());
    for (const EdictGloss& g : line_.glosses) {
        if (ascii(g.text)) {
            texts.push_back(g.text);
            continue;
        }
        QByteArray converted;
        if (!appendCp932(g.text, converted) || !holdable(converted)) {
            ++report.leftOut;
            return;
        }
        converted_.push_back(converted);
        texts.push_back(converted_.back());
    }
    if (strings_.size() + 2 * line.size() + 4 >= qsizetype(kMaxStrings))
        return;

    const auto entry = quint32(entries_.size());
    entries_.push_back(quint32(strings_.size()));
    common_.push_back(line_.common);
    strings_.append(headword).append('\0').append(reading).append('\0');
    const bool loanword = katakana(line_.headword);
    for (size_t i = 0; i < texts.size(); ++i) {
        const QByteArrayView text = texts[i];
        const EdictGloss& g = line_.glosses[i];
        const bool verb = text.size() > 3 && (text.startsWith("to ") || text.startsWith("To "));
        const int senseSize = line_.senseSizes[size_t(g.sense)];
        glosses_.push_back({intern(text), entry, quint16(std::min<size_t>(i, 0xFFFF)),
                            quint8(std::min<size_t>(line_.senseSizes.size(), 0xFF)),
                            quint8(std::min(senseSize, 0xFF)), quint8(g.marked ? 2 : (loanword ? 1 : 0)),
                            quint8(verb ? 3 : 0), g.usuallyKana});
    }
    ++report.entries;
}

quint32 Builder::intern(QByteArrayView text)
{
    const std::string_view view(text.data(), size_t(text.size()));
    const auto [it, added] = interned_.try_emplace(view, quint32(strings_.size()));
    if (added)
        strings_.append(text.data(), text.size()).append('\0');
    return it->second;
}

void Builder::collectWords()
{
    words_.reserve(glosses_.size() * 2);
    for (size_t g = 0; g < glosses_.size(); ++g) {
        const char* k = key(glosses_[g]);
        int words = 1;
        for (qsizetype i = 1; !keyEnd(k + i) && i <= qsizetype(kMaxDelta) && words < kIndexedWords; ++i) {
            if ((k[i - 1] != ' ' && k[i - 1] != '-') || !isAlnum(k[i]))
                continue;
            ++words;
            char folded[16];
            size_t n = 0;
            while (n < sizeof folded && !keyEnd(k + i + qsizetype(n)) && k[i + qsizetype(n)] != ' '
                   && k[i + qsizetype(n)] != '-') {
                folded[n] = char(fold(static_cast<unsigned char>(k[i + qsizetype(n)])));
                ++n;
            }
            if (!stopWord(std::string_view(folded, n)))
                words_.push_back({quint32(g), quint8(i)});
        }
    }
}

// The first eight bytes of a key, folded, as one number that orders like
// the key: most comparisons end there without touching the strings.
quint64 keyHead(const char* k)
{
    quint64 head = 0;
    int i = 0;
    for (; i < 8 && !keyEnd(k + i); ++i)
        head = (head << 8) | fold(static_cast<unsigned char>(k[i]));
    return head << (8 * (8 - i));
}

struct Sorted {
    quint64 head;
    quint32 index;
};

// Of two glosses of equal keys, which is offered first: common entries
// first; plain words before loanwords and marked senses; an entry's first
// meaning before its later ones; of those, entries of more senses (the basic
// words) first, and senses of fewer glosses (the closer meanings); then the
// dictionary's own order.
bool Builder::before(const Gloss& x, const Gloss& y) const
{
    if (common_[x.entry] != common_[y.entry])
        return bool(common_[x.entry]);
    if (x.rank != y.rank)
        return x.rank < y.rank;
    if ((x.ordinal == 0) != (y.ordinal == 0))
        return x.ordinal == 0;
    if (x.senses != y.senses)
        return x.senses > y.senses;
    if (x.senseSize != y.senseSize)
        return x.senseSize < y.senseSize;
    if (x.ordinal != y.ordinal)
        return x.ordinal < y.ordinal;
    return x.entry < y.entry;
}

// Glosses by key, then as before(). Returns the glosses in their new order.
std::vector<quint32> Builder::sortGlosses() const
{
    std::vector<Sorted> order(glosses_.size());
    for (size_t i = 0; i < glosses_.size(); ++i)
        order[i] = {keyHead(key(glosses_[i])), quint32(i)};
    std::sort(order.begin(), order.end(), [this](const Sorted& a, const Sorted& b) {
        if (a.head != b.head)
            return a.head < b.head;
        const Gloss& x = glosses_[a.index];
        const Gloss& y = glosses_[b.index];
        if (const int c = compareKeys(key(x), key(y)))
            return c < 0;
        return before(x, y);
    });
    std::vector<quint32> sequence(order.size());
    for (size_t i = 0; i < order.size(); ++i)
        sequence[i] = order[i].index;
    return sequence;
}

// Words by the key from the word on, then as their glosses.
void Builder::sortWords()
{
    const auto wordKey = [this](const Word& w) { return key(glosses_[w.gloss]) + w.delta; };
    std::vector<Sorted> order(words_.size());
    for (size_t i = 0; i < words_.size(); ++i)
        order[i] = {keyHead(wordKey(words_[i])), quint32(i)};
    std::sort(order.begin(), order.end(), [&](const Sorted& a, const Sorted& b) {
        if (a.head != b.head)
            return a.head < b.head;
        const Word& x = words_[a.index];
        const Word& y = words_[b.index];
        if (const int c = compareKeys(wordKey(x), wordKey(y)))
            return c < 0;
        return x.gloss != y.gloss && before(glosses_[x.gloss], glosses_[y.gloss]);
    });
    std::vector<Word> sorted(words_.size());
    for (size_t i = 0; i < order.size(); ++i)
        sorted[i] = words_[order[i].index];
    words_ = std::move(sorted);
}

QByteArray Builder::finish(SourceKey source)
{
    strings_.append("\0\0", 2);
    collectWords();
    if (cancelled())
        return {};
    // The two sorts take most of the build; they share nothing they change.
    std::thread words([this] { sortWords(); });
    const std::vector<quint32> sequence = sortGlosses();
    words.join();
    if (cancelled())
        return {};
    std::vector<quint32> rank(sequence.size());
    for (size_t i = 0; i < sequence.size(); ++i)
        rank[sequence[i]] = quint32(i);

    Header h;
    h.entries = quint32(entries_.size());
    h.glosses = quint32(glosses_.size());
    h.words = quint32(words_.size());
    h.strings = quint32(strings_.size());
    h.sourceSize = source.size;
    h.sourceTime = source.modified;
    QByteArray image = headerBytes(h);
    const qsizetype tables = 4 * qsizetype(h.entries) + 8 * qsizetype(h.glosses) + 4 * qsizetype(h.words);
    image.resize(kHeaderSize + tables);
    char* out = image.data() + kHeaderSize;
    const auto write = [&out](quint32 v) {
        qToLittleEndian<quint32>(v, out);
        out += 4;
    };
    for (size_t e = 0; e < entries_.size(); ++e)
        write(entries_[e] | (common_[e] ? kCommonBit : 0));
    for (const quint32 i : sequence) {
        const Gloss& g = glosses_[i];
        write(g.text);
        write(g.entry | (quint32(g.skip) << kSkipShift) | (g.usuallyKana ? kUsuallyKanaBit : 0));
    }
    for (const Word& w : words_)
        write(rank[w.gloss] | (quint32(w.delta) << kDeltaShift));
    image.append(strings_);
    const QByteArray sum = imageChecksum(image);
    std::memcpy(image.data() + kChecksumOffset, sum.constData(), kChecksumSize);
    return image;
}

} // namespace

QByteArray Dictionary::build(QByteArrayView edict, SourceKey source, BuildReport* report,
                             const std::atomic<bool>* cancel)
{
    BuildReport local;
    BuildReport& r = report ? *report : local;
    r = {};
    Builder builder(cancel);
    if (!builder.add(edict, r)) {
        r.cancelled = true;
        return {};
    }
    if (r.entries == 0)
        return {};
    QByteArray image = builder.finish(source);
    r.cancelled = image.isEmpty();
    return image;
}

} // namespace dictionary
