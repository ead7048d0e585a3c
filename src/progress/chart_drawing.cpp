#include "chart_drawing.h"

#include "ui/controls.h"

#include <QPainter>
#include <QWidget>

namespace progress::drawing {

int niceTop(int highest)
{
    if (highest <= 1)
        return 1;
    for (int scale = 1;; scale *= 10) {
        for (int step : {1, 2, 5}) {
            if (highest <= step * scale)
                return step * scale;
        }
        if (scale > 100'000'000)
            return highest;
    }
}

QString shortDate(QDate date)
{
    return QStringLiteral("%1/%2").arg(date.month()).arg(date.day());
}

QString longDate(QDate date, QDate reference)
{
    const QString day = QStringLiteral("%1月%2日").arg(date.month()).arg(date.day());
    return date.year() == reference.year() ? day : QStringLiteral("%1年").arg(date.year()) + day;
}

void caption(QPainter& painter, const QRectF& area, const QString& text)
{
    painter.setFont(ui::designFont(12));
    painter.setPen(Qt::black);
    painter.drawText(area.adjusted(2, 0, 0, 0), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text);
}

void axes(QPainter& painter, const QRectF& plot, const QString& leftTop, const QString& rightTop,
          const QString& rightBottom)
{
    painter.setPen(kGrid);
    painter.drawLine(QPointF(plot.left(), plot.center().y()), QPointF(plot.right(), plot.center().y()));
    painter.setPen(kAxis);
    painter.drawLine(plot.bottomLeft(), plot.bottomRight());
    painter.drawLine(plot.bottomLeft(), plot.topLeft());
    painter.setFont(ui::designFont(10));
    const qreal h = 12;
    const QRectF left(0, 0, plot.left() - 3, h);
    painter.drawText(left.translated(0, plot.top() - h / 2), Qt::AlignRight | Qt::AlignVCenter, leftTop);
    painter.drawText(left.translated(0, plot.bottom() - h / 2), Qt::AlignRight | Qt::AlignVCenter,
                     QStringLiteral("0"));
    if (!rightTop.isEmpty()) {
        painter.drawLine(plot.bottomRight(), plot.topRight());
        const QRectF right(plot.right() + 3, 0, 40, h);
        painter.setPen(kLine);
        painter.drawText(right.translated(0, plot.top() - h / 2), Qt::AlignLeft | Qt::AlignVCenter, rightTop);
        painter.drawText(right.translated(0, plot.bottom() - h / 2), Qt::AlignLeft | Qt::AlignVCenter,
                         rightBottom);
    }
}

void dateAxis(QPainter& painter, const QRectF& plot, QDate first, QDate last)
{
    if (!first.isValid())
        return;
    painter.setPen(kAxis);
    painter.setFont(ui::designFont(10));
    const QRectF row(plot.left(), plot.bottom() + 1, plot.width(), 12);
    // Ends in different years carry their years, or a year's span would
    // read as one day.
    const bool years = last.isValid() && last.year() != first.year();
    const auto said = [years](QDate date) {
        return years ? QStringLiteral("%1/%2").arg(date.year()).arg(shortDate(date)) : shortDate(date);
    };
    painter.drawText(row, Qt::AlignLeft | Qt::AlignTop, said(first));
    if (last.isValid() && last != first)
        painter.drawText(row, Qt::AlignRight | Qt::AlignTop, said(last));
}

void focusFrame(QPainter& painter, const QWidget& chart)
{
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(chart.palette().highlight().color(), 1, Qt::DotLine));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(chart.rect().adjusted(0, 0, -1, -1));
}

} // namespace progress::drawing
