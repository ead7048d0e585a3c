#include "app/font_preload.h"
#include "ui/controls.h"

#include <QFont>
#include <QFontInfo>
#include <gtest/gtest.h>

namespace {

// A start that ends before the application is told ready (a second copy,
// say) must neither hang nor touch fonts from the thread.
TEST(FontPreload, EndsCleanlyWhetherOrNotTheApplicationCameReady)
{
    {
        FontPreload unused;
    }
    FontPreload fonts;
    fonts.applicationReady();
    fonts.finish();
    fonts.finish();
    // The design face resolves to an installed Japanese face.
    const QFont font = ui::designFont(12);
    EXPECT_EQ(QFontInfo(font).pixelSize(), 12);
    EXPECT_TRUE(QFontInfo(font).family().contains(QStringLiteral("IPA")))
        << QFontInfo(font).family().toStdString();
}

} // namespace
