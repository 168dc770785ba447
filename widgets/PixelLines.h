// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Axis-aligned lines drawn as filled pixel runs, so that their pixels are exact: a line covers
// its first coordinate up to its second, that one excluded, and nothing when the second is not
// past the first. A pen n pixels wide covers the line's own row (column) and extends n / 2
// pixels above (left of) it.
#include <QColor>
#include <QPainter>

namespace drivo {

inline void HorizontalLine(QPainter& p, int x0, int x1, int y, const QColor& c, int penWidth = 1) {
    if (x1 > x0)
        p.fillRect(x0, y - penWidth / 2, x1 - x0, penWidth, c);
}

inline void VerticalLine(QPainter& p, int x, int y0, int y1, const QColor& c, int penWidth = 1) {
    if (y1 > y0)
        p.fillRect(x - penWidth / 2, y0, penWidth, y1 - y0, c);
}

} // namespace drivo
