#pragma once
// How the main window configures the chart and builds it from the race settings, in one
// place so that the window's initialisation makes two calls.
#include <QRgb>
#include <QString>
#include <array>
#include <functional>

class QWidget;

namespace drivo {

class CProfileChart;

inline constexpr int kChartPlaceholderId = 1049; // hidden frame the chart covers
inline constexpr int kChartTitleStringId = 1066; // "I en %"
inline constexpr int kChartBarCount = 5; // one bar per stage of the profile

// The chart options the main window holds (grid rows and columns, time labels, tips).
struct ChartOptions {
    unsigned gridRows = 10;
    unsigned gridColumns = 1;
    bool timeLabels = true;
    bool tipsEnabled = false;
};

// The stage values of the race settings, copied as plain numbers.
struct ChartProfile {
    std::array<int, kChartBarCount> endTimes{200, 400, 600, 800, 1000}; // Time1..Time5, ms
    std::array<int, kChartBarCount> values{5, 10, 20, 20, 20};          // Value1..Value5, %
    int timeMax = 1000;                                              // TimeMax, ms
};

// Before the chart is built: fixed spacing first, then the row and column counts, the time
// labels and the tips switch.
void ConfigureChart(CProfileChart& chart, const ChartOptions& options);

// Creates the chart over the placeholder's rectangle (in the dialog's client coordinates),
// or resets it when it exists already, then titles it, makes it white, adds the five bars and
// fills them from the profile, and redraws. random stands for the standard pseudo-random
// generator, whose remainders give the throw-away values of the first bars. Returns whether
// the chart has its window.
bool SetupChart(CProfileChart& chart, const QWidget& placeholder, QWidget& dialog,
                const QString& title, const ChartProfile& profile,
                const std::function<int()>& random = {});

} // namespace drivo
