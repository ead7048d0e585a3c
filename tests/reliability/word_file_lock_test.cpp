#include "probe.h"
#include "read_only.h"
#include "store/word_file_lock.h"
#include "support/fixtures.h"

#include <QFile>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using Result = WordFileLock::Result;

// A second copy is another process: its lock is seen, and it goes with the
// process however that ends.
TEST(WordFileLockAcrossProcesses, AHeldLockIsSeenAndGoesWithTheCopyThatHeldIt)
{
    TempFolder folder;
    folder.write(QStringLiteral("words/default.txt"), "a,b,,,0,0,0\r\n");
    const QString word = folder.path(QStringLiteral("words/default.txt"));
    WordFileLock mine;
    {
        LockHolder other(word);
        ASSERT_EQ(other.answer(), "taken");
        EXPECT_EQ(mine.lock(QStringLiteral("words/default.txt")), Result::kHeldElsewhere);
        other.exit();
    }
    ASSERT_EQ(mine.lock(QStringLiteral("words/default.txt")), Result::kTaken);
    {
        LockHolder other(word);
        EXPECT_EQ(other.answer(), "held");
    }
    mine.release();
    {
        LockHolder other(word);
        ASSERT_EQ(other.answer(), "taken");
        other.kill();
    }
    EXPECT_EQ(mine.lock(QStringLiteral("words/default.txt")), Result::kTaken);
}

// Another user's lock file in a folder we may not write, as when two homes
// share one word file: it is locked through a read-only descriptor, both
// ways round.
TEST(WordFileLockAcrossProcesses, ALockFileThatCannotBeWrittenIsLockedForReading)
{
    TempFolder folder;
    folder.write(QStringLiteral("shared/w.txt"), "a,b,,,0,0,0\r\n");
    folder.write(QStringLiteral("shared/.w.txt.lock"), {});
    const QString word = folder.path(QStringLiteral("shared/w.txt"));
    const QString lockFile = folder.path(QStringLiteral("shared/.w.txt.lock"));
    const bool root = ::getuid() == 0;
    if (root) {
        // Ours, and only readable by the other user, who runs the probe.
        const QString why = probe::cannotRunAsNobody();
        if (!why.isEmpty())
            GTEST_SKIP() << why.toStdString();
        ASSERT_EQ(::chmod(QFile::encodeName(folder.path(QStringLiteral("."))).constData(), 0755), 0);
        ASSERT_NE(probe::run({QStringLiteral("save"), lockFile}, true), QStringLiteral("saved"));
    } else {
        QFile::setPermissions(lockFile, QFileDevice::ReadOwner | QFileDevice::ReadGroup);
        QFile::setPermissions(folder.path(QStringLiteral("shared")),
                              QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        ASSERT_FALSE(QFileInfo(lockFile).isWritable());
    }
    WordFileLock mine;
    {
        LockHolder other(word, root);
        ASSERT_EQ(other.answer(), "taken");
        EXPECT_EQ(mine.lock(word), Result::kHeldElsewhere);
        other.kill();
    }
    ASSERT_EQ(mine.lock(word), Result::kTaken);
    {
        LockHolder other(word, root);
        EXPECT_EQ(other.answer(), "held");
    }
    mine.release();
    QFile::setPermissions(folder.path(QStringLiteral("shared")),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

TEST(WordFileLockAcrossProcesses, WhereNoLockCanBeHadTheCallerIsTold)
{
    TempFolder folder;
    folder.write(QStringLiteral("ro/w.txt"), "a,b,,,0,0,0\r\n");
    folder.write(QStringLiteral("odd/w.txt"), "a,b,,,0,0,0\r\n");
    // A FIFO where the lock file belongs is never waited on; a link there is
    // not followed, so nothing is created where it leads.
    ASSERT_EQ(::mkfifo(QFile::encodeName(folder.path(QStringLiteral("odd/.w.txt.lock"))).constData(), 0666),
              0);
    LockHolder fifo(folder.path(QStringLiteral("odd/w.txt")));
    EXPECT_EQ(fifo.answer(), "unavailable");
    folder.write(QStringLiteral("odd/x.txt"), {});
    ASSERT_TRUE(QFile::link(folder.path(QStringLiteral("created-by-lock")),
                            folder.path(QStringLiteral("odd/.x.txt.lock"))));
    WordFileLock lock;
    EXPECT_EQ(lock.lock(QStringLiteral("odd/x.txt")), Result::kUnavailable);
    EXPECT_FALSE(folder.exists(QStringLiteral("created-by-lock")));

    {
        // A folder that takes no lock file, and none there yet.
        ReadOnly readOnly(folder.path(QStringLiteral("ro")));
        if (!readOnly.effective())
            GTEST_SKIP() << "cannot make a folder read-only here (root without the immutable attribute)";
        WordFileLock none;
        EXPECT_EQ(none.lock(QStringLiteral("ro/w.txt")), Result::kUnavailable);
        EXPECT_FALSE(none.held());
    }
}

} // namespace
