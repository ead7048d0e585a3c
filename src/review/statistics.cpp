#include "review/statistics.h"

#include <QDateTime>
#include <algorithm>
#include <map>

namespace review {

namespace {

QDate dateIn(qint64 time, const QTimeZone& zone)
{
    return QDateTime::fromSecsSinceEpoch(time, zone).date();
}

} // namespace

LocalDays::LocalDays(qint64 now, const QTimeZone& zone, int back)
    : zone_(zone), today_(dateIn(now, zone)), back_(std::max(back, 0))
{
    starts_.reserve(back_ + 2);
    for (int i = 0; i <= back_ + 1; ++i)
        starts_.push_back(first().addDays(i).startOfDay(zone_).toSecsSinceEpoch());
}

qint64 LocalDays::startOf(QDate day) const
{
    const qint64 offset = first().daysTo(day);
    if (offset >= 0 && offset < qint64(starts_.size()))
        return starts_[offset];
    return day.startOfDay(zone_).toSecsSinceEpoch();
}

QDate LocalDays::dayOf(qint64 time) const
{
    if (time < starts_.front() || time >= starts_.back())
        return {};
    const auto next = std::upper_bound(starts_.begin(), starts_.end(), time);
    return first().addDays((next - starts_.begin()) - 1);
}

std::vector<DayCount> answersPerDay(std::span<const history::AnswerMark> answers, qint64 now, int days,
                                    const QTimeZone& zone)
{
    if (days <= 0)
        return {};
    const LocalDays calendar(now, zone, days - 1);
    std::vector<DayCount> counts(days);
    for (int i = 0; i < days; ++i)
        counts[i].date = calendar.first().addDays(i);
    for (const history::AnswerMark& answer : answers) {
        const QDate day = calendar.dayOf(answer.time);
        if (!day.isValid())
            continue;
        DayCount& count = counts[calendar.first().daysTo(day)];
        ++count.answers;
        count.right += answer.right ? 1 : 0;
    }
    return counts;
}

std::vector<TestSeries> testSeries(std::span<const history::TestResult> results, const QTimeZone& zone)
{
    std::map<std::pair<int, int>, std::vector<TestPoint>> series;
    for (const history::TestResult& result : results)
        series[{int(result.kind), result.length}].push_back(
            {result.time, dateIn(result.time, zone), result.score});
    std::vector<TestSeries> out;
    for (auto& [key, points] : series) {
        std::stable_sort(points.begin(), points.end(),
                         [](const TestPoint& a, const TestPoint& b) { return a.time < b.time; });
        out.push_back({static_cast<history::TestKind>(key.first), key.second, std::move(points)});
    }
    return out;
}

WordCounts wordCounts(const Schedule& schedule, qint64 now, const QTimeZone& zone)
{
    const LocalDays calendar(now, zone, 0);
    const qint64 tomorrow = calendar.startOf(calendar.today().addDays(1));
    WordCounts counts;
    for (int i = 0; i < schedule.size(); ++i) {
        const WordMemory& memory = schedule.memory(i);
        if (!memory.answered()) {
            ++counts.newWords;
            continue;
        }
        if (schedule.recall(i, now) >= 0.9)
            ++counts.wellKnown;
        else
            ++counts.learning;
        if (memory.due < tomorrow)
            ++counts.dueToday;
    }
    return counts;
}

std::vector<int> dueForecast(const Schedule& schedule, qint64 now, int days, const QTimeZone& zone)
{
    if (days <= 0)
        return {};
    const LocalDays calendar(now, zone, 0);
    std::vector<qint64> ends(days); // the end of each day: the start of the next
    for (int i = 0; i < days; ++i)
        ends[i] = calendar.startOf(calendar.today().addDays(i + 1));
    std::vector<int> counts(days, 0);
    for (int i = 0; i < schedule.size(); ++i) {
        const WordMemory& memory = schedule.memory(i);
        if (!memory.answered())
            continue;
        const auto day = std::upper_bound(ends.begin(), ends.end(), memory.due);
        if (day != ends.end())
            ++counts[day - ends.begin()];
    }
    return counts;
}

} // namespace review
