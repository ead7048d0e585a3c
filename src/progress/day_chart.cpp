// Answers per day as bars, with the day's accuracy as a line over them.

#include "chart_drawing.h"
#include "progress/charts.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>

namespace progress {

using namespace drawing;

DayChart::DayChart(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("DayChart"));
    setAccessibleName(QStringLiteral("日ごとの回答数と正解率"));
    // Reached by Tab, so a screen reader reads its description.
    setFocusPolicy(Qt::TabFocus);
}

void DayChart::setDays(std::span<const review::DayCount> days)
{
    days_.assign(days.begin(), days.end());
    int highest = 0;
    int answers = 0;
    int right = 0;
    QStringList daysSaid;
    for (const review::DayCount& day : days_) {
        highest = std::max(highest, day.answers);
        answers += day.answers;
        right += day.right;
        if (day.answers > 0)
            daysSaid << QStringLiteral("%1 %2回 正解率%3%")
                            .arg(longDate(day.date, days_.back().date))
                            .arg(day.answers)
                            .arg(qRound(day.accuracy()));
    }
    top_ = niceTop(highest);
    QString text = QStringLiteral("過去%1日の回答 %2回").arg(days_.size()).arg(answers);
    if (answers > 0)
        text += QStringLiteral("、正解率%1%。回答した日: %2。")
                    .arg(qRound(100.0 * right / answers))
                    .arg(daysSaid.join(QStringLiteral("、")));
    else
        text += QStringLiteral("。");
    setAccessibleDescription(text);
    update();
}

QRectF DayChart::plot() const
{
    return QRectF(30, 18, width() - 30 - 34, height() - 18 - 14);
}

QRectF DayChart::barRect(int index) const
{
    const QRectF area = plot();
    if (days_.empty() || index < 0 || index >= int(days_.size()))
        return {};
    const qreal step = area.width() / qreal(days_.size());
    const qreal h = area.height() * days_[index].answers / top_;
    // A gap between bars while they are wide enough to show one.
    const qreal gap = step >= 4 ? 1 : 0;
    return QRectF(area.left() + index * step + gap, area.bottom() - h, step - gap, h);
}

QPointF DayChart::accuracyPoint(int index) const
{
    const QRectF area = plot();
    const qreal step = area.width() / qreal(std::max<size_t>(days_.size(), 1));
    return QPointF(area.left() + (index + 0.5) * step,
                   area.bottom() - area.height() * days_.at(index).accuracy() / 100.0);
}

void DayChart::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    caption(painter, rect(), QStringLiteral("日ごとの回答数（棒）と正解率（線）"));
    const QRectF area = plot();
    axes(painter, area, QString::number(top_), QStringLiteral("100%"), QStringLiteral("0%"));
    if (!days_.empty())
        dateAxis(painter, area, days_.front().date, days_.back().date);
    for (int i = 0; i < int(days_.size()); ++i) {
        if (days_[i].answers > 0)
            painter.fillRect(barRect(i), kBar);
    }
    // The line joins the days that had answers; a day without any has no
    // accuracy to show.
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath line;
    for (int i = 0; i < int(days_.size()); ++i) {
        if (days_[i].answers == 0)
            continue;
        const QPointF point = accuracyPoint(i);
        if (line.elementCount() == 0)
            line.moveTo(point);
        else
            line.lineTo(point);
    }
    painter.setPen(QPen(kLine, 1.5));
    painter.drawPath(line);
    if (days_.size() <= 90) {
        painter.setBrush(kLine);
        for (int i = 0; i < int(days_.size()); ++i) {
            if (days_[i].answers > 0)
                painter.drawEllipse(accuracyPoint(i), 2, 2);
        }
    }
    if (hasFocus())
        drawing::focusFrame(painter, *this);
}

} // namespace progress
