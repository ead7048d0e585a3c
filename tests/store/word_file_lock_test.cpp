#include "store/word_file_lock.h"
#include "support/temp_folder.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

using Result = WordFileLock::Result;

TEST(WordFileLock, EveryNameOfAWordFileLocksOneLockFileBesideIt)
{
    TempFolder folder;
    folder.write(QStringLiteral("words/default.txt"), "a,b,,,0,0,0\r\n");
    const QString lockFile = folder.path(QStringLiteral("words/.default.txt.lock"));
    const QString canonical = QFileInfo(folder.path(QStringLiteral("words"))).canonicalFilePath();
    const QString expected = canonical + QStringLiteral("/.default.txt.lock");
    EXPECT_EQ(WordFileLock::lockFileFor(QStringLiteral("words/default.txt")), expected);
    EXPECT_EQ(WordFileLock::lockFileFor(folder.path(QStringLiteral("words/default.txt"))), expected);
    // Through a link from elsewhere: beside the file it leads to.
    QDir().mkpath(folder.path(QStringLiteral("elsewhere")));
    ASSERT_TRUE(QFile::link(folder.path(QStringLiteral("words/default.txt")),
                            folder.path(QStringLiteral("elsewhere/mine.txt"))));
    EXPECT_EQ(WordFileLock::lockFileFor(QStringLiteral("elsewhere/mine.txt")), expected);
    // A file not made yet locks beside where it will be.
    EXPECT_EQ(WordFileLock::lockFileFor(QStringLiteral("words/new.txt")),
              canonical + QStringLiteral("/.new.txt.lock"));

    WordFileLock lock;
    EXPECT_FALSE(lock.held());
    ASSERT_EQ(lock.lock(QStringLiteral("words/default.txt")), Result::kTaken);
    EXPECT_TRUE(lock.held());
    EXPECT_EQ(QFileInfo(lock.lockFile()).canonicalFilePath(), QFileInfo(lockFile).canonicalFilePath());
    // Another holder (an flock is per open file, so one process can play
    // two copies) is refused under any name of the file.
    WordFileLock other;
    EXPECT_EQ(other.lock(QStringLiteral("elsewhere/mine.txt")), Result::kHeldElsewhere);
    EXPECT_FALSE(other.held());
    // Asking again for the file we hold is no conflict with ourselves.
    EXPECT_EQ(lock.lock(QStringLiteral("elsewhere/mine.txt")), Result::kTaken);

    // Released, the lock file stays and the next one takes it.
    lock.release();
    EXPECT_FALSE(lock.held());
    EXPECT_TRUE(QFileInfo::exists(lockFile));
    EXPECT_EQ(other.lock(QStringLiteral("words/default.txt")), Result::kTaken);
}

TEST(WordFileLock, ANewCurrentFileTakesOverOnlyOnceItIsHeld)
{
    TempFolder folder;
    for (const char* name : {"a.txt", "b.txt", "c.txt"})
        folder.write(QString::fromLatin1(name), {});
    WordFileLock mine;
    WordFileLock theirs;
    ASSERT_EQ(mine.lock(QStringLiteral("a.txt")), Result::kTaken);
    ASSERT_EQ(theirs.lock(QStringLiteral("c.txt")), Result::kTaken);

    // b becomes current: a is let go.
    ASSERT_EQ(mine.lock(QStringLiteral("b.txt")), Result::kTaken);
    WordFileLock probe;
    EXPECT_EQ(probe.lock(QStringLiteral("a.txt")), Result::kTaken);
    probe.release();
    // c is held by another copy: b stays ours.
    EXPECT_EQ(mine.lock(QStringLiteral("c.txt")), Result::kHeldElsewhere);
    EXPECT_TRUE(mine.held());
    EXPECT_EQ(probe.lock(QStringLiteral("b.txt")), Result::kHeldElsewhere);

    // Moved, the lock goes along; assigned over, the old one is let go.
    WordFileLock moved(std::move(mine));
    EXPECT_FALSE(mine.held());
    EXPECT_TRUE(moved.held());
    EXPECT_EQ(probe.lock(QStringLiteral("b.txt")), Result::kHeldElsewhere);
    moved = std::move(theirs);
    EXPECT_EQ(probe.lock(QStringLiteral("b.txt")), Result::kTaken);
    EXPECT_EQ(mine.lock(QStringLiteral("c.txt")), Result::kHeldElsewhere);
}

} // namespace
