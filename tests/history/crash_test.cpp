#include "history_files.h"
#include "store/line_store.h"
#include "store/record.h"
#include "store/word_file.h"
#include "support/temp_folder.h"

#include <QProcess>
#include <QThread>
#include <csignal>
#include <gtest/gtest.h>
#include <iostream>
#include <random>
#include <set>

namespace {

constexpr int kKills = 80;

// The count of "apple" in the word file the child saves.
qint64 askedIn(const QString& wordFile)
{
    LineStore store;
    LoadLines(store, wordFile);
    return StrToInt(ReadField(store, 0, kAsked));
}

// A child answers, saves and commits in a loop, as the trainer will, and is
// killed with SIGKILL at a random moment, again and again. Whatever moment
// that was, the history is an undamaged database holding every answer the
// child reported committed, and no answer the word file does not count;
// the word file counts at most the one answer whose commit the kill cut off.
TEST(HistoryCrash, KilledWhileAnsweringTheHistoryAndTheWordFileAgree)
{
    TempFolder folder;
    const QString historyFile = folder.path(QStringLiteral("history.sqlite"));
    const QString wordFile = folder.path(QStringLiteral("words.txt"));
    LineStore store;
    store.setText("apple,a,,,0,0,0\r\n");
    SaveLines(store, wordFile);

    std::mt19937 rng(21); // fixed, so a failing run can be repeated
    std::uniform_int_distribution<int> delayMicros(0, 30000);
    std::set<qint64> committed;
    int cutBeforeCommit = 0;
    for (int round = 0; round < kKills; ++round) {
        const qint64 counted = askedIn(wordFile);
        QProcess child;
        child.start(QStringLiteral(HISTORY_CHILD),
                    {QStringLiteral("append"), historyFile, wordFile, QString::number(counted + 1)});
        ASSERT_TRUE(child.waitForStarted());
        // Sometimes even before its first answer is out.
        if (round % 4 != 0) {
            ASSERT_TRUE(child.waitForReadyRead(30000)) << round;
        }
        QThread::usleep(static_cast<unsigned long>(delayMicros(rng)));
        ::kill(static_cast<pid_t>(child.processId()), SIGKILL);
        ASSERT_TRUE(child.waitForFinished(30000));
        for (const QByteArray& line : child.readAllStandardOutput().split('\n')) {
            if (!line.isEmpty())
                committed.insert(line.toLongLong());
        }

        ASSERT_EQ(sqliteValue(historyFile, "PRAGMA integrity_check"), "ok") << "round " << round;
        history::History h(historyFile);
        const auto reviews = h.reviewsOf(kWords);
        ASSERT_TRUE(reviews.has_value()) << "round " << round;
        std::set<qint64> rows;
        for (const history::WordReviews& w : *reviews) {
            for (const history::Review& r : w.reviews)
                rows.insert(r.time);
        }
        const qint64 asked = askedIn(wordFile);
        for (const qint64 c : committed)
            ASSERT_TRUE(rows.count(c)) << "round " << round << ": committed answer " << c << " lost";
        ASSERT_TRUE(rows.empty() || *rows.rbegin() <= asked)
            << "round " << round << ": the history holds an answer the word file does not count";
        ASSERT_GE(asked, rows.empty() ? 0 : *rows.rbegin());
        if (!rows.empty() && asked == *rows.rbegin() + 1)
            ++cutBeforeCommit;
    }
    EXPECT_GT(committed.size(), size_t(kKills));
    std::cout << "[ reliability ] " << kKills << " kills while answering, " << committed.size()
              << " answers committed and all kept, " << cutBeforeCommit
              << " kills between the word file's save and the commit\n";
}

} // namespace
