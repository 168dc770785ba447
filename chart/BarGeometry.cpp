// SPDX-License-Identifier: GPL-3.0-or-later
#include "BarGeometry.h"

#include <climits>
#include <cmath>

namespace drivo {

namespace {

// Truncation toward zero, kept inside int so absurd inputs (a huge end time over a tiny
// scale) never reach an undefined conversion.
int TruncToInt(double v) {
    if (std::isnan(v))
        return 0;
    if (v >= static_cast<double>(INT_MAX / 2))
        return INT_MAX / 2;
    if (v <= static_cast<double>(INT_MIN / 2))
        return INT_MIN / 2;
    return static_cast<int>(v);
}

} // namespace

PlotGeometry LayoutPlot(const PlotLayoutInput& in) {
    PlotGeometry g;
    const int tl = in.timeLabels ? 1 : 0;
    const int vl = in.valueLabels ? 1 : 0;
    g.width = in.chartWidth;
    g.height = in.chartHeight - 2;
    g.slotWidth = in.barCount > 0 ? in.chartWidth / static_cast<int>(in.barCount) : 0;
    g.valueFullScale = in.valueFullScale;

    const int axisWidth = g.width - kPlotLeftMargin - kPlotRightMargin;
    if (in.timeFullScale > 0.0 && axisWidth > 0)
        g.timeScale = in.timeFullScale / axisWidth;

    g.valueBand = g.height - kPlotBottomMargin - kLabelBand * tl - kLabelBand * vl;
    g.baseline = g.height - kPlotBottomMargin - kLabelBand * tl;
    g.timeLabelBand = kLabelBand * tl;
    return g;
}

int PlotGeometry::TimeToX(double ms) const {
    return timeScale > 0.0 ? TruncToInt(ms / timeScale) : 0;
}

int PlotGeometry::ValueToHeight(double value) const {
    if (valueBand <= 0 || valueFullScale <= 0.0)
        return 0;
    return TruncToInt(value / (valueFullScale / valueBand));
}

BarRect PlotGeometry::BarRectangle(double previousEnd, double end, double value) const {
    BarRect r;
    r.left = kPlotLeftMargin + TimeToX(previousEnd);
    r.right = kPlotLeftMargin + TimeToX(end);
    r.bottom = baseline;
    r.top = baseline - ValueToHeight(value);
    return r;
}

double PlotGeometry::ValueFromHeight(int heightAboveBottom) const {
    if (valueBand <= 0)
        return 0.0;
    double v = (heightAboveBottom - timeLabelBand - kPlotBottomMargin) * valueFullScale / valueBand;
    if (v > valueFullScale)
        v = valueFullScale;
    if (v < 0.0)
        v = 0.0;
    return std::trunc(v);
}

double PlotGeometry::TimeFromX(int x, double lower, double upper, bool lastStage) const {
    double t = (x - kPlotLeftMargin) * timeScale;
    if (t > upper)
        t = upper;
    if (t < lower)
        t = lower;
    if (!lastStage && t > upper - kMinStageMs)
        t = upper - kMinStageMs;
    if (t < lower + kMinStageMs)
        t = lower + kMinStageMs;
    return std::trunc(t);
}

int PlotGeometry::TopEdgeLine(int chartHeight, double value) const {
    const int h = valueFullScale > 0.0 ? TruncToInt(value * valueBand / valueFullScale) : 0;
    return chartHeight - (h + timeLabelBand + kPlotBottomMargin);
}

} // namespace drivo
