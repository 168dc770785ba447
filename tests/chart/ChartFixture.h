// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A main-window stand-in with the chart placeholder at its place: 274,159, 478 x 264 pixels.
#include "chart/CProfileChart.h"
#include "chart/ChartSetup.h"

#include <QWidget>

namespace drivo::test {

inline constexpr int kChartW = 478;
inline constexpr int kChartH = 264;

// The settings' built-in defaults: 200/400/600/800/1000 ms at 5/10/20/20/20 %, TimeMax 1000.
inline RaceSettings DefaultSettings() {
    RaceSettings s;
    std::uint16_t language = 0;
    LoadDefaults(s, language, 0);
    return s;
}

struct ChartFixture {
    QWidget dialog;
    QWidget* placeholder = new QWidget(&dialog);
    CProfileChart chart;

    explicit ChartFixture(const RaceSettings& profile = DefaultSettings()) {
        dialog.resize(794, 567);
        placeholder->setGeometry(274, 159, kChartW, kChartH);
        placeholder->hide();
        ConfigureChart(chart, ChartOptions{});
        SetupChart(chart, *placeholder, dialog, QStringLiteral("I en %"), profile,
                   [] { return 0; });
    }

    // What the first paint does: create the surface and render into it.
    const QImage& Render() {
        chart.Rebuild();
        return chart.Surface();
    }
};

} // namespace drivo::test
