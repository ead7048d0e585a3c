// The reviews falling due on each of the next days, as bars.

#include "chart_drawing.h"
#include "progress/charts.h"

#include <QPainter>
#include <algorithm>

namespace progress {

using namespace drawing;

ForecastChart::ForecastChart(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("ForecastChart"));
    setAccessibleName(QStringLiteral("これからの復習の予定"));
    setFocusPolicy(Qt::TabFocus);
}

void ForecastChart::setForecast(const std::vector<int>& forecast, QDate today)
{
    forecast_ = forecast;
    today_ = today;
    int total = 0;
    QStringList said;
    for (int i = 0; i < int(forecast_.size()); ++i) {
        total += forecast_[i];
        if (forecast_[i] > 0)
            said << QStringLiteral("%1 %2語")
                        .arg(i == 0 ? QStringLiteral("今日") : longDate(today.addDays(i), today))
                        .arg(forecast_[i]);
    }
    top_ = niceTop(forecast_.empty() ? 0 : *std::max_element(forecast_.begin(), forecast_.end()));
    QString text = QStringLiteral("これから%1日の復習 %2語").arg(forecast_.size()).arg(total);
    text += total > 0 ? QStringLiteral("。%1。").arg(said.join(QStringLiteral("、"))) : QStringLiteral("。");
    setAccessibleDescription(text);
    update();
}

QRectF ForecastChart::plot() const
{
    return QRectF(30, 18, width() - 30 - 8, height() - 18 - 14);
}

QRectF ForecastChart::barRect(int index) const
{
    const QRectF area = plot();
    if (forecast_.empty() || index < 0 || index >= int(forecast_.size()))
        return {};
    const qreal step = area.width() / qreal(forecast_.size());
    const qreal h = area.height() * forecast_[index] / top_;
    return QRectF(area.left() + index * step + 1, area.bottom() - h, step - 1, h);
}

void ForecastChart::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    caption(painter, rect(), QStringLiteral("復習の予定（これから%1日）").arg(forecast_.size()));
    const QRectF area = plot();
    axes(painter, area, QString::number(top_));
    if (!forecast_.empty())
        dateAxis(painter, area, today_, today_.addDays(int(forecast_.size()) - 1));
    for (int i = 0; i < int(forecast_.size()); ++i) {
        if (forecast_[i] > 0)
            painter.fillRect(barRect(i), kBar);
    }
    if (hasFocus())
        drawing::focusFrame(painter, *this);
}

} // namespace progress
