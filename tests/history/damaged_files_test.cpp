#include "history_files.h"
#include "read_only.h"
#include "support/temp_folder.h"

#include <QDir>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

using history::History;
using history::Problem;

// What every bad file must come to: the answer is refused at once with the
// problem named, reads fail the same way, the learner is told once, and the
// file is exactly as it was.
void expectRefused(const QString& file, Problem problem)
{
    const QByteArray before = bytesOf(file);
    History h(file);
    QElapsedTimer clock;
    clock.start();
    EXPECT_FALSE(recordAnswer(h, kT0));
    ASSERT_TRUE(h.lastError().has_value());
    EXPECT_EQ(h.lastError()->problem, problem) << h.lastError()->detail.toStdString();
    EXPECT_TRUE(h.lastError()->writing);
    EXPECT_FALSE(h.reviewsOf(kWords).has_value());
    EXPECT_FALSE(recordAnswer(h, kT0 + 1));
    EXPECT_LT(clock.elapsed(), 2000) << "nothing waits on a bad file";

    const std::optional<history::Error> notice = h.takeNotice();
    ASSERT_TRUE(notice.has_value());
    EXPECT_TRUE(notice->message().contains(file)) << notice->message().toStdString();
    EXPECT_TRUE(notice->message().contains(notice->reason()));
    EXPECT_FALSE(h.takeNotice().has_value()) << "once per run";
    EXPECT_EQ(bytesOf(file), before);
}

TEST(HistoryFiles, WhatIsNoRegularFileIsNeverOpened)
{
    TempFolder folder;
    const QString file = folder.path(QStringLiteral("history.sqlite"));
    ASSERT_TRUE(QDir().mkdir(file));
    expectRefused(file, Problem::NotAFile);
    ASSERT_TRUE(QDir().rmdir(file));

    // A FIFO would block whoever reads it until a writer came: never opened.
    ASSERT_EQ(::mkfifo(QFile::encodeName(file).constData(), 0600), 0);
    expectRefused(file, Problem::NotAFile);
    QFile::remove(file);

    makeHistory(file, 10);
    ASSERT_EQ(::mkfifo(QFile::encodeName(file + QStringLiteral("-wal")).constData(), 0600), 0);
    expectRefused(file, Problem::NotAFile);
    QFile::remove(file + QStringLiteral("-wal"));

    ASSERT_TRUE(
        QFile::link(folder.path(QStringLiteral("nowhere")), folder.path(QStringLiteral("link.sqlite"))));
    expectRefused(folder.path(QStringLiteral("link.sqlite")), Problem::NotAFile);
}

TEST(HistoryFiles, DamagedForeignAndNewerFilesAreLeftAsTheyAre)
{
    TempFolder folder;
    const QString file = folder.path(QStringLiteral("history.sqlite"));

    // Cut short: the header still counts the lost pages.
    makeHistory(file, 3000);
    const QByteArray whole = bytesOf(file);
    ASSERT_GT(whole.size(), 8 * 4096);
    folder.write(QStringLiteral("history.sqlite"), whole.left(whole.size() / 2));
    expectRefused(file, Problem::Damaged);

    // Overwritten with garbage, whole or past the first page.
    QByteArray garbage(64 * 1024, '\0');
    QRandomGenerator rng(21);
    for (char& c : garbage)
        c = char(rng.bounded(256));
    folder.write(QStringLiteral("history.sqlite"), garbage);
    expectRefused(file, Problem::Damaged);
    folder.write(QStringLiteral("history.sqlite"), whole.left(4096) + garbage);
    expectRefused(file, Problem::Damaged);
    folder.write(QStringLiteral("history.sqlite"), "SQLite format 3");
    expectRefused(file, Problem::Damaged);

    // Another program's database, and one of a later Lexiwren.
    QFile::remove(file);
    sqliteValue(file, "CREATE TABLE notes(text)");
    expectRefused(file, Problem::Foreign);
    QFile::remove(file);
    makeHistory(file, 5);
    sqliteValue(file, "PRAGMA user_version = 2");
    expectRefused(file, Problem::Newer);
}

TEST(HistoryFiles, AReadOnlyHistoryIsReadButNotWritten)
{
    TempFolder folder;
    const QString file = folder.path(QStringLiteral("history.sqlite"));
    makeHistory(file, 40);
    {
        const ReadOnly readOnly(file);
        if (!readOnly.effective())
            GTEST_SKIP() << "cannot make a file read-only here";
        History h(file);
        QElapsedTimer clock;
        clock.start();
        EXPECT_FALSE(recordAnswer(h, kT0 + 100));
        EXPECT_LT(clock.elapsed(), 2000);
        ASSERT_TRUE(h.lastError().has_value());
        EXPECT_EQ(h.lastError()->problem, Problem::ReadOnly) << h.lastError()->detail.toStdString();
        const auto answers = h.answersSince(kWords, 0);
        if (answers) {
            EXPECT_EQ(answers->size(), 40u);
        } else {
            EXPECT_EQ(h.lastError()->problem, Problem::ReadOnly);
        }
        EXPECT_TRUE(h.takeNotice().has_value());
    }
    // Writable again: the same run records once more.
    History h(file);
    EXPECT_TRUE(recordAnswer(h, kT0 + 101));
    EXPECT_EQ(h.answersSince(kWords, 0)->size(), 41u);
}

TEST(HistoryFiles, AFolderThatRefusesANewFileIsReadOnly)
{
    TempFolder folder;
    QDir().mkdir(folder.path(QStringLiteral("data")));
    const ReadOnly readOnly(folder.path(QStringLiteral("data")));
    if (!readOnly.effective())
        GTEST_SKIP() << "cannot make a folder read-only here";
    History h(folder.path(QStringLiteral("data/history.sqlite")));
    EXPECT_TRUE(h.reviewsOf(kWords).has_value()) << "nothing recorded yet is no failure";
    EXPECT_FALSE(recordAnswer(h, kT0));
    ASSERT_TRUE(h.lastError().has_value());
    EXPECT_EQ(h.lastError()->problem, Problem::ReadOnly) << h.lastError()->detail.toStdString();
}

// A file made by hand to exhaust whoever reads it: a value far larger than
// any of ours, more rows than we take, a read that runs too long.
TEST(HistoryFiles, ReadsAreBoundedInSizeRowsAndTime)
{
    TempFolder folder;
    const QString file = folder.path(QStringLiteral("history.sqlite"));
    makeHistory(file, 500);
    sqliteValue(file, "UPDATE words SET word = zeroblob(3000000) WHERE id = 1");
    {
        History h(file);
        EXPECT_FALSE(h.reviewsOf(kWords).has_value());
        EXPECT_EQ(h.lastError()->problem, Problem::TooLarge);
    }
    sqliteValue(file, "UPDATE words SET word = 'word0' WHERE id = 1");
    History::Settings few;
    few.maxRows = 100;
    History bounded(file, few);
    EXPECT_FALSE(bounded.answersSince({}, 0).has_value());
    EXPECT_EQ(bounded.lastError()->problem, Problem::TooLarge);

    History::Settings hurried;
    hurried.readLimit = std::chrono::milliseconds(0);
    makeHistory(folder.path(QStringLiteral("big.sqlite")), 60000);
    History slow(folder.path(QStringLiteral("big.sqlite")), hurried);
    EXPECT_FALSE(slow.reviewsOf(kWords).has_value());
    EXPECT_EQ(slow.lastError()->problem, Problem::TooLarge);

    History fine(file);
    EXPECT_EQ(fine.answersSince({}, 0)->size(), 500u);
}

} // namespace
