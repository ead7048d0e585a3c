#include "registration/radio_group.h"
#include "ui/controls.h"

#include <QImage>
#include <QRadioButton>
#include <gtest/gtest.h>

namespace {

// The rows of the frame's top and bottom edges as drawn, found down the
// middle of the box (right of the caption) with the items out of the way.
std::pair<int, int> frameEdges(RadioGroup& group)
{
    for (int i = 0; i < group.count(); ++i)
        group.item(i)->hide();
    const QImage image = group.grab().toImage();
    for (int i = 0; i < group.count(); ++i)
        group.item(i)->show();
    const int x = image.width() * 3 / 4;
    const QRgb background = image.pixel(x, 0);
    int top = 0;
    while (top < image.height() && image.pixel(x, top) == background)
        ++top;
    int bottom = image.height() - 1;
    while (bottom > top && image.pixel(x, bottom) == background)
        --bottom;
    return {top, bottom};
}

TEST(RadioGroupLayout, TheItemsLieInsideTheDrawnFrameWhateverTheFont)
{
    QWidget panel;
    RadioGroup parts(&panel, "parts", QStringLiteral("品詞"), QRect(64, 142, 113, 115),
                     {QStringLiteral("名詞(&Z)"), QStringLiteral("動詞(&X)"), QStringLiteral("形容詞(&C)"),
                      QStringLiteral("副詞(&V)"), QStringLiteral("熟語(&B)")});
    for (const int px : {12, 16}) {
        panel.setFont(ui::designFont(px));
        panel.show();
        const auto [top, bottom] = frameEdges(parts);
        ASSERT_GT(top, 10) << "no caption above the frame at " << px << " px";
        ASSERT_LT(bottom, parts.height());
        int previousBottom = top;
        for (int i = 0; i < parts.count(); ++i) {
            const QRect item = parts.item(i)->geometry();
            EXPECT_GT(item.top(), previousBottom) << "item " << i << " at " << px << " px";
            previousBottom = item.bottom();
        }
        EXPECT_LT(previousBottom, bottom) << "the last item crosses the bottom edge at " << px << " px";
        // Evenly spaced, as a radio group lays out its items.
        const int pitch = parts.item(1)->y() - parts.item(0)->y();
        for (int i = 2; i < parts.count(); ++i)
            EXPECT_EQ(parts.item(i)->y() - parts.item(i - 1)->y(), pitch);
    }
    // The box itself stays where the registration panel puts it.
    EXPECT_EQ(parts.geometry(), QRect(64, 142, 113, 115));
}

} // namespace
