#include "progress/progress_panel.h"

#include "core/trainer.h"
#include "progress/charts.h"
#include "ui/controls.h"
#include "ui/plain_text.h"

#include <QButtonGroup>
#include <QDateTime>
#include <QLabel>
#include <QRadioButton>

namespace progress {

namespace {

// The four word counts, as the learner reads them and a screen reader
// names them.
const char* const kCountNames[] = {"新しい単語", "学習中", "今日の復習", "定着した単語"};

} // namespace

ProgressPanel::ProgressPanel(QWidget* tabControl, Trainer& trainer)
    : QWidget(tabControl), trainer_(trainer), now_([] { return QDateTime::currentSecsSinceEpoch(); })
{
    setObjectName(QStringLiteral("ProgressPanel"));
    ui::placeAsPanel(this);

    // The period: a group of radio buttons, reached by Tab and moved by
    // the arrow keys.
    QLabel* heading = ui::label(this, "PeriodLabel", QStringLiteral("期間:"), 6, 6);
    heading->setAccessibleName(QStringLiteral("期間"));
    period_ = new QButtonGroup(this);
    const int periods[] = {30, 90, 365};
    int left = 40;
    for (int i = 0; i < 3; ++i) {
        const QByteArray name = "Period" + QByteArray::number(periods[i]);
        const QString caption = QStringLiteral("%1日").arg(periods[i]);
        QRadioButton* radio = ui::radio(this, name.constData(), caption, left, 4, 52, 17);
        radio->setAccessibleName(QStringLiteral("期間 %1").arg(caption));
        period_->addButton(radio, periods[i]);
        left += 56;
    }
    period_->button(30)->setChecked(true);
    connect(period_, &QButtonGroup::idToggled, this, [this](int, bool checked) {
        if (checked)
            showPeriod();
    });

    days_ = new DayChart(this);
    days_->setGeometry(4, 24, 473, 134);
    tests_ = new TestChart(this);
    tests_->setGeometry(4, 162, 236, 147);
    forecast_ = new ForecastChart(this);
    forecast_->setGeometry(244, 162, 233, 105);
    for (int i = 0; i < 4; ++i) {
        const QByteArray name = "Count" + QByteArray::number(i + 1);
        counts_[i] = ui::label(this, name.constData(), QString(), 248 + (i % 2) * 116, 272 + (i / 2) * 19);
    }
    // Why the history could not be read, over the empty day chart.
    problem_ = ui::plainLabel(QString(), this);
    problem_->setObjectName(QStringLiteral("ProgressProblem"));
    problem_->setWordWrap(true);
    problem_->setGeometry(40, 48, 420, 60);
    problem_->hide();
    setTabOrder(period_->button(365), days_);
    setTabOrder(days_, tests_);
    setTabOrder(tests_, forecast_);
}

void ProgressPanel::setClock(std::function<qint64()> now, const QTimeZone& zone)
{
    now_ = std::move(now);
    zone_ = zone;
}

void ProgressPanel::showPanel()
{
    ui::placeAsPanel(this);
    show();
}

void ProgressPanel::draw(const Outcome& outcome)
{
    if (!outcome.progress)
        return;
    progress_ = trainer_.progress(now_(), zone_);
    problem_->setText(progress_.problem);
    problem_->setVisible(!progress_.readable());
    problem_->raise();
    tests_->setTests(progress_.tests, progress_.today);
    forecast_->setForecast(progress_.forecast, progress_.today);
    const int values[] = {progress_.counts.newWords, progress_.counts.learning, progress_.counts.dueToday,
                          progress_.counts.wellKnown};
    for (int i = 0; i < 4; ++i) {
        const QString name = QString::fromUtf8(kCountNames[i]);
        ui::setCaption(counts_[i], QStringLiteral("%1 %2").arg(name).arg(values[i]));
        counts_[i]->setAccessibleName(QStringLiteral("%1 %2語").arg(name).arg(values[i]));
    }
    showPeriod();
}

void ProgressPanel::showPeriod()
{
    days_->setDays(progress_.lastDays(period_->checkedId()));
}

} // namespace progress
