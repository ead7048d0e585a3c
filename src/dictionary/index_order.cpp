// Orders the builder's glosses and words by key and lays out the image.
#include "index_builder.h"

#include "index_image.h"

#include <algorithm>
#include <thread>

namespace dictionary {

using namespace layout;

namespace indexing {

namespace {

constexpr int kIndexedWords = 8; // of each gloss, the first one included

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

} // namespace

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

} // namespace indexing

QByteArray Dictionary::build(QByteArrayView edict, SourceKey source, BuildReport* report,
                             const std::atomic<bool>* cancel)
{
    BuildReport local;
    BuildReport& r = report ? *report : local;
    r = {};
    indexing::Builder builder(cancel);
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
