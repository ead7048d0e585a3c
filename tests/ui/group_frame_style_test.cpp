#include "registration/radio_group.h"
#include "ui/controls.h"
#include "ui/group_frame_style.h"

#include <QApplication>
#include <QFile>
#include <QGroupBox>
#include <QImage>
#include <QRadioButton>
#include <QStyle>
#include <gtest/gtest.h>

namespace {

bool imagePluginsLoaded()
{
    QFile maps(QStringLiteral("/proc/self/maps"));
    return maps.open(QIODevice::ReadOnly) && maps.readAll().contains("/imageformats/");
}

QImage drawn(QGroupBox& box)
{
    box.setFont(ui::designFont(12));
    box.resize(153, 65);
    return box.grab().toImage();
}

// Our group boxes read the frame image their own way, but must look exactly
// as the application's style draws them: same frame, same place, same caption.
TEST(GroupFrameStyle, GroupBoxesLookAsTheApplicationStyleDrawsThem)
{
    // The suite runs under Fusion, the style the frame image belongs to.
    ASSERT_NE(ui::groupFrameStyle(), nullptr);
    QWidget parent;
    QGroupBox plain(QStringLiteral("種類(出題モードのみ)"), &parent);
    QGroupBox ours(QStringLiteral("種類(出題モードのみ)"), &parent);
    ours.setStyle(ui::groupFrameStyle());
    // Drawing ours does not go through Qt's format guessing, which loads
    // every image plugin (unless an earlier test already had them loaded).
    const bool loadedBefore = imagePluginsLoaded();
    const QImage actual = drawn(ours);
    if (!loadedBefore) {
        EXPECT_FALSE(imagePluginsLoaded());
    }
    const QImage expected = drawn(plain);
    EXPECT_EQ(actual, expected);
    // Not blank: the frame and caption are there to compare.
    QImage blank(expected.size(), expected.format());
    blank.fill(expected.pixel(expected.width() / 2, expected.height() / 2));
    EXPECT_NE(expected, blank);

    // The builder and the radio group both use it.
    QGroupBox* built = ui::groupBox(&parent, "GroupBox9", QStringLiteral("問題数"), 0, 0, 153, 65);
    RadioGroup group(&parent, "parts", QStringLiteral("品詞"), QRect(0, 0, 100, 80),
                     {QStringLiteral("名詞")});
    EXPECT_EQ(built->style(), ui::groupFrameStyle());
    EXPECT_EQ(group.style(), ui::groupFrameStyle());
    // The items inside keep the application's style.
    EXPECT_EQ(group.item(0)->style(), QApplication::style());
}

} // namespace
