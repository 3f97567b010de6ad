// The main of a benchmark program that draws or makes widgets: Google
// Benchmark's own main, with a Qt application around it (offscreen unless a
// platform is named).
#pragma once

#include <QApplication>

#include <benchmark/benchmark.h>

namespace kalmo::bench {

inline int runWidgetBenchmarks(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

} // namespace kalmo::bench
