#include "app/app_icon.h"

#include <QImage>
#include <QPixmap>
#include <gtest/gtest.h>

namespace {

TEST(AppIcon, EveryShippedSizeIsDrawnAndOthersAreScaledFromTheNextLarger)
{
    const QIcon icon = appIcon();
    ASSERT_FALSE(icon.isNull());
    const QList<QSize> sizes = icon.availableSizes();
    EXPECT_EQ(sizes.size(), 6);
    for (const QSize& size : sizes) {
        const QPixmap pix = icon.pixmap(size);
        EXPECT_EQ(pix.size(), size);
        // A real picture, not an empty square: it has opaque pixels.
        const QImage image = pix.toImage();
        EXPECT_GT(qAlpha(image.pixel(size.width() / 2, size.height() / 2)), 0) << size.width();
    }
    EXPECT_EQ(icon.pixmap(QSize(20, 20)).size(), QSize(20, 20));
    EXPECT_EQ(icon.pixmap(QSize(512, 512)).size(), QSize(512, 512));
    EXPECT_EQ(icon.actualSize(QSize(512, 512)), QSize(256, 256));
    // A disabled icon looks different from the normal one.
    EXPECT_NE(icon.pixmap(QSize(32, 32), QIcon::Disabled).toImage(), icon.pixmap(QSize(32, 32)).toImage());
}

} // namespace
