// SPDX-License-Identifier: GPL-3.0-or-later
// One Redraw of the profile chart at its size in the main window, with the default profile,
// against one plain fill of the same surface measured in the same run. Also prints a checksum
// of the surfaces rendered for a few profiles, so that a change of the drawing can be shown
// to leave every pixel as it was.
#include "BenchRatio.h"
#include "chart/CProfileChart.h"
#include "chart/ChartSetup.h"
#include "settings/RaceSettings.h"

#include <QApplication>
#include <QPainter>
#include <QWidget>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <memory>

namespace {

constexpr double kRedrawGoal = 8.0; // at most this many plain fills
constexpr double kDragGoal = 2.0;   // a drag step, at most this many bare fill-and-copy steps

// The main window's chart, over its placeholder at 274,159, 478 x 264 pixels.
struct ChartInDialog {
    QWidget dialog;
    QWidget placeholder{&dialog};
    drivo::CProfileChart chart;

    explicit ChartInDialog(const drivo::RaceSettings& settings = Defaults()) {
        dialog.resize(794, 567);
        placeholder.setGeometry(274, 159, 478, 264);
        placeholder.hide();
        drivo::ConfigureChart(chart, drivo::ChartOptions{});
        drivo::SetupChart(chart, placeholder, dialog, QStringLiteral("I en %"), settings,
                          [] { return 7; });
        chart.Rebuild();
    }

    static drivo::RaceSettings Defaults() {
        drivo::RaceSettings settings;
        std::uint16_t language = 0;
        drivo::LoadDefaults(settings, language, 0);
        return settings;
    }
};

void BM_ChartRedraw(benchmark::State& state) {
    ChartInDialog c;
    for (auto _ : state) {
        c.chart.Redraw();
        benchmark::DoNotOptimize(c.chart.Surface().constBits());
    }
}
BENCHMARK(BM_ChartRedraw)->Unit(benchmark::kMicrosecond);

void BM_SurfaceFill(benchmark::State& state) {
    ChartInDialog c;
    QImage surface = c.chart.Surface();
    for (auto _ : state) {
        QPainter p(&surface);
        p.fillRect(surface.rect(), QColor::fromRgb(0xFFFFFFFF));
        p.end();
        benchmark::DoNotOptimize(surface.constBits());
    }
}
BENCHMARK(BM_SurfaceFill)->Unit(benchmark::kMicrosecond);

// FNV-1a over the pixels of the surfaces of a few profiles: plain, highlighted, a narrow first
// stage, a bar above the band, a grey background, no value labels.
quint32 RenderedChecksum() {
    quint32 h = 2166136261u;
    const auto add = [&h](const QImage& img) {
        for (int y = 0; y < img.height(); ++y) {
            const uchar* row = img.constScanLine(y);
            for (qsizetype i = 0; i < img.bytesPerLine(); ++i)
                h = (h ^ row[i]) * 16777619u;
        }
    };
    for (int variant = 0; variant < 6; ++variant) {
        drivo::RaceSettings profile = ChartInDialog::Defaults();
        if (variant == 2)
            profile.Time[0] = 48;
        if (variant == 3)
            profile.Value[4] = 150;
        auto c = std::make_unique<ChartInDialog>(profile);
        if (variant == 1)
            c->chart.SetHighlightedBar(2);
        if (variant == 4)
            c->chart.SetBackgroundColor(qRgb(240, 240, 240));
        if (variant == 5)
            c->chart.ShowValueLabels(1, false, false);
        c->chart.Redraw();
        add(c->chart.Surface());
    }
    return h;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    std::printf("rendered surfaces checksum: %08x\n", RenderedChecksum());
    return drivo::bench::RunWithRatios(
        argc, argv,
        {{"BM_ChartRedraw", "BM_SurfaceFill", kRedrawGoal, 0.0, true, false},
         {"BM_DragStep", "BM_BareDragStep", kDragGoal, 0.0, true, false}});
}
