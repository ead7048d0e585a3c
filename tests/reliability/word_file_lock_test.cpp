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

// Where no lock file can be had beside the word file (a FIFO or a link
// standing there, a folder that takes no new file), the lock in the runtime
// folder holds the rule between copies of one user; nothing is created
// where the link leads, nothing waits on the FIFO. Without a runtime folder
// to lock in either, the caller is told.
TEST(WordFileLockAcrossProcesses, WhereNoLockFileCanBeHadBesideItTheRuntimeFolderHoldsTheRule)
{
    TempFolder folder;
    for (const char* name : {"ro/w.txt", "fifo/w.txt", "link/w.txt"})
        folder.write(QString::fromLatin1(name), "a,b,,,0,0,0\r\n");
    ASSERT_EQ(::mkfifo(QFile::encodeName(folder.path(QStringLiteral("fifo/.w.txt.lock"))).constData(), 0666),
              0);
    ASSERT_TRUE(QFile::link(folder.path(QStringLiteral("created-by-lock")),
                            folder.path(QStringLiteral("link/.w.txt.lock"))));
    ReadOnly readOnly(folder.path(QStringLiteral("ro")));
    if (!readOnly.effective())
        GTEST_SKIP() << "cannot make a folder read-only here (root without the immutable attribute)";

    for (const char* name : {"ro/w.txt", "fifo/w.txt", "link/w.txt"}) {
        SCOPED_TRACE(name);
        const QString word = folder.path(QString::fromLatin1(name));
        WordFileLock mine;
        ASSERT_EQ(mine.lock(word), Result::kTaken);
        EXPECT_EQ(mine.lockFile(), WordFileLock::runtimeLockFileFor(word));
        EXPECT_TRUE(WordFileLock::heldByAnyCopy(word));
        {
            LockHolder other(word);
            EXPECT_EQ(other.answer(), "held");
        }
        mine.release();
        EXPECT_FALSE(WordFileLock::heldByAnyCopy(word));
        LockHolder other(word);
        EXPECT_EQ(other.answer(), "taken");
        EXPECT_EQ(mine.lock(word), Result::kHeldElsewhere);
    }
    EXPECT_FALSE(folder.exists(QStringLiteral("created-by-lock")));

    // A runtime folder that takes no lock file either.
    folder.write(QStringLiteral("run/.keep"), {});
    QFile::setPermissions(folder.path(QStringLiteral("run")),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    const QByteArray previous = qgetenv("XDG_RUNTIME_DIR");
    qputenv("XDG_RUNTIME_DIR", folder.path(QStringLiteral("run")).toUtf8());
    {
        ReadOnly run(folder.path(QStringLiteral("run")), true);
        WordFileLock none;
        EXPECT_EQ(none.lock(folder.path(QStringLiteral("ro/w.txt"))), Result::kUnavailable);
        EXPECT_FALSE(none.held());
    }
    qputenv("XDG_RUNTIME_DIR", previous);
}

} // namespace
