#pragma once

#include "history/records.h"
#include "review/schedule.h"

#include <QDate>
#include <QTimeZone>
#include <span>
#include <vector>

// The numbers behind the progress view, from the history and the schedule.
// Days are the learner's local calendar days in the time zone given (the
// system's by default): a day starts at its first local moment, so a day
// with a daylight-saving change has 23 or 25 hours, and a learner who moves
// to another zone sees the same answers under that zone's dates.
namespace review {

// The local days around `now`: today and the `back` days before it.
class LocalDays {
public:
    LocalDays(qint64 now, const QTimeZone& zone, int back);

    QDate today() const { return today_; }
    QDate first() const { return today_.addDays(-back_); }
    // The UTC second at which the local day starts.
    qint64 startOf(QDate day) const;
    // The day among first() … today() that `time` falls on; an invalid
    // date outside them.
    QDate dayOf(qint64 time) const;

private:
    QTimeZone zone_;
    QDate today_;
    int back_;
    std::vector<qint64> starts_; // first() … today() + 1
};

struct DayCount {
    QDate date;
    int answers = 0;
    int right = 0;
    // Right answers in percent; 0 for a day without answers.
    double accuracy() const { return answers == 0 ? 0.0 : 100.0 * right / answers; }
};

// One entry for each of the last `days` local days, the oldest first and
// today last, with the answers given on it. Answers dated after today (a
// clock that was ahead) are left out.
std::vector<DayCount> answersPerDay(std::span<const history::AnswerMark> answers, qint64 now, int days,
                                    const QTimeZone& zone = QTimeZone::systemTimeZone());

struct TestPoint {
    qint64 time = 0;
    QDate date;
    int score = 0;
};
struct TestSeries {
    history::TestKind kind = history::TestKind::Normal;
    int length = 10;
    std::vector<TestPoint> points; // oldest first
};
// Every test's score by kind and length (one series for each pair that
// occurs, by kind and then length), by local date.
std::vector<TestSeries> testSeries(std::span<const history::TestResult> results,
                                   const QTimeZone& zone = QTimeZone::systemTimeZone());

// How many records are in each state at `now`. Every record is one of new,
// learning and wellKnown:
//   newWords   never answered;
//   wellKnown  answered, with a predicted recall of 90 % or more now;
//   learning   answered, recalled at less than 90 % now.
// dueToday counts, among the answered, those due before the end of the
// local day (overdue ones included), whatever their state.
struct WordCounts {
    int newWords = 0;
    int learning = 0;
    int wellKnown = 0;
    int dueToday = 0;
};
WordCounts wordCounts(const Schedule& schedule, qint64 now,
                      const QTimeZone& zone = QTimeZone::systemTimeZone());

// The reviews falling due on each of the next `days` local days, today
// first; today's count includes every word already overdue.
std::vector<int> dueForecast(const Schedule& schedule, qint64 now, int days,
                             const QTimeZone& zone = QTimeZone::systemTimeZone());

} // namespace review
