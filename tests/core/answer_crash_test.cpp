// A trainer killed at any moment of answering: its word file and its
// history agree on every answer both hold, and neither is damaged.

#include "history/history.h"
#include "store/line_store.h"
#include "store/record.h"
#include "store/word_file.h"
#include "support/temp_folder.h"

#include <QHash>
#include <QProcess>
#include <QThread>
#include <csignal>
#include <gtest/gtest.h>
#include <random>
#include <sqlite3.h>

namespace {

QByteArray integrityOf(const QString& file)
{
    sqlite3* db = nullptr;
    sqlite3_open_v2(QFile::encodeName(file).constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt* stmt = nullptr;
    QByteArray value = "error";
    if (sqlite3_prepare_v2(db, "PRAGMA integrity_check", -1, &stmt, nullptr) == SQLITE_OK
        && sqlite3_step(stmt) == SQLITE_ROW)
        value = reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0));
    sqlite3_finalize(stmt);
    sqlite3_close(db);
    return value;
}

} // namespace

TEST(AnswerCrash, KilledWhileAnsweringTheWordFileAndTheHistoryAgree)
{
    TempFolder folder;
    folder.write(QStringLiteral("words/default.txt"),
                 "apple,a,,,0,0,0\r\nrun,b,,,0,0,0\r\nfast,c,,,0,0,0\r\n");
    folder.writePrefs("words\\default.txt");
    const QString historyFile = folder.path(QStringLiteral("history.sqlite"));

    std::mt19937 rng(21); // fixed, so a failing run can be repeated
    std::uniform_int_distribution<int> delayMicros(0, 40000);
    qint64 lastGap = 0;
    for (int round = 0; round < 25; ++round) {
        QProcess child;
        child.start(QStringLiteral(TRAINER_CHILD), {folder.path(QString())});
        ASSERT_TRUE(child.waitForStarted());
        ASSERT_TRUE(child.waitForReadyRead(30000)) << round << child.readAllStandardError().toStdString();
        QThread::usleep(static_cast<unsigned long>(delayMicros(rng)));
        ::kill(static_cast<pid_t>(child.processId()), SIGKILL);
        ASSERT_TRUE(child.waitForFinished(30000));

        // The word file is whole and readable.
        LineStore store;
        LoadLines(store, folder.path(QStringLiteral("words/default.txt")));
        ASSERT_EQ(store.LineCount(), 3) << round;
        ASSERT_EQ(integrityOf(historyFile), "ok") << round;

        history::History h(historyFile);
        const auto reviews = h.reviewsOf(QStringLiteral("words/default.txt"));
        ASSERT_TRUE(reviews.has_value()) << round;
        QHash<QByteArray, std::pair<int, int>> held; // answers, right ones
        for (const history::WordReviews& w : *reviews) {
            for (const history::Review& r : w.reviews) {
                ++held[w.word].first;
                held[w.word].second += r.right;
            }
        }
        qint64 gap = 0;
        for (int r = 0; r < 3; ++r) {
            const QByteArray word = ReadField(store, r, kWord);
            const int asked = StrToInt(ReadField(store, r, kAsked));
            const int correct = StrToInt(ReadField(store, r, kCorrect));
            // Never an answer the word file does not count; at most the
            // one whose commit the kill cut off is missing.
            ASSERT_LE(held[word].first, asked) << round << ' ' << word.constData();
            ASSERT_LE(held[word].second, correct) << round << ' ' << word.constData();
            gap += asked - held[word].first;
        }
        ASSERT_GE(gap, lastGap);
        ASSERT_LE(gap, lastGap + 1) << "round " << round << ": more than the answer in flight went missing";
        lastGap = gap;
    }
}
