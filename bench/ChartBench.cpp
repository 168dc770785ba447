// One Redraw of the profile chart at its size in the main window, with the default profile.
#include "chart/CProfileChart.h"
#include "chart/ChartSetup.h"

#include <QApplication>
#include <QWidget>
#include <benchmark/benchmark.h>

namespace {

void BM_ChartRedraw(benchmark::State& state) {
    QWidget dialog;
    dialog.resize(794, 567);
    QWidget placeholder(&dialog);
    placeholder.setGeometry(274, 159, 478, 264);
    placeholder.hide();
    drivo::CProfileChart chart;
    drivo::ConfigureChart(chart, drivo::ChartOptions{});
    drivo::RaceSettings settings;
    std::uint16_t language = 0;
    drivo::LoadDefaults(settings, language, 0);
    drivo::SetupChart(chart, placeholder, dialog, QStringLiteral("I en %"), settings,
                      [] { return 7; });
    chart.Rebuild();
    for (auto _ : state) {
        chart.Redraw();
        benchmark::DoNotOptimize(chart.Surface().constBits());
    }
}
BENCHMARK(BM_ChartRedraw)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
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
