// The main of the benchmarks that need the program's windows: they are made on Qt's
// offscreen platform, so that no display is needed and nothing is shown.
#include <QApplication>
#include <benchmark/benchmark.h>

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
