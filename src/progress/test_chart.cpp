// Every test's score by date: one series per kind and length, the score as
// a share of the test's questions so that tests of every length share the
// axis.

#include "chart_drawing.h"
#include "progress/charts.h"
#include "ui/controls.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>

namespace progress {

using namespace drawing;

namespace {

QColor colourOf(history::TestKind kind)
{
    switch (kind) {
    case history::TestKind::Normal: return {40, 110, 200};
    case history::TestKind::TimeAttack: return {215, 80, 40};
    case history::TestKind::CompleteRun: return {40, 150, 70};
    }
    return Qt::black;
}

QString shortName(history::TestKind kind, int length)
{
    const QString kinds[] = {QStringLiteral("ふつー"), QStringLiteral("タイム"), QStringLiteral("全制覇")};
    return kinds[std::clamp(int(kind), 0, 2)] + QString::number(length);
}

// A mark for each length: circle 10, square 20, triangle 30 (and others).
void mark(QPainter& painter, QPointF at, int length)
{
    const qreal r = 3;
    if (length <= 10) {
        painter.drawEllipse(at, r, r);
    } else if (length <= 20) {
        painter.drawRect(QRectF(at.x() - r, at.y() - r, 2 * r, 2 * r));
    } else {
        const QPointF corners[] = {at + QPointF(0, -r - 1), at + QPointF(r + 1, r), at + QPointF(-r - 1, r)};
        painter.drawPolygon(corners, 3);
    }
}

constexpr qreal kLegendRow = 13;

} // namespace

QString seriesName(history::TestKind kind, int length)
{
    const QString kinds[] = {QStringLiteral("ふつーのテスト形式"), QStringLiteral("タイムアタック"),
                             QStringLiteral("全制覇")};
    return QStringLiteral("%1 %2問").arg(kinds[std::clamp(int(kind), 0, 2)]).arg(length);
}

TestChart::TestChart(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("TestChart"));
    setAccessibleName(QStringLiteral("テストの得点"));
    setFont(ui::designFont(10));
    setFocusPolicy(Qt::TabFocus);
}

void TestChart::setTests(const std::vector<review::TestSeries>& tests, QDate today)
{
    tests_ = tests;
    first_ = last_ = today;
    QStringList said;
    for (const review::TestSeries& series : tests_) {
        QStringList points;
        for (const review::TestPoint& point : series.points) {
            first_ = std::min(first_, point.date);
            last_ = std::max(last_, point.date);
            points << QStringLiteral("%1 %2点").arg(longDate(point.date, today)).arg(point.score);
        }
        said << QStringLiteral("%1 %2回（%3）")
                    .arg(seriesName(series.kind, series.length))
                    .arg(series.points.size())
                    .arg(points.join(QStringLiteral("、")));
    }
    setAccessibleDescription(tests_.empty()
                                 ? QStringLiteral("テストの記録はまだありません。")
                                 : QStringLiteral("テストの得点: %1。").arg(said.join(QStringLiteral("。"))));
    update();
}

QRectF TestChart::plot() const
{
    // The legend takes as many rows under the caption as its entries need.
    const QFontMetrics metrics(font());
    qreal x = 0;
    int rows = tests_.empty() ? 0 : 1;
    for (const review::TestSeries& series : tests_) {
        const qreal w = 12 + metrics.horizontalAdvance(shortName(series.kind, series.length)) + 6;
        if (x > 0 && 30 + x + w > width()) {
            ++rows;
            x = 0;
        }
        x += w;
    }
    const qreal top = 18 + rows * kLegendRow;
    return QRectF(30, top, width() - 30 - 32, height() - top - 14);
}

QPointF TestChart::pointOf(int series, int index) const
{
    const QRectF area = plot();
    const review::TestSeries& s = tests_.at(series);
    const review::TestPoint& point = s.points.at(index);
    const qint64 span = std::max<qint64>(first_.daysTo(last_), 1);
    const qreal x =
        first_ == last_ ? area.center().x() : area.left() + area.width() * first_.daysTo(point.date) / span;
    const qreal share = s.length > 0 ? std::clamp(qreal(point.score) / s.length, 0.0, 1.0) : 0.0;
    return QPointF(x, area.bottom() - area.height() * share);
}

void TestChart::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    caption(painter, rect(), QStringLiteral("テストの得点（正解の割合）"));
    const QRectF area = plot();
    axes(painter, area, QStringLiteral("100%"));
    dateAxis(painter, area, first_, last_);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setFont(font());
    const QFontMetrics metrics(font());
    qreal x = 30;
    qreal y = 18;
    for (int s = 0; s < int(tests_.size()); ++s) {
        const review::TestSeries& series = tests_[s];
        const QColor colour = colourOf(series.kind);
        // The legend entry.
        const QString name = shortName(series.kind, series.length);
        const qreal w = 12 + metrics.horizontalAdvance(name) + 6;
        if (x > 30 && x + w > width()) {
            x = 30;
            y += kLegendRow;
        }
        painter.setPen(colour);
        painter.setBrush(colour);
        mark(painter, QPointF(x + 4, y + kLegendRow / 2), series.length);
        painter.setPen(Qt::black);
        painter.drawText(QRectF(x + 11, y, w, kLegendRow), Qt::AlignLeft | Qt::AlignVCenter, name);
        x += w;
        // The series.
        QPainterPath line;
        for (int i = 0; i < int(series.points.size()); ++i) {
            if (i == 0)
                line.moveTo(pointOf(s, i));
            else
                line.lineTo(pointOf(s, i));
        }
        painter.setPen(QPen(colour, 1.2));
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(line);
        painter.setBrush(colour);
        for (int i = 0; i < int(series.points.size()); ++i)
            mark(painter, pointOf(s, i), series.length);
    }
    if (hasFocus())
        drawing::focusFrame(painter, *this);
}

} // namespace progress
