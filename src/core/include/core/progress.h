#pragma once

#include "review/statistics.h"

#include <QDate>
#include <QString>
#include <span>
#include <vector>

// Everything the progress view draws for the current word file at one
// moment: read from the history and the schedule by Trainer::progress, so
// the view only draws numbers and never opens a file.
struct Progress {
    // The periods the view offers, in days.
    static constexpr int kPeriods[] = {30, 90, 365};
    static constexpr int kLongestPeriod = 365;
    static constexpr int kForecastDays = 30;

    QDate today;
    // The answers of each of the last 365 local days, the oldest first and
    // today last.
    std::vector<review::DayCount> days;
    // Every test's score by kind and length, by date.
    std::vector<review::TestSeries> tests;
    // New, learning, due today and well known, among the records of the
    // word file.
    review::WordCounts counts;
    // The reviews falling due on each of the next 30 days, today first.
    std::vector<int> forecast;

    // The history could not be read: the Japanese message that says why.
    // The answers and tests are then empty, and the counts and forecast
    // come from the word file's counts alone.
    QString problem;
    bool readable() const { return problem.isEmpty(); }

    // The last `period` days of `days` (all of them when fewer are held).
    std::span<const review::DayCount> lastDays(int period) const
    {
        const auto n = std::min(days.size(), size_t(std::max(period, 0)));
        return std::span<const review::DayCount>(days).last(n);
    }
};
