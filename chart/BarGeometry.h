// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Mapping of stage values (end times in ms, intensities in percent) to bar rectangles in
// chart pixels. Plain C++ on purpose: drawing uses it forwards, mouse editing inverts it, and
// both must agree to the pixel.
#include <cstddef>

namespace drivo {

// Margins of the time axis inside the plot, in pixels.
inline constexpr int kPlotLeftMargin = 40;
inline constexpr int kPlotRightMargin = 20;
// Height reserved below the baseline, and the bands for the time and value labels.
inline constexpr int kPlotBottomMargin = 20;
inline constexpr int kLabelBand = 10;

// Right and bottom are exclusive.
struct BarRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool operator==(const BarRect&) const = default;
};

struct PlotLayoutInput {
    int chartWidth = 0;  // Wc, width of the creation rectangle
    int chartHeight = 0; // Hc
    bool timeLabels = true;
    bool valueLabels = true;
    double timeFullScale = 0.0;    // ms at the right end of the time axis
    double valueFullScale = 100.0; // value at the top of the value band
    std::size_t barCount = 0;
};

// The layout done before each drawing.
struct PlotGeometry {
    int width = 0;          // W = Wc
    int height = 0;         // H = Hc - 2
    int slotWidth = 0;      // Wc / bar count; 0 without bars
    double timeScale = 0.0; // s, ms per pixel; 0 when undefined
    int valueBand = 0;      // P
    int baseline = 0;       // yb
    double valueFullScale = 100.0;
    int timeLabelBand = 0; // 10 * tl

    // False when bars cannot be placed: no time axis (full scale 0 or negative, or a plot
    // narrower than its margins), no value band, or no value full scale. Nothing is drawn then.
    bool CanPlaceBars() const { return timeScale > 0.0 && valueBand > 0 && valueFullScale > 0.0; }

    // Horizontal pixel offset of a time from the left margin: trunc(t / s).
    int TimeToX(double ms) const;
    // Bar height of a value: trunc(value / (value full scale / P)).
    int ValueToHeight(double value) const;
    // Rectangle of a bar from the previous stage's end time (0 for the first) to its own.
    BarRect BarRectangle(double previousEnd, double end, double value) const;

    // The inverse mappings used by mouse editing.
    // A whole value from a height above the chart's bottom edge, kept to 0..value full scale.
    double ValueFromHeight(int heightAboveBottom) const;
    // A whole end time from x for a stage between lower (previous end, or 0) and upper (next
    // end, or the time full scale for the last stage), keeping every stage at least
    // kMinStageMs long; the last stage may end at the full scale itself.
    double TimeFromX(int x, double lower, double upper, bool lastStage) const;
    // The top edge line and the right edge line of a bar, as the pointer sees them.
    int TopEdgeLine(int chartHeight, double value) const;
    int RightEdgeLine(double end) const { return kPlotLeftMargin + TimeToX(end); }
};

inline constexpr double kMinStageMs = 50.0;

// Whether (x, y) lies in r enlarged by dx left and right and dy above and below (left and top
// inclusive).
inline bool HitsEnlarged(const BarRect& r, int x, int y, int dx, int dy) {
    return x >= r.left - dx && x < r.right + dx && y >= r.top - dy && y < r.bottom + dy;
}

PlotGeometry LayoutPlot(const PlotLayoutInput& in);

} // namespace drivo
