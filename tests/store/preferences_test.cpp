#include "store/failure.h"
#include "store/preferences.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

namespace {

TEST(Preferences, ReadsLikeAPrivateProfile)
{
    const QByteArray content =
        "[Other]\r\ndefwordfile=no\r\n[WordFile]\r\n  DefWordFile = words\\my.txt \r\n";
    EXPECT_EQ(prefs::valueIn(content, "wordfile", "defwordfile", "d"), "words\\my.txt");
    EXPECT_EQ(prefs::valueIn(content, "wordfile", "missing", "d"), "d");
    EXPECT_EQ(prefs::valueIn("", "wordfile", "defwordfile", "d"), "d");
    EXPECT_EQ(prefs::valueIn("[wordfile]\ndefwordfile=\"a b\"\n", "wordfile", "defwordfile", "d"), "a b");
    const QByteArray longValue(3000, 'x');
    EXPECT_EQ(prefs::valueIn("[wordfile]\r\ndefwordfile=" + longValue, "wordfile", "defwordfile", "d").size(),
              2047);
}

TEST(Preferences, WritingOneKeyKeepsTheOthers)
{
    const QByteArray content = "; note\r\n[wordfile]\r\nother=1\r\nDefWordFile=old\r\n\r\n[more]\r\nx=y\r\n";
    const QByteArray written = prefs::withValue(content, "wordfile", "defwordfile", "new\\path.txt");
    EXPECT_EQ(written,
              "; note\r\n[wordfile]\r\nother=1\r\nDefWordFile=new\\path.txt\r\n\r\n[more]\r\nx=y\r\n");
    EXPECT_EQ(prefs::withValue("[more]\nx=y", "wordfile", "defwordfile", "v"),
              "[more]\r\nx=y\r\n[wordfile]\r\ndefwordfile=v\r\n");
    EXPECT_EQ(prefs::withValue("[WORDFILE]\r\nk=1\r\n\r\n[z]\r\n", "wordfile", "defwordfile", "v"),
              "[WORDFILE]\r\nk=1\r\ndefwordfile=v\r\n\r\n[z]\r\n");
}

TEST(Preferences, FileRoundTripAndWriteFailure)
{
    TempFolder folder;
    const QString file = folder.prefsFile();
    EXPECT_EQ(prefs::readString(file, "wordfile", "defwordfile", "words\\default.txt"), "words\\default.txt");
    prefs::writeString(file, "wordfile", "defwordfile", sjis("単語\\英検.txt"));
    EXPECT_EQ(folder.read(QStringLiteral("config/plimopref.ini")),
              "[wordfile]\r\ndefwordfile=" + sjis("単語\\英検.txt") + "\r\n");
    EXPECT_EQ(prefs::readString(file, "WordFile", "DEFWORDFILE", "d"), sjis("単語\\英検.txt"));

    folder.write(QStringLiteral("blocker"), "a file where a folder should be");
    const QString blocked = folder.path(QStringLiteral("blocker/plimopref.ini"));
    try {
        prefs::writeString(blocked, "wordfile", "defwordfile", "x");
        ADD_FAILURE() << "no failure";
    } catch (const Failure& f) {
        EXPECT_EQ(f.text(), QStringLiteral("%1 に書き込めません").arg(blocked));
    }
}

// What valueRefusal lets through is exactly what reads back unchanged.
TEST(Preferences, RefusesAValueItCouldNotGiveBackWhole)
{
    const QString tooLong =
        QStringLiteral("ファイル名が長すぎるため、デフォルト単語ファイルに設定できません(2047 バイトまで)。");
    const QString control =
        QStringLiteral("改行などの制御文字を含むファイル名は、デフォルト単語ファイルに設定できません。");
    const QString around =
        QStringLiteral("前後に空白や引用符のあるファイル名は、デフォルト単語ファイルに設定できません。");
    const struct {
        QByteArray value;
        QString refusal;
    } cases[] = {
        {QByteArray(2047, 'x'), {}},
        {QByteArray(2048, 'x'), tooLong},
        {sjis("単語") + QByteArray(2044, 'x'), tooLong}, // 2048 bytes in CP932
        {"a\r\nb.txt", control},
        {"a\nb.txt", control},
        {"tab\there.txt", control},
        {QByteArray("nul\0.txt", 8), control},
        {"del\x7f.txt", control},
        {" lead.txt", around},
        {"trail.txt ", around},
        {"\"quoted.txt\"", around},
        {"'quoted.txt'", around},
        {"it's \"fine\".txt", {}},
        {"words\\" + sjis("表示・ソート.txt"), {}}, // 表 and ソ end in a backslash's byte
        {"", {}},
    };
    TempFolder folder;
    const QString file = folder.prefsFile();
    prefs::writeString(file, prefs::kSection, prefs::kKey, "before");
    const QByteArray before = folder.read(QStringLiteral("config/plimopref.ini"));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value.left(40).toStdString());
        EXPECT_EQ(prefs::valueRefusal(c.value), c.refusal);
        if (c.refusal.isEmpty()) {
            EXPECT_EQ(prefs::valueIn(prefs::withValue({}, "wordfile", "defwordfile", c.value), "wordfile",
                                     "defwordfile", "d"),
                      c.value);
            continue;
        }
        // The writer refuses it too, and the file stays as it was.
        EXPECT_THROW(prefs::writeString(file, prefs::kSection, prefs::kKey, c.value), Failure);
        EXPECT_EQ(folder.read(QStringLiteral("config/plimopref.ini")), before);
    }
}

TEST(Preferences, AFileTooLargeToReadWholeIsRefusedNotCut)
{
    TempFolder folder;
    // A long comment first: the key behind it must not be read from a cut
    // file, nor the file rewritten without its end.
    const QByteArray big =
        "; " + QByteArray(prefs::kMaxFileBytes, 'c') + "\r\n[wordfile]\r\ndefwordfile=far\r\n";
    folder.write(QStringLiteral("config/plimopref.ini"), big);
    const QString file = folder.prefsFile();
    try {
        prefs::readString(file, prefs::kSection, prefs::kKey, "d");
        ADD_FAILURE() << "no failure";
    } catch (const Failure& f) {
        EXPECT_EQ(f.text(), QStringLiteral("ファイル %1 は開けません(大きすぎます)").arg(file));
    }
    try {
        prefs::writeString(file, prefs::kSection, prefs::kKey, "near");
        ADD_FAILURE() << "no failure";
    } catch (const Failure& f) {
        EXPECT_EQ(f.text(), QStringLiteral("%1 に書き込めません(大きすぎます)").arg(file));
    }
    EXPECT_EQ(folder.read(QStringLiteral("config/plimopref.ini")), big);
}

} // namespace
