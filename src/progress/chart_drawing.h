#pragma once

#include <QColor>
#include <QDate>
#include <QRectF>
#include <QString>

class QPainter;
class QWidget;

// What the charts share: their colours, the caption and axes, and the
// dates as a learner reads them.
namespace progress::drawing {

inline const QColor kBar(70, 130, 180);
inline const QColor kLine(225, 110, 20);
inline const QColor kAxis(90, 90, 90);
inline const QColor kGrid(215, 215, 215);

// A top for an axis of counts: `highest` rounded up to a readable figure
// (1, 2, 5, 10, 20, 50 …), at least 1.
int niceTop(int highest);
// "6/15" on an axis, "6月15日" in words ("2025年12月9日" when its year is
// not that of `reference`).
QString shortDate(QDate date);
QString longDate(QDate date, QDate reference);

// The caption at the top left of `area`.
void caption(QPainter& painter, const QRectF& area, const QString& text);
// The frame of the plot with a grid line at its middle, the left axis's
// top and 0, and, when given, the right axis's labels.
void axes(QPainter& painter, const QRectF& plot, const QString& leftTop, const QString& rightTop = {},
          const QString& rightBottom = {});
// The dates under the plot's left and right ends.
void dateAxis(QPainter& painter, const QRectF& plot, QDate first, QDate last);
// The dotted frame that shows a chart has the keyboard focus.
void focusFrame(QPainter& painter, const QWidget& chart);

} // namespace progress::drawing
