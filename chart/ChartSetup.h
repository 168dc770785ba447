// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How the main window configures the chart and builds it from the race settings, in one
// place so that the window's initialisation makes two calls.
#include "settings/RaceSettings.h"

#include <QRgb>
#include <QString>
#include <functional>

class QWidget;

namespace drivo {

class CProfileChart;

inline constexpr int kChartBarCount = kStageCount; // one bar per stage of the profile

// The chart options the main window holds (grid rows and columns, time labels, tips).
struct ChartOptions {
    unsigned gridRows = 10;
    unsigned gridColumns = 1;
    bool timeLabels = true;
    bool tipsEnabled = false;
};

// Before the chart is built: fixed spacing first, then the row and column counts, the time
// labels and the tips switch.
void ConfigureChart(CProfileChart& chart, const ChartOptions& options);

// Gives the chart the record's profile: the stage end times, TimeMax and the intensities,
// then redraws. The chart's bars follow the record only through this call.
void ShowProfile(CProfileChart& chart, const RaceSettings& settings);

// Creates the chart over the placeholder's rectangle (in the dialog's client coordinates),
// or resets it when it exists already, then titles it, makes it white, adds the five bars and
// shows the settings' profile. random stands for the standard
// pseudo-random generator, whose remainders give the throw-away values of the first bars. Returns
// whether the chart has its window.
bool SetupChart(CProfileChart& chart, const QWidget& placeholder, QWidget& dialog,
                const QString& title, const RaceSettings& settings,
                const std::function<int()>& random = {});

} // namespace drivo
