// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Text drawn on the chart surface, remembered by the pixels it left. The same text at the same
// place over the same pixels always leaves the same pixels, so a redraw copies them back
// instead of laying the text out and rasterising it again (most of a redraw otherwise).
#include <QFont>
#include <QImage>
#include <QRect>
#include <QRgb>
#include <QString>
#include <vector>

class QPainter;

namespace drivo {

// An area a drawing may have changed on the chart surface, and a key of what it drew there:
// the same key over the same area turns the same pixels beneath into the same pixels.
struct DrawnArea {
    QRect rect;
    size_t key = 0;
    bool operator==(const DrawnArea&) const = default;
};

class CTextStamps {
public:
    // Leaves the surface as p.drawText(rect, flags, text) in font and colour would. p paints on
    // a 32-bit image, untransformed and unclipped. Returns the area it may have changed.
    DrawnArea Draw(QPainter& p, const QRect& rect, int flags, const QString& text,
                   const QFont& font, QRgb color);

private:
    struct Stamp {
        QRect rect;
        int flags = 0;
        QRgb color = 0;
        QString text;
        QFont font;
        QSize surfaceSize;
        QRect area; // every pixel the text may touch, within the surface
        QImage before;
        QImage after;
    };

    std::vector<Stamp> m_stamps;
};

} // namespace drivo
