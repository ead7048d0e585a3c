#include <QCoreApplication>
#include <gtest/gtest.h>

// The core's suites run without any GUI library: a Qt Core application
// object is all they have.
int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
