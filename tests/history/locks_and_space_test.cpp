#include "history_files.h"
#include "support/file_size_limit.h"
#include "support/temp_folder.h"

#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/statvfs.h>

namespace {

using history::History;
using history::Problem;

// Another program holding the history for ten seconds: a write transaction
// (another Lexiwren, or a tool, in WAL mode), or the whole file in exclusive
// mode. No answer waits for it longer than the busy timeout, reads go on
// where WAL allows them, and once it lets go the next answer is recorded.
void holdAndAnswer(bool exclusive)
{
    TempFolder folder;
    const QString file = folder.path(QStringLiteral("history.sqlite"));
    makeHistory(file, 10);
    QProcess holder;
    QStringList arguments{QStringLiteral("hold"), file, QStringLiteral("10")};
    if (exclusive)
        arguments << QStringLiteral("exclusive");
    holder.start(QStringLiteral(HISTORY_CHILD), arguments);
    ASSERT_TRUE(holder.waitForReadyRead(20000));
    ASSERT_EQ(holder.readLine().trimmed(), "held");

    History h(file);
    QElapsedTimer clock;
    clock.start();
    EXPECT_FALSE(recordAnswer(h, kT0 + 100));
    EXPECT_FALSE(recordAnswer(h, kT0 + 101));
    const auto read = h.answersSince(kWords, 0);
    EXPECT_LT(clock.elapsed(), 3000) << "answers wait a moment, not for the holder";
    ASSERT_TRUE(h.lastError().has_value());
    EXPECT_EQ(h.lastError()->problem, Problem::Locked);
    if (exclusive) {
        EXPECT_FALSE(read.has_value());
    } else {
        EXPECT_EQ(read->size(), 10u) << "a reader never waits for a writer in WAL mode";
    }
    EXPECT_EQ(h.takeNotice()->problem, Problem::Locked);

    holder.kill();
    holder.waitForFinished();
    EXPECT_TRUE(recordAnswer(h, kT0 + 102));
    EXPECT_EQ(h.answersSince(kWords, 0)->size(), 11u);
    EXPECT_FALSE(h.takeNotice().has_value());
}

TEST(HistoryLocks, AWriterHoldingTheHistoryDelaysNoAnswer)
{
    holdAndAnswer(false);
}

TEST(HistoryLocks, AnExclusiveHolderDelaysNoAnswerNorRead)
{
    holdAndAnswer(true);
}

// Answers until the file may grow no more; what was committed before stays,
// the file stays whole, and the answers go in again once there is room.
void fillUp(History& h, const QString& file, const std::function<void()>& makeRoom)
{
    int kept = 0;
    for (int i = 0; i < 20000; ++i) {
        if (!recordAnswer(h, kT0 + 1000 + i, "w" + QByteArray::number(i % 50)))
            break;
        ++kept;
    }
    ASSERT_TRUE(h.lastError().has_value()) << "the limit was never reached";
    EXPECT_EQ(h.lastError()->problem, Problem::Full)
        << h.lastError()->detail.toStdString() << " errno " << errno;
    EXPECT_GT(kept, 0);
    const auto before = h.answersSince({}, 0);
    ASSERT_TRUE(before.has_value());
    makeRoom();
    EXPECT_TRUE(recordAnswer(h, kT0 + 999999));
    History other(file);
    EXPECT_EQ(other.answersSince({}, 0)->size(), before->size() + 1);
    EXPECT_EQ(sqliteValue(file, "PRAGMA integrity_check"), "ok");
}

TEST(HistorySpace, AFileSizeLimitIsAFullDisk)
{
    TempFolder folder;
    const QString file = folder.path(QStringLiteral("history.sqlite"));
    makeHistory(file, 200);
    History h(file);
    ASSERT_TRUE(recordAnswer(h, kT0 + 500));
    std::optional<FileSizeLimit> limit(std::in_place, 96 * 1024);
    ASSERT_TRUE(limit->ok());
    fillUp(h, file, [&] { limit.reset(); });
}

// A real full file system: a small tmpfs, where we may mount one.
TEST(HistorySpace, AFullDataFolderIsReportedAndSurvived)
{
    TempFolder folder;
    const QString data = folder.path(QStringLiteral("data"));
    QDir().mkdir(data);
    if (::mount("tmpfs", QFile::encodeName(data).constData(), "tmpfs", 0, "size=256k") != 0)
        GTEST_SKIP() << "cannot mount a small file system here";
    struct Unmount {
        QByteArray path;
        ~Unmount() { ::umount2(path.constData(), MNT_DETACH); }
    } unmount{QFile::encodeName(data)};

    const QString file = data + QStringLiteral("/history.sqlite");
    History h(file);
    ASSERT_TRUE(recordAnswer(h, kT0));
    // Leave room for a few answers, then take it.
    const QString filler = data + QStringLiteral("/filler");
    struct statvfs space { };
    ASSERT_EQ(::statvfs(QFile::encodeName(data).constData(), &space), 0);
    const qint64 room = qint64(space.f_bavail) * qint64(space.f_frsize);
    ASSERT_GT(room, 64 * 1024);
    folder.write(QStringLiteral("data/filler"), QByteArray(room - 48 * 1024, 'x'));
    fillUp(h, file, [&] { QFile::remove(filler); });
}

} // namespace
