#include "ui/group_frame_style.h"

#include <QApplication>
#include <QGroupBox>
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
    GroupFrameStyle() : QProxyStyle(QStringLiteral("fusion"))
    {
        QImageReader reader(QStringLiteral(":/qt-project.org/styles/commonstyle/images/fusion_groupbox.png"),
                            "png");
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
    static QStyle* const style = []() -> QStyle* {
        if (QApplication::style()->name().compare(QLatin1String("fusion"), Qt::CaseInsensitive) != 0)
            return nullptr;
        auto* s = new GroupFrameStyle;
        s->setParent(qApp);
        return s;
    }();
    return style;
}

void useGroupFrameStyle(QGroupBox* box)
{
    if (QStyle* style = groupFrameStyle())
        box->setStyle(style);
}

} // namespace ui
