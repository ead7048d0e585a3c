#pragma once

#include "core/outcome.h"
#include "core/progress.h"

#include <QTimeZone>
#include <QWidget>
#include <functional>

class QButtonGroup;
class QLabel;
class QRadioButton;
class Trainer;

namespace progress {

class DayChart;
class ForecastChart;
class TestChart;

// The tab 記録: the learner's progress on the current word file. Answers
// per day with their accuracy over the period chosen (30, 90 or 365 days),
// every test's score by date, how many words are new, learning, due today
// and well known, and the reviews due on each of the next 30 days.
//
// Its numbers are the trainer's (Trainer::progress), read whenever an
// outcome says the view is to be drawn; the period choice only picks among
// the days already read.
class ProgressPanel : public QWidget {
    Q_OBJECT
public:
    ProgressPanel(QWidget* tabControl, Trainer& trainer);

    void showPanel();
    void draw(const Outcome& outcome);

    // The clock and the calendar the view counts days by: the system's,
    // unless a test gives others.
    void setClock(std::function<qint64()> now, const QTimeZone& zone);

    const Progress& shown() const { return progress_; }

private:
    void showPeriod();

    Trainer& trainer_;
    std::function<qint64()> now_;
    QTimeZone zone_ = QTimeZone::systemTimeZone();
    Progress progress_;
    QButtonGroup* period_ = nullptr;
    DayChart* days_ = nullptr;
    TestChart* tests_ = nullptr;
    ForecastChart* forecast_ = nullptr;
    QLabel* problem_ = nullptr;
    QLabel* counts_[4] = {};
};

} // namespace progress
