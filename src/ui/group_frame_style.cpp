#include "ui/group_frame_style.h"

#include <QApplication>
#include <QImageReader>
#include <QPainter>
#include <QPixmap>
#include <QProxyStyle>
#include <QStyleOption>
#include <qdrawutil.h>

#include <algorithm>

namespace ui {

namespace {

// Fusion's gap between the caption line and the frame's top edge.
constexpr int kFusionCaptionGap = 3;

class GroupFrameStyle : public QProxyStyle {
public:
    explicit GroupFrameStyle(const QString& base) : QProxyStyle(base)
    {
        if (baseStyle()->name().compare(QLatin1String("fusion"), Qt::CaseInsensitive) != 0)
            return;
        QImageReader reader(QStringLiteral(":/qt-project.org/styles/commonstyle/images/fusion_groupbox.png"), "png");
        reader.setAutoDetectImageFormat(false);
        frame_ = QPixmap::fromImage(reader.read());
    }

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override
    {
        if (element != PE_FrameGroupBox || frame_.isNull()) {
            QProxyStyle::drawPrimitive(element, option, painter, widget);
            return;
        }
        const int top = std::max(pixelMetric(PM_ExclusiveIndicatorHeight), option->fontMetrics.height())
                        + kFusionCaptionGap;
        qDrawBorderPixmap(painter, option->rect.adjusted(0, top, 0, 0), QMargins(6, 6, 6, 6), frame_);
    }

private:
    QPixmap frame_;
};

} // namespace

QStyle* groupFrameStyle()
{
    static QStyle* style = [] {
        auto* s = new GroupFrameStyle(QApplication::style()->name());
        s->setParent(qApp);
        return s;
    }();
    return style;
}

} // namespace ui
