// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChartSetup.h"

#include "CProfileChart.h"

#include <QWidget>
#include <cstdlib>

namespace drivo {

namespace {
constexpr QRgb kWhite = 0xFFFFFFFF;
}

void ConfigureChart(CProfileChart& chart, const ChartOptions& options) {
    chart.SetGridDivisions(0, 0, true, 0);
    chart.SetGridDivisions(options.gridRows, options.gridColumns, false, 0);
    chart.ShowTimeLabels(options.timeLabels, false);
    chart.EnableTips(options.tipsEnabled);
}

void ShowProfile(CProfileChart& chart, const RaceSettings& settings) {
    for (int i = 0; i < kChartBarCount; ++i)
        chart.SetBarEndTime(i, settings.Time[static_cast<size_t>(i)]);
    chart.SetMaxTime(settings.TimeMax(), false);
    for (int i = 0; i < kChartBarCount; ++i)
        chart.SetBarValue(i, settings.Value[static_cast<size_t>(i)]);
    chart.Redraw();
}

bool SetupChart(CProfileChart& chart, const QWidget& placeholder, QWidget& dialog,
                const QString& title, const RaceSettings& settings,
                const std::function<int()>& random) {
    const QRect rect(placeholder.mapTo(&dialog, QPoint(0, 0)), placeholder.size());
    if (!chart.HasWindow())
        chart.Create(rect, &dialog, 0, QString());
    else
        chart.Reset();
    chart.SetTitle(title);
    chart.SetBackgroundColor(kWhite);
    const auto next = [&random] { return random ? random() : std::rand(); };
    for (int i = 0; i < kChartBarCount; ++i) {
        const int r1 = next() % 100;
        const int r2 = next() % 10;
        chart.AddBar((i + 1) * 400 + r1, (i + 1) * 100 / kChartBarCount - r2, QString::number(i),
                     kDefaultBarColor, false);
    }
    ShowProfile(chart, settings);
    return chart.HasWindow();
}

} // namespace drivo
