#include "ui/controls.h"

#include <QApplication>
#include <benchmark/benchmark.h>

// Benchmarks of widgets need a QApplication; they run on the offscreen
// platform like the tests.
int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ui::installFontFallback();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
