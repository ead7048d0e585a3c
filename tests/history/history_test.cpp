#include "history/history.h"
#include "support/temp_folder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>
#include <sqlite3.h>

namespace {

using history::Answer;
using history::History;
using history::Place;

const QString kFile = QStringLiteral("words/default.txt");
constexpr qint64 kT0 = 1'780'000'000;

Answer answer(const QByteArray& word, qint64 time, bool right = true, Place place = Place::QuizSpelling)
{
    return {time, word, place, right, false, 4};
}

bool record(History& h, const QString& file, const Answer& a)
{
    history::Change change = h.change();
    return change.answer(file, a) && change.commit();
}

std::vector<QByteArray> wordsOf(History& h, const QString& file)
{
    std::vector<QByteArray> words;
    const auto reviews = h.reviewsOf(file);
    for (const history::WordReviews& w : reviews.value())
        words.push_back(w.word);
    std::sort(words.begin(), words.end());
    return words;
}

QString pragma(const QString& file, const char* sql)
{
    sqlite3* db = nullptr;
    sqlite3_open_v2(QFile::encodeName(file).constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt* stmt = nullptr;
    sqlite3_prepare_v2(db, sql, -1, &stmt, nullptr);
    QString value;
    if (sqlite3_step(stmt) == SQLITE_ROW)
        value = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0)));
    sqlite3_finalize(stmt);
    sqlite3_close(db);
    return value;
}

TEST(History, IsMadeAtTheFirstAnswerNotBeforeAndKeepsEveryField)
{
    TempFolder folder;
    const QString file = folder.path(QStringLiteral("history.sqlite"));
    History h(file);
    // Looking finds nothing and makes nothing.
    EXPECT_TRUE(h.reviewsOf(kFile).value().empty());
    EXPECT_TRUE(h.testResults({}).value().empty());
    EXPECT_FALSE(h.copyTo(folder.path(QStringLiteral("copy.sqlite"))));
    EXPECT_FALSE(QFile::exists(file));
    EXPECT_FALSE(h.lastError().has_value());
    // An empty file is looked at and left empty; the first answer lays it
    // out (in WAL mode, below).
    folder.write(QStringLiteral("history.sqlite"), {});
    EXPECT_TRUE(h.answersSince({}, 0).value().empty());
    EXPECT_EQ(QFileInfo(file).size(), 0);

    const QByteArray word = "r\x82\xf1go"; // CP932 bytes, kept as they are
    {
        history::Change change = h.change();
        EXPECT_TRUE(change.answer(kFile, {kT0 + 5, word, Place::TimeAttack, false, true, 7}));
        EXPECT_TRUE(change.answer(kFile, {kT0, word, Place::QuizExample, true, false, -1}));
        EXPECT_TRUE(change.testResult(kFile, {kT0 + 9, history::TestKind::TimeAttack, 10, 11}));
        EXPECT_TRUE(change.commit());
    }
    const auto words = h.reviewsOf(kFile).value();
    ASSERT_EQ(words.size(), 1u);
    EXPECT_EQ(words[0].word, word);
    ASSERT_EQ(words[0].reviews.size(), 2u);
    EXPECT_EQ(words[0].reviews[0], (history::Review{kT0, Place::QuizExample, true, false, -1}));
    EXPECT_EQ(words[0].reviews[1], (history::Review{kT0 + 5, Place::TimeAttack, false, true, 7}));
    EXPECT_EQ(h.testResults(kFile).value(),
              (std::vector<history::TestResult>{{kT0 + 9, history::TestKind::TimeAttack, 10, 11}}));

    EXPECT_EQ(pragma(file, "PRAGMA journal_mode"), QStringLiteral("wal"));
    EXPECT_EQ(pragma(file, "PRAGMA user_version"), QStringLiteral("1"));
    EXPECT_EQ(pragma(file, "PRAGMA application_id"), QString::number(0x4C585752));
}

// The order of the trainer's transaction: the rows go in, the word file is
// saved, then the rows are committed; a save that fails undoes them.
TEST(History, AChangeNotCommittedLeavesNothing)
{
    TempFolder folder;
    History h(folder.path(QStringLiteral("history.sqlite")));
    ASSERT_TRUE(record(h, kFile, answer("apple", kT0)));
    {
        history::Change change = h.change();
        EXPECT_TRUE(change.answer(kFile, answer("apple", kT0 + 1)));
        EXPECT_TRUE(change.retire(kFile, "apple", kT0 + 1));
        // The word file could not be saved: the change goes out of scope.
    }
    ASSERT_EQ(h.reviewsOf(kFile).value().size(), 1u);
    EXPECT_EQ(h.reviewsOf(kFile).value()[0].reviews.size(), 1u);
    {
        history::Change change = h.change();
        change.answer(kFile, answer("apple", kT0 + 2));
        change.rollback();
        EXPECT_FALSE(change.commit());
        // One change at a time; the next starts once this one is over.
        EXPECT_TRUE(h.change().ok());
    }
    history::Change first = h.change();
    EXPECT_FALSE(h.change().ok());
    first.rollback();
    EXPECT_EQ(h.answersSince({}, 0).value().size(), 1u);
}

TEST(History, RenamingCarriesTheReviewsAndRetiringStartsTheWordAfresh)
{
    TempFolder folder;
    History h(folder.path(QStringLiteral("history.sqlite")));
    ASSERT_TRUE(record(h, kFile, answer("aple", kT0)));
    ASSERT_TRUE(record(h, kFile, answer("aple", kT0 + 60)));
    ASSERT_TRUE(record(h, kFile, answer("pear", kT0 + 90)));
    ASSERT_TRUE(record(h, QStringLiteral("other.txt"), answer("aple", kT0 + 99)));

    auto apply = [&](auto&& body) {
        history::Change change = h.change();
        return body(change) && change.commit();
    };
    ASSERT_TRUE(apply([](history::Change& c) { return c.rename(kFile, "aple", "apple"); }));
    EXPECT_EQ(wordsOf(h, kFile), (std::vector<QByteArray>{"apple", "pear"}));
    EXPECT_EQ(wordsOf(h, QStringLiteral("other.txt")), (std::vector<QByteArray>{"aple"}))
        << "another word file's word of that spelling stays";
    // A spelling no review knows, and a rename to itself, change nothing.
    ASSERT_TRUE(apply([](history::Change& c) {
        return c.rename(kFile, "kiwi", "lime") && c.rename(kFile, "pear", "pear");
    }));

    // 消去 of apple, then apple registered again: its old reviews no longer
    // count for it, but they still happened.
    ASSERT_TRUE(apply([](history::Change& c) { return c.retire(kFile, "apple", kT0 + 100); }));
    EXPECT_EQ(wordsOf(h, kFile), (std::vector<QByteArray>{"pear"}));
    ASSERT_TRUE(record(h, kFile, answer("apple", kT0 + 200, false)));
    const auto words = h.reviewsOf(kFile).value();
    for (const history::WordReviews& w : words) {
        if (w.word == "apple") {
            ASSERT_EQ(w.reviews.size(), 1u);
            EXPECT_EQ(w.reviews[0].time, kT0 + 200);
        }
    }
    EXPECT_EQ(h.answersSince(kFile, 0).value().size(), 4u);
    EXPECT_EQ(h.answersSince(kFile, kT0 + 61).value().size(), 2u);
    EXPECT_EQ(h.answersSince({}, 0).value().size(), 5u);

    // Renamed onto a spelling that has reviews (two records spelt alike):
    // one history, oldest first, keeping two answers given in one second.
    ASSERT_TRUE(record(h, kFile, answer("pear", kT0 + 200)));
    ASSERT_TRUE(apply([](history::Change& c) { return c.rename(kFile, "pear", "apple"); }));
    const auto merged = h.reviewsOf(kFile).value();
    ASSERT_EQ(merged.size(), 1u);
    ASSERT_EQ(merged[0].reviews.size(), 3u);
    EXPECT_EQ(merged[0].reviews[0].time, kT0 + 90);
    EXPECT_EQ(merged[0].reviews[2].time, kT0 + 200);
}

TEST(History, TwoProgramsShareOneHistory)
{
    TempFolder folder;
    const QString file = folder.path(QStringLiteral("history.sqlite"));
    History first(file);
    History second(file);
    ASSERT_TRUE(record(first, kFile, answer("apple", kT0)));
    ASSERT_TRUE(record(second, QStringLiteral("b.txt"), answer("bread", kT0 + 1)));
    ASSERT_TRUE(record(second, kFile, answer("apple", kT0 + 2)));
    EXPECT_EQ(first.reviewsOf(kFile).value()[0].reviews.size(), 2u);
    EXPECT_EQ(first.answersSince({}, 0).value().size(), 3u);
    // While one of them holds a change open, the other's reads go on.
    history::Change open = first.change();
    ASSERT_TRUE(open.answer(kFile, answer("apple", kT0 + 3)));
    EXPECT_EQ(second.answersSince({}, 0).value().size(), 3u);
    EXPECT_TRUE(open.commit());
    EXPECT_EQ(second.answersSince({}, 0).value().size(), 4u);
}

// The data folder with its history, copied to another machine (another
// folder): the word files inside it are found under the same keys.
TEST(History, KeysAreRelativeToTheDataFolderSoACopyKeepsWorking)
{
    TempFolder folder;
    const QString data = folder.path(QStringLiteral("data"));
    QDir().mkpath(data + QStringLiteral("/words"));
    const QString key = history::wordFileKey(data, data + QStringLiteral("/words/default.txt"));
    EXPECT_EQ(key, QStringLiteral("words/default.txt"));
    EXPECT_EQ(history::wordFileKey(data, data + QStringLiteral("/words/../words/./default.txt")), key);
    EXPECT_EQ(history::wordFileKey(data, QStringLiteral("/srv/shared/list.txt")),
              QStringLiteral("/srv/shared/list.txt"));
    EXPECT_EQ(history::wordFileKey(data, data + QStringLiteral("2/x.txt")),
              folder.path(QStringLiteral("data2/x.txt")))
        << "a folder whose name merely begins alike is outside";
    ASSERT_TRUE(QFile::link(data, folder.path(QStringLiteral("link"))));
    EXPECT_EQ(
        history::wordFileKey(folder.path(QStringLiteral("link")), data + QStringLiteral("/words/new.txt")),
        QStringLiteral("words/new.txt"));

    {
        History h(data + QStringLiteral("/history.sqlite"));
        ASSERT_TRUE(record(h, key, answer("apple", kT0)));
    }
    const QString moved = folder.path(QStringLiteral("elsewhere"));
    ASSERT_TRUE(QDir().rename(data, moved));
    History h(moved + QStringLiteral("/history.sqlite"));
    EXPECT_EQ(
        h.reviewsOf(history::wordFileKey(moved, moved + QStringLiteral("/words/default.txt"))).value().size(),
        1u);
}

TEST(History, ACopyIsAWholeHistoryThatReplacesItsTarget)
{
    TempFolder folder;
    History h(folder.path(QStringLiteral("history.sqlite")));
    for (int i = 0; i < 50; ++i)
        ASSERT_TRUE(record(h, kFile, answer("w" + QByteArray::number(i % 7), kT0 + i)));
    folder.write(QStringLiteral("backups/history.sqlite"), "an older copy");
    const QString copy = folder.path(QStringLiteral("backups/history.sqlite"));
    ASSERT_TRUE(h.copyTo(copy)) << h.lastError()->detail.toStdString();
    EXPECT_EQ(QDir(folder.path(QStringLiteral("backups"))).entryList(QDir::Files),
              QStringList{"history.sqlite"});
    History restored(copy);
    EXPECT_EQ(restored.answersSince(kFile, 0).value().size(), 50u);
    EXPECT_EQ(wordsOf(restored, kFile).size(), 7u);
    // The copy is a history like any: it takes answers of its own.
    EXPECT_TRUE(record(restored, kFile, answer("w1", kT0 + 99)));
    EXPECT_EQ(h.answersSince(kFile, 0).value().size(), 50u);

    EXPECT_FALSE(h.copyTo(folder.path(QStringLiteral("no/such/folder/h.sqlite"))));
    EXPECT_TRUE(h.lastError().has_value());
    EXPECT_EQ(h.answersSince(kFile, 0).value().size(), 50u) << "a failed copy leaves the history usable";
}

TEST(History, ACopyInTheBackgroundHoldsTheMomentItWasAskedForWhateverComesAfter)
{
    TempFolder folder;
    History h(folder.path(QStringLiteral("history.sqlite")));
    for (int i = 0; i < 200; ++i)
        ASSERT_TRUE(record(h, kFile, answer("w" + QByteArray::number(i % 13), kT0 + i)));
    const QString copy = folder.path(QStringLiteral("copy.sqlite"));
    ASSERT_TRUE(h.copyInBackground(copy));
    // The answers that follow are written while the copy may still run:
    // none waits for it, and none is in it.
    for (int i = 0; i < 20; ++i)
        ASSERT_TRUE(record(h, kFile, answer("late" + QByteArray::number(i), kT0 + 500 + i)));
    h.waitForCopy();
    EXPECT_EQ(QDir(folder.path(QString())).entryList({QStringLiteral("copy.sqlite*")}, QDir::Files),
              QStringList{"copy.sqlite"});
    History restored(copy);
    EXPECT_EQ(restored.answersSince(kFile, 0).value().size(), 200u);
    EXPECT_EQ(wordsOf(restored, kFile).size(), 13u);
    EXPECT_EQ(h.answersSince(kFile, 0).value().size(), 220u);
    // Nothing recorded yet: nothing to copy.
    History empty(folder.path(QStringLiteral("none.sqlite")));
    EXPECT_FALSE(empty.copyInBackground(folder.path(QStringLiteral("none-copy.sqlite"))));
}

} // namespace
