#include <QApplication>
#include <QTimer>

#include <benchmark/benchmark.h>

// main() for benchmarks of widgets: a QApplication on the offscreen platform
// unless another is asked for. The benchmarks run inside the event loop, so
// a benchmark that keeps widgets between runs can free them on aboutToQuit,
// while the application still exists.
int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    QTimer::singleShot(0, &app, [&app] {
        benchmark::RunSpecifiedBenchmarks();
        benchmark::Shutdown();
        app.quit();
    });
    return app.exec();
}
