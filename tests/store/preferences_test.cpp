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

} // namespace
