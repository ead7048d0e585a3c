#include "dictionary/euc_jp.h"
#include "store/codec.h"

#include <QStringDecoder>
#include <gtest/gtest.h>

using dictionary::eucJpToCp932;

namespace {

// Where the JIS mapping of a character differs from the Microsoft one that
// CP932 uses, both name the same character of JIS X 0208.
bool sameCharacter(QChar jis, QChar cp932)
{
    static const QChar pairs[][2] = {{QChar(0x301C), QChar(0xFF5E)}, {QChar(0x2212), QChar(0xFF0D)},
                                     {QChar(0x2014), QChar(0x2015)}, {QChar(0x2016), QChar(0x2225)},
                                     {QChar(0x00A2), QChar(0xFFE0)}, {QChar(0x00A3), QChar(0xFFE1)},
                                     {QChar(0x00AC), QChar(0xFFE2)}};
    if (jis == cp932)
        return true;
    for (const auto& p : pairs) {
        if (p[0] == jis && p[1] == cp932)
            return true;
    }
    return false;
}

TEST(EucJp, EveryJisX0208CharacterReachesTheSameCharacterThroughTheWordFileCodec)
{
    // Checked against an independent converter, cell by cell: the arithmetic
    // must land every character on its own CP932 code.
    int compared = 0;
    for (int lead = 0xA1; lead <= 0xFE; ++lead) {
        for (int trail = 0xA1; trail <= 0xFE; ++trail) {
            const char pair[] = {char(lead), char(trail)};
            QStringDecoder reference("EUC-JP", QStringConverter::Flag::Stateless);
            const QString expected = reference.decode(QByteArrayView(pair, 2));
            if (reference.hasError() || expected.size() != 1 || expected.at(0) == QChar::ReplacementCharacter
                || (expected.at(0).unicode() >= 0xE000 && expected.at(0).unicode() <= 0xF8FF))
                continue;
            const std::optional<QByteArray> cp932 = eucJpToCp932(QByteArrayView(pair, 2));
            ASSERT_TRUE(cp932.has_value()) << std::hex << lead << trail;
            const QString shown = cp932::decode(*cp932);
            ASSERT_EQ(shown.size(), 1) << std::hex << lead << trail;
            EXPECT_TRUE(sameCharacter(expected.at(0), shown.at(0)))
                << std::hex << lead << trail << ": " << expected.toStdString() << " became "
                << shown.toStdString();
            ++compared;
        }
    }
    EXPECT_GT(compared, 6800); // JIS X 0208 has 6,879 characters
}

TEST(EucJp, AsciiAndHalfWidthKatakanaAreSingleBytes)
{
    EXPECT_EQ(eucJpToCp932("apple [x] /(n)/"), QByteArray("apple [x] /(n)/"));
    // ﾃｽﾄ: 0x8E before each half-width katakana.
    EXPECT_EQ(eucJpToCp932("\x8E\xC3\x8E\xBD\x8E\xC4"), QByteArray("\xC3\xBD\xC4"));
    EXPECT_EQ(cp932::decode(*eucJpToCp932("\xCE\xD3\xB8\xE9")), QStringLiteral("林檎"));
}

TEST(EucJp, TextAWordFileCannotHoldGivesNothing)
{
    // JIS X 0212 (丂, ū), which CP932 lacks; sequences EUC-JP does not
    // allow: a cut character, a half-width mark without katakana, stray
    // bytes.
    for (const QByteArray& bad : {QByteArray("\x8F\xB0\xA1"), QByteArray("manj\x8F\xAB\xE9"),
                                  QByteArray("a\xA4"), QByteArray("\x8E\x41"), QByteArray("\x8E\xE0"),
                                  QByteArray("\x80\xA1"), QByteArray("\xFF\xA1"), QByteArray("\xA4\x41")})
        EXPECT_FALSE(eucJpToCp932(bad).has_value()) << bad.toHex().toStdString();
    // Appending leaves what was there when it fails.
    QByteArray out("kept");
    EXPECT_FALSE(dictionary::appendCp932("\xA4\xA2\x8F\xB0\xA1", out));
    EXPECT_EQ(out, QByteArray("kept"));
}

} // namespace
