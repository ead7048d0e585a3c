// A word file's location: its stored and picked forms, and the one rule
// that tells whether two names are the same file.

#include "core/word_file_path.h"
#include "support/temp_folder.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

TEST(WordFilePath, AStoredNameSeparatesFoldersByBackslashAPickedOneIsTheFileAsPicked)
{
    const WordFilePath stored = WordFilePath::stored(QStringLiteral("words\\default.txt"));
    EXPECT_EQ(stored.shown(), QStringLiteral("words\\default.txt"));
    EXPECT_EQ(stored.file(), QStringLiteral("words/default.txt"));
    EXPECT_TRUE(stored.isRelative());

    const WordFilePath picked = WordFilePath::picked(QStringLiteral("/home/a/x\\a.csv"));
    EXPECT_EQ(picked.shown(), QStringLiteral("/home/a/x\\a.csv"));
    EXPECT_EQ(picked.file(), QStringLiteral("/home/a/x\\a.csv"));
    EXPECT_FALSE(picked.isRelative());
    EXPECT_TRUE(WordFilePath().isEmpty());

    // A suffix is added once, whatever its case, and shown as added.
    EXPECT_EQ(WordFilePath::stored(QStringLiteral("words\\list")).withSuffix(QStringLiteral(".txt")),
              WordFilePath::stored(QStringLiteral("words\\list.txt")));
    EXPECT_EQ(picked.withSuffix(QStringLiteral(".CSV")), picked);
    EXPECT_EQ(WordFilePath::picked(QStringLiteral("a.txt")).withSuffix(QStringLiteral(".csv")).file(),
              QStringLiteral("a.txt.csv"));
}

TEST(WordFilePath, EverySpellingOfAnExistingFileIsThatFileAndNoOtherFileIs)
{
    TempFolder folder;
    folder.write(QStringLiteral("words/default.txt"), "a,b,,,0,0,0\r\n");
    folder.write(QStringLiteral("words/copy.txt"), "a,b,,,0,0,0\r\n");
    const WordFilePath current = WordFilePath::stored(QStringLiteral("words\\default.txt"));
    const QString file = folder.path(QStringLiteral("words/default.txt"));
    ASSERT_TRUE(QFile::link(file, folder.path(QStringLiteral("link.txt"))));
    ASSERT_EQ(::link(QFile::encodeName(file).constData(),
                     QFile::encodeName(folder.path(QStringLiteral("hard.txt"))).constData()),
              0);

    const struct {
        const char* spelling;
        QString name;
        bool same;
    } rows[] = {
        {"absolute", file, true},
        {"relative", QStringLiteral("words/default.txt"), true},
        {"backslash, picked", folder.path(QStringLiteral("words\\default.txt")), true},
        {"dot", folder.path(QStringLiteral("words/./default.txt")), true},
        {"dot dot", folder.path(QStringLiteral("words/../words/default.txt")), true},
        {"symbolic link", folder.path(QStringLiteral("link.txt")), true},
        {"hard link", folder.path(QStringLiteral("hard.txt")), true},
        {"same bytes, another file", folder.path(QStringLiteral("words/copy.txt")), false},
        {"missing", folder.path(QStringLiteral("words/other.txt")), false},
        {"the folder", folder.path(QStringLiteral("words")), false},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(sameFile(WordFilePath::picked(row.name), current), row.same) << row.spelling;
        EXPECT_EQ(sameFile(current, WordFilePath::picked(row.name)), row.same) << row.spelling;
    }
    EXPECT_FALSE(sameFile(WordFilePath(), current));
    EXPECT_FALSE(sameFile(WordFilePath(), WordFilePath()));
}

TEST(WordFilePath, AFileNotMadeYetIsKnownByItsAbsoluteNameThroughLinkedFolders)
{
    TempFolder folder;
    QDir().mkpath(folder.path(QStringLiteral("words")));
    ASSERT_TRUE(QFile::link(folder.path(QStringLiteral("words")), folder.path(QStringLiteral("linked"))));
    const WordFilePath fresh = WordFilePath::picked(folder.path(QStringLiteral("words/new.txt")));
    EXPECT_TRUE(sameFile(WordFilePath::stored(QStringLiteral("words\\new.txt")), fresh));
    EXPECT_TRUE(sameFile(WordFilePath::picked(folder.path(QStringLiteral("words/./new.txt"))), fresh));
    EXPECT_TRUE(sameFile(WordFilePath::picked(folder.path(QStringLiteral("linked/new.txt"))), fresh));
    EXPECT_FALSE(sameFile(WordFilePath::picked(folder.path(QStringLiteral("words/new.txt.txt"))), fresh));
    // Once one of the two names exists they are told apart by what stands there.
    folder.write(QStringLiteral("words/new.txt.txt"), "x");
    EXPECT_FALSE(sameFile(WordFilePath::picked(folder.path(QStringLiteral("words/new.txt.txt"))), fresh));
    EXPECT_FALSE(fresh.exists());
    EXPECT_TRUE(WordFilePath::stored(QStringLiteral("words\\new.txt.txt")).exists());
}

} // namespace
