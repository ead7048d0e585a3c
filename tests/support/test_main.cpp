#include "ui/controls.h"

#include <QApplication>
#include <gtest/gtest.h>

// Every suite runs headless on Qt's offscreen platform with a real
// QApplication, so real widgets and real events are under test.
int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ui::installFontFallback();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
