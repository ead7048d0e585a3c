// The progress view's numbers for the current word file: read from a known
// history in the data folder, by the learner's local days; and what the
// view gets when there is no history, or one that cannot be read.

#include "trainer_fixture.h"

#include "history/history.h"

#include <QDateTime>
#include <numeric>

namespace {

const QTimeZone kTokyo("Asia/Tokyo");

qint64 at(QDate date, int hour, int minute = 0)
{
    return QDateTime(date, QTime(hour, minute), kTokyo).toSecsSinceEpoch();
}

const QDate kToday(2026, 6, 15);
const qint64 kNow = at(kToday, 12);

int answersIn(std::span<const review::DayCount> days)
{
    return std::accumulate(days.begin(), days.end(), 0,
                           [](int n, const review::DayCount& d) { return n + d.answers; });
}

class ProgressTest : public TrainerTest {
protected:
    void SetUp() override
    {
        TrainerTest::SetUp();
        trainer.setDataFolder(folder.path(QString()), true);
    }
    QString historyFile() const { return folder.path(QString::fromLatin1(history::kFileName)); }
    // The key the current word file is known by in the history.
    QString key() const { return history::wordFileKey(folder.path(QString()), trainer.book().path.file()); }

    void record(const QString& wordFile, const std::vector<history::Answer>& answers,
                const std::vector<history::TestResult>& tests = {})
    {
        history::History h(historyFile());
        history::Change change = h.change();
        for (const history::Answer& a : answers)
            ASSERT_TRUE(change.answer(wordFile, a));
        for (const history::TestResult& t : tests)
            ASSERT_TRUE(change.testResult(wordFile, t));
        ASSERT_TRUE(change.commit());
    }
    static history::Answer answer(const char* word, qint64 time, bool right)
    {
        return {time, word, history::Place::QuizSpelling, right, false, 3};
    }
};

} // namespace

TEST_F(ProgressTest, AKnownHistoryGivesItsDaysTestsStatesAndForecast)
{
    open("apple,x,,,0,3,2\r\nrun,y,,,0,1,1\r\ncat,z,,,0,1,0\r\ndog,w,,,0,0,0\r\n");
    record(key(),
           {answer("apple", at(kToday.addDays(-1), 9), true),
            answer("apple", at(kToday.addDays(-1), 23, 59), false), answer("apple", at(kToday, 0, 0), true),
            answer("run", at(kToday.addDays(-40), 20), true),
            answer("cat", at(kToday.addDays(-400), 20), false)},
           {{at(kToday.addDays(-2), 10), history::TestKind::Normal, 10, 8},
            {at(kToday, 10), history::TestKind::Normal, 10, 9},
            {at(kToday.addDays(-5), 10), history::TestKind::TimeAttack, 20, 15},
            {at(kToday.addDays(-3), 10), history::TestKind::CompleteRun, 30, 30}});
    // Another word file's answers and tests are not this one's progress.
    record(QStringLiteral("words/other.txt"), {answer("apple", at(kToday, 8), false)},
           {{at(kToday, 9), history::TestKind::Normal, 20, 1}});

    const Progress p = trainer.progress(kNow, kTokyo);
    ASSERT_TRUE(p.readable()) << p.problem.toStdString();
    EXPECT_EQ(p.today, kToday);
    ASSERT_EQ(p.days.size(), 365u);
    EXPECT_EQ(p.days.back().date, kToday);
    EXPECT_EQ(p.days.front().date, kToday.addDays(-364));
    // Local midnight and a minute before it fall on their own days.
    EXPECT_EQ(p.days.back().answers, 1);
    EXPECT_EQ(p.days.back().accuracy(), 100.0);
    EXPECT_EQ(p.days[363].answers, 2);
    EXPECT_EQ(p.days[363].accuracy(), 50.0);
    // The periods: the answer of 40 days ago is in 90 and 365 only; the one
    // of 400 days ago in none.
    EXPECT_EQ(answersIn(p.lastDays(30)), 3);
    EXPECT_EQ(p.lastDays(30).size(), 30u);
    EXPECT_EQ(answersIn(p.lastDays(90)), 4);
    EXPECT_EQ(answersIn(p.lastDays(365)), 4);

    ASSERT_EQ(p.tests.size(), 3u);
    EXPECT_EQ(p.tests[0].kind, history::TestKind::Normal);
    EXPECT_EQ(p.tests[0].length, 10);
    ASSERT_EQ(p.tests[0].points.size(), 2u);
    EXPECT_EQ(p.tests[0].points[0].score, 8);
    EXPECT_EQ(p.tests[0].points[0].date, kToday.addDays(-2));
    EXPECT_EQ(p.tests[0].points[1].score, 9);
    EXPECT_EQ(p.tests[1].kind, history::TestKind::TimeAttack);
    EXPECT_EQ(p.tests[2].kind, history::TestKind::CompleteRun);
    EXPECT_EQ(p.tests[2].points.at(0).score, 30);

    // dog was never answered; cat (400 days) and run (40 days after a
    // first answer) are overdue; apple, answered today, is not due today.
    EXPECT_EQ(p.counts.newWords, 1);
    EXPECT_EQ(p.counts.newWords + p.counts.learning + p.counts.wellKnown, 4);
    EXPECT_EQ(p.counts.dueToday, 2);
    ASSERT_EQ(p.forecast.size(), 30u);
    EXPECT_EQ(p.forecast[0], 2);
    EXPECT_EQ(std::accumulate(p.forecast.begin(), p.forecast.end(), 0), 3);
}

TEST_F(ProgressTest, WithoutAHistoryTheCountsComeFromTheWordFileAndNoFileIsMade)
{
    // Answered before any history was kept: due at once, and learning.
    open("old,x,,,0,5,4\r\nnew,y,,,0,0,0\r\n");
    EXPECT_FALSE(QFileInfo::exists(historyFile()));
    EXPECT_TRUE(trainer.switchTab(Tab::Progress).progress);

    const Progress p = trainer.progress(kNow, kTokyo);
    EXPECT_TRUE(p.readable());
    EXPECT_EQ(answersIn(p.lastDays(365)), 0);
    EXPECT_TRUE(p.tests.empty());
    EXPECT_EQ(p.counts.newWords, 1);
    EXPECT_EQ(p.counts.learning, 1);
    EXPECT_EQ(p.counts.dueToday, 1);
    EXPECT_EQ(p.forecast.at(0), 1);
    // Looking is no reason to make the file.
    EXPECT_FALSE(QFileInfo::exists(historyFile()));
}

TEST_F(ProgressTest, AHistoryThatCannotBeReadIsNamedInJapaneseAndTheWordFileStillCounts)
{
    open("old,x,,,0,5,4\r\nnew,y,,,0,0,0\r\n");
    for (const QByteArray& garbage :
         {QByteArray("not a database at all, just words"), QByteArray(4096, '\x5a')}) {
        folder.write(QString::fromLatin1(history::kFileName), garbage);
        const Progress p = trainer.progress(kNow, kTokyo);
        history::History other(historyFile());
        ASSERT_FALSE(other.reviewsOf(key()));
        ASSERT_TRUE(other.lastError());
        EXPECT_EQ(p.problem, other.lastError()->message());
        EXPECT_FALSE(p.readable());
        EXPECT_EQ(p.counts.learning, 1);
        EXPECT_EQ(p.counts.newWords, 1);
        EXPECT_EQ(p.days.size(), 365u);
        EXPECT_EQ(answersIn(p.lastDays(365)), 0);
        // The file is left as it was.
        EXPECT_EQ(folder.read(QString::fromLatin1(history::kFileName)), garbage);
    }
}

TEST_F(ProgressTest, WithoutADataFolderTheViewSaysSo)
{
    open("old,x,,,0,5,4\r\n");
    trainer.setDataFolder(folder.path(QStringLiteral("missing")), false);
    const Progress p = trainer.progress(kNow, kTokyo);
    EXPECT_FALSE(p.readable());
    EXPECT_TRUE(p.problem.contains(QStringLiteral("データフォルダー")));
    EXPECT_EQ(p.counts.learning, 1);
}
