#pragma once

#include "review/statistics.h"

#include <QDate>
#include <QRectF>
#include <QWidget>
#include <span>
#include <vector>

// The charts of the progress view, drawn with QPainter from numbers the
// core computed. Each is named for screen readers and describes its numbers
// in words (its accessible description), since a bar says nothing to a
// learner who cannot see it.
namespace progress {

// Answers per day as bars, the day's accuracy as a line over them (right
// axis, 0–100 %).
class DayChart : public QWidget {
public:
    explicit DayChart(QWidget* parent);
    void setDays(std::span<const review::DayCount> days);
    // Where day `index` (0 the oldest) has its bar, for its height or none.
    QRectF barRect(int index) const;
    // The point of the day's accuracy on the line (days with answers).
    QPointF accuracyPoint(int index) const;
    int highest() const { return top_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QRectF plot() const;
    std::vector<review::DayCount> days_;
    int top_ = 1; // the count at the top of the left axis
};

// Every test's score as a share of its questions, by date; one series per
// kind and length (colour by kind, mark by length).
class TestChart : public QWidget {
public:
    explicit TestChart(QWidget* parent);
    void setTests(const std::vector<review::TestSeries>& tests, QDate today);
    QPointF pointOf(int series, int index) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QRectF plot() const;
    std::vector<review::TestSeries> tests_;
    QDate first_;
    QDate last_;
};

// The reviews falling due on each of the next days, today first.
class ForecastChart : public QWidget {
public:
    explicit ForecastChart(QWidget* parent);
    void setForecast(const std::vector<int>& forecast, QDate today);
    QRectF barRect(int index) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QRectF plot() const;
    std::vector<int> forecast_;
    QDate today_;
    int top_ = 1;
};

// The name of a test kind as its start button says it, with its length.
QString seriesName(history::TestKind kind, int length);

} // namespace progress
