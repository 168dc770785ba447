// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Horizontal percent scale of the chart: minor and major lines and their labels.
#include <QRgb>

class QPainter;

namespace drivo {

class CChartGrid {
public:
    explicit CChartGrid(QRgb lineColor);

    unsigned Columns() const { return m_columns; }
    unsigned Rows() const { return m_rows; }
    unsigned Spacing() const { return m_spacing; }
    void SetColumns(unsigned n) { m_columns = n; }
    void SetRows(unsigned n) { m_rows = n; }
    void SetSpacing(unsigned px) { m_spacing = px; }

    // Both pens share one colour (1 px minor, 2 px major).
    QRgb LineColor() const { return m_lineColor; }
    void SetLineColor(QRgb c) { m_lineColor = c; }

    // Draws into the rectangle (left, top, right, bottom), bottom and right exclusive. Lines
    // start at x = 0 whatever the left edge; labels stand at the left of the surface.
    void Draw(QPainter& p, int left, int top, int right, int bottom) const;

    static constexpr int kMinorPenWidth = 1;
    static constexpr int kMajorPenWidth = 2;

private:
    unsigned m_columns = 0;
    unsigned m_rows = 0;
    unsigned m_spacing = 10;
    QRgb m_lineColor;
};

} // namespace drivo
