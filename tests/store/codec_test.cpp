#include "store/codec.h"
#include "store/failure.h"

#include <QStringEncoder>
#include <gtest/gtest.h>

namespace {

TEST(Codec, JisMappedCharactersGoToTheirCp932Codes)
{
    // What Linux input methods type where JIS and Microsoft mappings differ.
    const struct {
        char16_t ch;
        QByteArray bytes;
    } cases[] = {{u'\u301C', "\x81\x60"}, {u'\u2212', "\x81\x7C"}, {u'\u2014', "\x81\x5C"},
                 {u'\u2016', "\x81\x61"}, {u'\u00A2', "\x81\x91"}, {u'\u00A3', "\x81\x92"},
                 {u'\u00AC', "\x81\xCA"}};
    for (const auto& c : cases)
        EXPECT_EQ(cp932::encode(QString(QChar(c.ch))), c.bytes) << int(c.ch);
    EXPECT_EQ(cp932::encode(QStringLiteral("りんご")), QByteArray("\x82\xE8\x82\xF1\x82\xB2"));
}

TEST(Codec, UnencodableCharactersAreRefusedByName)
{
    // Qt's own encoder substitutes silently; ours must not.
    QStringEncoder qt("windows-31j");
    EXPECT_EQ(qt.encode(QStringLiteral("é")), QByteArray("\xFC\xFC"));
    try {
        cp932::encode(QStringLiteral("caf\u00E9"));
        ADD_FAILURE() << "no failure";
    } catch (const Failure& f) {
        EXPECT_TRUE(f.text().contains(QStringLiteral("「é」"))) << f.text().toStdString();
        EXPECT_TRUE(f.text().contains(QStringLiteral("U+00E9"))) << f.text().toStdString();
    }
    EXPECT_EQ(cp932::firstUnencodable(QStringLiteral("ok 😀 é")), QStringLiteral("😀"));
    EXPECT_EQ(cp932::firstUnencodable(QStringLiteral("〜−りんご")), QString());
}

TEST(Codec, UndecodableBytesShowAsReplacement)
{
    EXPECT_EQ(cp932::decode("abc"), QStringLiteral("abc"));
    EXPECT_EQ(cp932::decode("\x82\xA0"), QStringLiteral("あ"));
    const QString shown = cp932::decode(QByteArray("a\x80z"));
    EXPECT_TRUE(shown.contains(QChar::ReplacementCharacter));
    EXPECT_TRUE(shown.startsWith(QLatin1Char('a')));
    EXPECT_TRUE(shown.endsWith(QLatin1Char('z')));
    // A cut character at the end of one text does not leak into the next.
    EXPECT_TRUE(cp932::decode("a\x82").startsWith(QLatin1Char('a')));
    EXPECT_EQ(cp932::decode("\x82\xA0"
                            "b"),
              QStringLiteral("あb"));
    EXPECT_EQ(cp932::decode("\xA0"), QString(QChar::ReplacementCharacter));
    EXPECT_EQ(cp932::decode("\x82\xA2"), QStringLiteral("い"));
}

TEST(Codec, FirstCharacterIsWhole)
{
    EXPECT_EQ(cp932::firstCharacter("apple"), "a");
    EXPECT_EQ(cp932::firstCharacter("\x82\xA0\x82\xA2"), "\x82\xA0");
    EXPECT_EQ(cp932::firstCharacter("\xB1x"), "\xB1"); // half-width katakana is one byte
    EXPECT_EQ(cp932::firstCharacter(""), "");
}

} // namespace
