// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Axis-aligned pen lines drawn as filled pixel runs, so that their pixels are exact: a line
// covers its start point but not its end point, and a pen n pixels wide covers the line's own
// row (column) and extends n / 2 pixels above (left of) it.
#include <QColor>
#include <QPainter>

namespace drivo {

inline void HorizontalLine(QPainter& p, int x0, int x1, int y, int penWidth, const QColor& c) {
    if (x1 > x0)
        p.fillRect(x0, y - penWidth / 2, x1 - x0, penWidth, c);
}

inline void VerticalLine(QPainter& p, int x, int y0, int y1, int penWidth, const QColor& c) {
    const int top = y0 < y1 ? y0 : y1 + 1;
    const int bottom = y0 < y1 ? y1 : y0 + 1; // exclusive
    if (bottom > top)
        p.fillRect(x - penWidth / 2, top, penWidth, bottom - top, c);
}

} // namespace drivo
