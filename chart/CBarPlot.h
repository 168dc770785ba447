// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The bars of the profile chart, their scales and label settings, and their drawing.
#include "BarGeometry.h"
#include "TextStamps.h"

#include <QFont>
#include <QRect>
#include <QRgb>
#include <QString>
#include <memory>
#include <vector>

class QImage;
class QPainter;

namespace drivo {

inline constexpr QRgb kDefaultBarColor = 0xFF6493E1; // RGB(100,147,225)
inline constexpr QRgb kBarShadeColor = 0xFF004494;   // RGB(0,68,148)
inline constexpr QRgb kLabelColor = 0xFF000000;

struct ChartBar {
    QString label;        // stage index "0".."4"
    double value = 0.0;   // percent of Imax
    double endTime = 0.0; // ms from the start
    QRgb color = kDefaultBarColor;
};

class CBarPlot {
public:
    CBarPlot();

    // Bars, in insertion order (the index is the stage index).
    void AddBar(double endTime, double value, const QString& label, QRgb color);
    void RemoveAllBars();
    int BarCount() const { return static_cast<int>(m_bars.size()); }
    // nullptr for an index outside the list.
    const ChartBar* Bar(int index) const;
    ChartBar* Bar(int index);

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    void SetSize(int width, int height) {
        m_width = width;
        m_height = height;
    }
    int SlotWidth() const { return m_slotWidth; }
    int SlotGap() const { return m_slotGap; }

    bool TimeLabels() const { return m_timeLabels; }
    void SetTimeLabels(bool on) { m_timeLabels = on; }
    bool ValueLabels() const { return m_valueLabels; }
    void SetValueLabels(bool on) { m_valueLabels = on; }
    // 0: value x 100 / value full scale; 1: the value itself.
    void SetValueLabelMode(int mode) { m_valueLabelMode = mode; }

    void SetBackground(QRgb c) { m_background = c; }
    double TimeFullScale() const { return m_timeFullScale; }
    void SetTimeFullScale(double ms) { m_timeFullScale = ms; }
    double ValueFullScale() const { return m_valueFullScale; }
    int HighlightedBar() const { return m_highlightedBar; }
    void SetHighlightedBar(int index) { m_highlightedBar = index; }

    // The layout before each drawing: W = Wc, H = Hc - 2, slot width = Wc / bar count.
    PlotGeometry Layout(int chartWidth, int chartHeight);
    // The same geometry without changing the plot (for hit tests against the last layout).
    PlotGeometry Geometry(int chartWidth, int chartHeight) const;
    // Rectangle of bar index under a geometry; an empty rectangle outside the list.
    BarRect BarRectangle(const PlotGeometry& g, int index) const;

    // First bar (in index order) whose rectangle enlarged by dx / dy holds the point; -1 for none.
    int HitTest(const PlotGeometry& g, int x, int y, int dx, int dy) const;
    // A dragged value from the height above the chart's bottom edge.
    double ValueFromY(const PlotGeometry& g, int heightAboveBottom) const {
        return g.ValueFromHeight(heightAboveBottom);
    }
    // A dragged end time of bar k from x, kept between its neighbours.
    double TimeFromX(const PlotGeometry& g, int k, int x) const;

    // Draws all bars with outline, gradient, corners and labels, then the end tick. p paints on
    // surface (32 bits a pixel, untransformed); the bars' pixels are written into its rows.
    // Every area drawn into is added to drawn, in drawing order.
    void Draw(QPainter& p, QImage& surface, CTextStamps& text, const PlotGeometry& g,
              std::vector<DrawnArea>& drawn) const;

    // "Tahoma", 10 px characters, normal weight: the labels of the bars and of the grid.
    static QFont LabelFont();

private:
    void DrawBar(QImage& surface, const BarRect& r, const ChartBar& bar, bool highlighted) const;
    void DrawLabels(QPainter& p, CTextStamps& text, const PlotGeometry& g, const BarRect& r,
                    int index, std::vector<DrawnArea>& drawn) const;

    std::vector<std::unique_ptr<ChartBar>> m_bars;
    int m_width = 0;
    int m_height = 0;
    bool m_timeLabels = true;
    bool m_valueLabels = true;
    int m_valueLabelMode = 1;
    int m_slotWidth = 32;
    int m_slotGap = 0;
    QRgb m_background = 0xFFFFFFFF;
    QFont m_labelFont;
    double m_timeFullScale = 0.0;
    double m_valueFullScale = 100.0;
    int m_highlightedBar = -1;
};

} // namespace drivo
