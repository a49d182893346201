// main() of the widget benchmarks: one QApplication on the off-screen
// platform, then every registered benchmark.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLoggingCategory>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // The off-screen platform warns about window hints it ignores.
    QLoggingCategory::setFilterRules(QStringLiteral("default.warning=false"));
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
