// SPDX-License-Identifier: GPL-3.0-or-later
#include "CChartGrid.h"

#include "CBarPlot.h"
#include "widgets/PixelLines.h"

#include <QPainter>
#include <algorithm>

namespace drivo {

CChartGrid::CChartGrid(QRgb lineColor) : m_lineColor(lineColor) {}

void CChartGrid::Draw(QPainter& p, int left, int top, int right, int bottom) const {
    // A surface smaller than the label bands gives an empty rectangle, not a negative one.
    const unsigned wr = static_cast<unsigned>(std::max(0, right - left));
    const unsigned hr = static_cast<unsigned>(std::max(0, bottom - top));
    const QColor color = QColor::fromRgb(m_lineColor);

    unsigned dx = m_columns == 0 ? m_spacing : wr / m_columns;
    if (dx == 0)
        dx = 1;
    for (double x = left; x < right; x += dx)
        VerticalLine(p, static_cast<int>(x), 0, static_cast<int>(hr), color, kMinorPenWidth);

    unsigned dy = m_rows == 0 ? m_spacing : hr / m_rows;
    if (dy == 0)
        dy = 1;
    const double halfStep = dy / 2.0;
    for (double y = bottom; y >= top; y -= halfStep)
        HorizontalLine(p, 0, static_cast<int>(wr), static_cast<int>(y) + 2, color, kMinorPenWidth);
    for (double y = bottom; y >= top; y -= dy)
        HorizontalLine(p, 0, static_cast<int>(wr), static_cast<int>(y) + 2, color, kMajorPenWidth);

    p.save();
    p.setFont(CBarPlot::LabelFont());
    p.setPen(Qt::black);
    const int flags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine;
    for (unsigned i = 0; i < m_rows; ++i) {
        const int y = static_cast<int>(static_cast<double>((m_rows - i) * dy) + top);
        p.drawText(QRect(0, y - 10, 100, 20), flags, QStringLiteral(" %1%").arg(i * 100 / m_rows));
    }
    p.drawText(QRect(0, 0, 100, 10), flags, QStringLiteral("100% = Imax"));
    p.restore();
}

} // namespace drivo
