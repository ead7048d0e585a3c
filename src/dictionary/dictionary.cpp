#include "dictionary/dictionary.h"

#include "index_image.h"

#include <algorithm>
#include <cstring>

namespace dictionary {

using namespace layout;

namespace {

constexpr qsizetype kMaxQuery = 100;
// How many glosses that merely start with the word are weighed against each
// other: a word of one or two letters starts tens of thousands.
constexpr quint32 kWindow = 1024;

// The word as keys are compared: ASCII, lower case, single blanks, no "to "
// in front and no note behind. Empty when nothing English is left.
QByteArray queryKey(QStringView english)
{
    QString text = english.toString().simplified();
    if (text.size() > kMaxQuery)
        return {};
    for (QChar c : text) {
        if (c.unicode() >= 0x80 || c.unicode() < 0x20)
            return {};
    }
    QByteArray q = text.toLatin1().toLower();
    if (q.startsWith("to ") && q.size() > 3)
        q.remove(0, 3);
    const qsizetype note = q.indexOf(" (");
    if (note >= 0)
        q.truncate(note);
    return q;
}

// The last `length` characters of the typed word before any note, as typed:
// the query key with its case.
QByteArray typedKey(QStringView english, qsizetype length)
{
    QByteArray typed = english.toString().simplified().toLatin1();
    const qsizetype note = typed.indexOf(" (");
    if (note >= 0)
        typed.truncate(note);
    return typed.right(length);
}

} // namespace

std::shared_ptr<const Dictionary> Dictionary::fromImage(QByteArray image, SourceKey source)
{
    const std::optional<Header> h = readHeader(image);
    if (!h || h->sourceSize != source.size || h->sourceTime != source.modified)
        return nullptr;
    if (QByteArrayView(image).sliced(kChecksumOffset, kChecksumSize) != imageChecksum(image))
        return nullptr;

    std::shared_ptr<Dictionary> d(new Dictionary);
    d->image_ = std::move(image);
    const char* base = d->image_.constData();
    d->entries_ = h->entries;
    d->glosses_ = h->glosses;
    d->words_ = h->words;
    d->entryTable_ = base + kHeaderSize;
    d->glossTable_ = d->entryTable_ + 4 * qsizetype(h->entries);
    d->wordTable_ = d->glossTable_ + 8 * qsizetype(h->glosses);
    d->strings_ = d->wordTable_ + 4 * qsizetype(h->words);

    // Every text ends within the strings, which end in two NULs: an offset
    // below them is safe to read from up to its NUL.
    const quint32 strings = h->strings;
    if (d->strings_[strings - 1] != 0 || d->strings_[strings - 2] != 0)
        return nullptr;
    for (quint32 i = 0; i < d->entries_; ++i) {
        const quint32 e = d->entry(i);
        if ((e & ~(kOffsetMask | kCommonBit)) != 0 || (e & kOffsetMask) >= strings - 1)
            return nullptr;
    }
    for (quint32 i = 0; i < d->glosses_; ++i) {
        const quint32 data = d->glossData(i);
        const quint32 skip = (data >> kSkipShift) & kSkipMask;
        if ((data & (1u << 31)) != 0 || (data & kRecordMask) >= d->entries_
            || quint64(d->glossOffset(i)) + skip >= strings)
            return nullptr;
    }
    for (quint32 i = 0; i < d->words_; ++i) {
        const quint32 w = d->word(i);
        const quint32 gloss = w & kRecordMask;
        if (gloss >= d->glosses_)
            return nullptr;
        const quint64 start = quint64(d->glossKey(gloss) - d->strings_) + (w >> kDeltaShift);
        if (start >= strings)
            return nullptr;
    }
    return d;
}

quint32 Dictionary::entry(quint32 i) const
{
    return u32At(entryTable_, i);
}

quint32 Dictionary::glossOffset(quint32 i) const
{
    return u32At(glossTable_, 2 * i);
}

quint32 Dictionary::glossData(quint32 i) const
{
    return u32At(glossTable_, 2 * i + 1);
}

quint32 Dictionary::word(quint32 i) const
{
    return u32At(wordTable_, i);
}

const char* Dictionary::glossKey(quint32 gloss) const
{
    return text(glossOffset(gloss)) + ((glossData(gloss) >> kSkipShift) & kSkipMask);
}

Suggestion Dictionary::suggestion(quint32 gloss) const
{
    const quint32 data = glossData(gloss);
    const quint32 e = entry(data & kRecordMask);
    const char* headword = text(e & kOffsetMask);
    Suggestion s;
    s.headword = QByteArray(headword);
    s.reading = QByteArray(headword + s.headword.size() + 1);
    s.gloss = QByteArray(text(glossOffset(gloss)));
    s.common = (e & kCommonBit) != 0;
    s.usuallyKana = (data & kUsuallyKanaBit) != 0;
    return s;
}

std::vector<Suggestion> Dictionary::lookup(QStringView english, int limit) const
{
    std::vector<Suggestion> out;
    const QByteArray q = queryKey(english);
    if (q.isEmpty() || limit <= 0)
        return out;
    const char* query = q.constData();
    // The key as typed, its case kept.
    const QByteArray typed = typedKey(english, q.size());

    // One suggestion per meaning, and per headword: after the common
    // reading of a headword its rare ones are only noise.
    const auto offer = [&](quint32 gloss) {
        Suggestion s = suggestion(gloss);
        const QByteArray meaning = s.meaning();
        if (std::none_of(out.begin(), out.end(), [&](const Suggestion& o) {
                return o.meaning() == meaning || o.headword == s.headword;
            }))
            out.push_back(std::move(s));
        return int(out.size()) >= limit;
    };
    const auto isCommon = [this](quint32 gloss) {
        return (entry(glossData(gloss) & kRecordMask) & kCommonBit) != 0;
    };

    // One table at a time: its keys equal to the word in their sorted order
    // (common ones first), then a bounded run of keys that go on after it,
    // common and short ones first.
    const auto search = [&](quint32 count, auto keyOf, auto glossOf) {
        quint32 lo = 0;
        quint32 hi = count;
        while (lo < hi) {
            const quint32 mid = lo + (hi - lo) / 2;
            if (compareKeys(keyOf(mid), query) < 0)
                lo = mid + 1;
            else
                hi = mid;
        }
        // Among equal keys, common ones still first, those written as the
        // learner wrote the word come first: "cat" before "CAT".
        struct Equal {
            quint32 gloss;
            bool common;
            bool sameCase;
        };
        std::vector<Equal> equal;
        quint32 i = lo;
        for (; i < count && equal.size() < kWindow && matchKey(keyOf(i), query) == 0; ++i) {
            const char* k = keyOf(i);
            equal.push_back(
                {glossOf(i), isCommon(glossOf(i)), std::strncmp(k, typed.constData(), typed.size()) == 0});
        }
        while (i < count && matchKey(keyOf(i), query) == 0)
            ++i;
        std::stable_sort(equal.begin(), equal.end(), [](const Equal& a, const Equal& b) {
            return a.common != b.common ? a.common : a.sameCase > b.sameCase;
        });
        if (std::any_of(equal.begin(), equal.end(), [&](const Equal& e) { return offer(e.gloss); }))
            return true;
        struct Longer {
            quint32 gloss;
            bool common;
            qsizetype length;
        };
        std::vector<Longer> longer;
        for (; i < count && longer.size() < kWindow && matchKey(keyOf(i), query) == 1; ++i)
            longer.push_back({glossOf(i), isCommon(glossOf(i)), keyLength(keyOf(i))});
        std::stable_sort(longer.begin(), longer.end(), [](const Longer& a, const Longer& b) {
            return a.common != b.common ? a.common : a.length < b.length;
        });
        return std::any_of(longer.begin(), longer.end(), [&](const Longer& l) { return offer(l.gloss); });
    };

    const auto glossSelf = [](quint32 i) { return i; };
    if (search(
            glosses_, [this](quint32 i) { return glossKey(i); }, glossSelf))
        return out;
    const auto wordGloss = [this](quint32 i) { return word(i) & kRecordMask; };
    search(
        words_, [this](quint32 i) { return glossKey(word(i) & kRecordMask) + (word(i) >> kDeltaShift); },
        wordGloss);
    return out;
}

} // namespace dictionary
