#include "review/statistics.h"

#include <QDateTime>
#include <gtest/gtest.h>
#include <numeric>

namespace {

using review::kDay;

const QTimeZone kBerlin("Europe/Berlin");
const QTimeZone kTokyo("Asia/Tokyo");
const QTimeZone kLosAngeles("America/Los_Angeles");

qint64 at(int y, int m, int d, int h, int min, const QTimeZone& zone)
{
    return QDateTime(QDate(y, m, d), QTime(h, min), zone).toSecsSinceEpoch();
}

// Berlin moves its clocks from 02:00 to 03:00 on 29 March 2026: that day has
// 23 hours, and an answer at 00:30 and one at 23:30 both fall on it. The
// same answers, seen by a learner who has moved to Tokyo, fall on Tokyo's
// dates instead.
TEST(Statistics, AnswersPerDayFollowTheLocalCalendarOfTheZoneGiven)
{
    ASSERT_TRUE(kBerlin.isValid() && kTokyo.isValid());
    const qint64 now = at(2026, 3, 29, 23, 50, kBerlin);
    const std::vector<history::AnswerMark> answers = {
        {at(2026, 2, 20, 12, 0, kBerlin), true}, // before the last 30 days
        {at(2026, 3, 28, 23, 59, kBerlin), false}, {at(2026, 3, 29, 0, 30, kBerlin), true},
        {at(2026, 3, 29, 23, 30, kBerlin), true},  {now + 2 * kDay, true}, // the clock was ahead: after today
    };
    const std::vector<review::DayCount> berlin = review::answersPerDay(answers, now, 30, kBerlin);
    ASSERT_EQ(berlin.size(), 30u);
    EXPECT_EQ(berlin.back().date, QDate(2026, 3, 29));
    EXPECT_EQ(berlin.front().date, QDate(2026, 2, 28));
    EXPECT_EQ(berlin.back().answers, 2);
    EXPECT_EQ(berlin.back().right, 2);
    EXPECT_EQ(berlin[28].answers, 1);
    EXPECT_DOUBLE_EQ(berlin[28].accuracy(), 0.0);
    int total = 0;
    for (const review::DayCount& day : berlin)
        total += day.answers;
    EXPECT_EQ(total, 3);

    const std::vector<review::DayCount> tokyo = review::answersPerDay(answers, now, 30, kTokyo);
    EXPECT_EQ(tokyo.back().date, QDate(2026, 3, 30));
    EXPECT_EQ(tokyo.back().answers, 1); // 23:30 in Berlin is 06:30 the next day
    EXPECT_EQ(tokyo[28].answers, 2);
    EXPECT_DOUBLE_EQ(tokyo[28].accuracy(), 50.0);

    EXPECT_EQ(review::answersPerDay(answers, now, 365, kBerlin).size(), 365u);
    EXPECT_TRUE(review::answersPerDay(answers, now, 0, kBerlin).empty());
}

TEST(Statistics, LocalDaysStartAtTheirFirstLocalMoment)
{
    const qint64 now = at(2026, 3, 30, 12, 0, kBerlin);
    const review::LocalDays days(now, kBerlin, 2);
    const qint64 start = days.startOf(QDate(2026, 3, 29));
    EXPECT_EQ(days.startOf(QDate(2026, 3, 30)) - start, 23 * 3600);
    EXPECT_EQ(days.dayOf(start), QDate(2026, 3, 29));
    EXPECT_EQ(days.dayOf(start - 1), QDate(2026, 3, 28));
    EXPECT_FALSE(days.dayOf(days.startOf(QDate(2026, 3, 31))).isValid());
    EXPECT_FALSE(days.dayOf(days.startOf(QDate(2026, 3, 28)) - 1).isValid());
}

// Five records at 22:00 in Tokyo: one new, one answered wrong this morning,
// one right just now, one due within the hour, one due after midnight.
TEST(Statistics, WordStatesAndTheForecastCountByLocalDay)
{
    const qint64 now = at(2026, 6, 10, 22, 0, kTokyo);
    auto right = [](qint64 t) { return history::Review{t, history::Place::QuizSpelling, true, false}; };
    const std::vector<review::RecordCounts> records = {{"new", 0, 0},  {"missed", 1, 0}, {"fresh", 1, 1},
                                                       {"soon", 1, 1}, {"later", 1, 1},  {"old", 4, 4}};
    const std::vector<history::WordReviews> reviews = {
        {"missed", {{now - 12 * 3600, history::Place::NormalTest, false, false}}},
        {"fresh", {right(now)}},
        {"soon", {right(now - 2 * kDay + 3600)}}, // a first Good is due in 2 days
        {"later", {right(now - 2 * kDay + 3 * 3600)}},
    };
    const review::Schedule schedule(records, reviews);

    const review::WordCounts tokyo = review::wordCounts(schedule, now, kTokyo);
    EXPECT_EQ(tokyo.newWords, 1);
    EXPECT_EQ(tokyo.learning, 1); // missed: its recall is already below 90 %
    EXPECT_EQ(tokyo.wellKnown, 4); // fresh, soon, later, and old by its counts
    EXPECT_EQ(tokyo.dueToday, 2); // soon, and old (due since the history began)
    const std::vector<int> forecast = review::dueForecast(schedule, now, 30, kTokyo);
    ASSERT_EQ(forecast.size(), 30u);
    EXPECT_EQ(forecast[0], 2);
    EXPECT_EQ(forecast[1], 2); // later at 01:00, missed at 10:00
    EXPECT_EQ(forecast[2], 1); // fresh
    EXPECT_EQ(std::accumulate(forecast.begin(), forecast.end(), 0), 5);

    // In Los Angeles it is 06:00 of the same day: later, and missed at
    // 18:00, fall on today too.
    const review::WordCounts la = review::wordCounts(schedule, now, kLosAngeles);
    EXPECT_EQ(la.dueToday, 4);
    EXPECT_EQ(review::dueForecast(schedule, now, 30, kLosAngeles)[0], 4);
}

TEST(Statistics, TestScoresComeAsOneSeriesPerKindAndLength)
{
    using history::TestKind;
    const qint64 t = at(2026, 5, 1, 12, 0, kTokyo);
    const std::vector<history::TestResult> results = {
        {t + 3 * kDay, TestKind::Normal, 10, 9},
        {t, TestKind::TimeAttack, 10, 11},
        {t + kDay, TestKind::Normal, 20, 15},
        {t + 12 * 3600, TestKind::Normal, 10, 7}, // 00:00 in Tokyo the next day
        {t + kDay, TestKind::CompleteRun, 30, 31},
    };
    const std::vector<review::TestSeries> series = review::testSeries(results, kTokyo);
    ASSERT_EQ(series.size(), 4u);
    EXPECT_EQ(series[0].kind, TestKind::Normal);
    EXPECT_EQ(series[0].length, 10);
    ASSERT_EQ(series[0].points.size(), 2u);
    EXPECT_EQ(series[0].points[0].score, 7);
    EXPECT_EQ(series[0].points[0].date, QDate(2026, 5, 2));
    EXPECT_EQ(series[0].points[1].score, 9);
    EXPECT_EQ(series[1].length, 20);
    EXPECT_EQ(series[2].kind, TestKind::TimeAttack);
    EXPECT_EQ(series[3].kind, TestKind::CompleteRun);
    EXPECT_EQ(series[3].points[0].score, 31);
}

} // namespace
