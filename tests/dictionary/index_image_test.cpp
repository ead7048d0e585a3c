#include "sample.h"

#include "index_image.h"

#include <QRandomGenerator>
#include <gtest/gtest.h>

using namespace dictionary;
using namespace dictionary::layout;

namespace {

const SourceKey kKey{12345, 1700000000000};

QByteArray sampleImage()
{
    return Dictionary::build(sampleEdict(), kKey);
}

// The image with its checksum made to fit again, as a damaged or crafted
// file could well have: only the checks of sizes and offsets stand between
// it and a read out of bounds.
QByteArray resealed(QByteArray image)
{
    const QByteArray sum = imageChecksum(image);
    std::memcpy(image.data() + kChecksumOffset, sum.constData(), kChecksumSize);
    return image;
}

void putU32(QByteArray& image, qsizetype at, quint32 value)
{
    qToLittleEndian<quint32>(value, image.data() + at);
}

struct Tables {
    qsizetype entries, glosses, words, strings;
};

Tables tablesOf(const QByteArray& image)
{
    const Header h = *readHeader(image);
    Tables t;
    t.entries = kHeaderSize;
    t.glosses = t.entries + 4 * qsizetype(h.entries);
    t.words = t.glosses + 8 * qsizetype(h.glosses);
    t.strings = t.words + 4 * qsizetype(h.words);
    return t;
}

TEST(IndexImage, OnlyASoundImageOfTheSameFileIsUsed)
{
    const QByteArray image = sampleImage();
    ASSERT_FALSE(image.isEmpty());
    ASSERT_TRUE(Dictionary::fromImage(image, kKey));
    EXPECT_FALSE(Dictionary::fromImage(image, {kKey.size + 1, kKey.modified}));
    EXPECT_FALSE(Dictionary::fromImage(image, {kKey.size, kKey.modified + 1}));
    EXPECT_FALSE(Dictionary::fromImage({}, kKey));
    EXPECT_FALSE(Dictionary::fromImage(QByteArray(4096, 'x'), kKey));

    // Any byte changed, anywhere; cut short anywhere; one byte more.
    for (qsizetype at = 0; at < image.size(); at += (at < kHeaderSize ? 1 : 97)) {
        QByteArray damaged = image;
        damaged[at] = char(damaged[at] ^ 0x20);
        EXPECT_FALSE(Dictionary::fromImage(damaged, kKey)) << "byte " << at;
    }
    for (const qsizetype length :
         {qsizetype(0), kHeaderSize - 1, kHeaderSize, image.size() / 2, image.size() - 1})
        EXPECT_FALSE(Dictionary::fromImage(image.left(length), kKey)) << length;
    EXPECT_FALSE(Dictionary::fromImage(image + '\0', kKey));
}

TEST(IndexImage, OffsetsAndCountsAreCheckedEvenUnderAFittingChecksum)
{
    const QByteArray image = sampleImage();
    const Tables t = tablesOf(image);
    const Header h = *readHeader(image);
    const auto refused = [&](auto change) {
        QByteArray crafted = image;
        change(crafted);
        return !Dictionary::fromImage(resealed(crafted), kKey);
    };
    ASSERT_FALSE(refused([](QByteArray&) {}));
    // An entry's names past the strings, or at their very end.
    EXPECT_TRUE(refused([&](QByteArray& c) { putU32(c, t.entries, h.strings); }));
    EXPECT_TRUE(refused([&](QByteArray& c) { putU32(c, t.entries, h.strings - 1); }));
    EXPECT_TRUE(refused([&](QByteArray& c) { putU32(c, t.entries, 1u << 29); }));
    // A gloss of no entry, or past the strings, or with a skip beyond them.
    EXPECT_TRUE(refused([&](QByteArray& c) { putU32(c, t.glosses + 4, h.entries); }));
    EXPECT_TRUE(refused([&](QByteArray& c) { putU32(c, t.glosses, h.strings); }));
    EXPECT_TRUE(refused([&](QByteArray& c) {
        putU32(c, t.glosses, h.strings - 2);
        putU32(c, t.glosses + 4, 0x3Fu << kSkipShift);
    }));
    // A word of no gloss, or reaching past the strings.
    EXPECT_TRUE(refused([&](QByteArray& c) { putU32(c, t.words, h.glosses); }));
    EXPECT_TRUE(refused([&](QByteArray& c) {
        putU32(c, t.glosses, h.strings - 3);
        putU32(c, t.glosses + 4, 0);
        putU32(c, t.words, 0xFFu << kDeltaShift);
    }));
    // Strings that do not end in two NULs; counts that do not add up.
    EXPECT_TRUE(refused([&](QByteArray& c) { c[c.size() - 2] = 'x'; }));
    EXPECT_TRUE(refused([&](QByteArray& c) { putU32(c, 12, h.entries + 1); }));
    EXPECT_TRUE(refused([&](QByteArray& c) { putU32(c, 24, h.strings - 4); }));
    EXPECT_TRUE(refused([&](QByteArray& c) { putU32(c, 8, kVersion + 1); }));
}

TEST(IndexImage, AnImageDamagedAtRandomIsRefusedOrAnswersWithinItsBounds)
{
    // Under the sanitizers this shows that no damage the checks let through
    // makes a lookup read outside the image.
    const QByteArray image = sampleImage();
    const Tables t = tablesOf(image);
    QRandomGenerator random(2024);
    int accepted = 0;
    for (int round = 0; round < 400; ++round) {
        QByteArray crafted = image;
        for (int n = 0; n < 3; ++n) {
            const auto at = t.entries + qsizetype(random.bounded(int(crafted.size() - t.entries)));
            crafted[at] = char(random.bounded(256));
        }
        const auto d = Dictionary::fromImage(resealed(crafted), kKey);
        if (!d)
            continue;
        ++accepted;
        for (const char16_t* word : {u"apple", u"a", u"dog", u"t", u"sauce"})
            d->lookup(word, 8);
    }
    EXPECT_GT(accepted, 0); // text bytes may change without breaking the index
}

} // namespace
