#include <benchmark/benchmark.h>

#ifdef GORVANE_BENCH_WIDGETS
#include <QApplication>
using BenchApplication = QApplication;
#else
#include <QCoreApplication>
using BenchApplication = QCoreApplication;
#endif

// The download runs on an event loop, as in the program; the charts need a widget application,
// offscreen whatever the session has.
int main(int argc, char** argv)
{
#ifdef GORVANE_BENCH_WIDGETS
    qputenv("QT_QPA_PLATFORM", "offscreen");
#endif
    BenchApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
