// SPDX-License-Identifier: GPL-3.0-or-later
#include "TextStamps.h"

#include <QHashFunctions>
#include <QPainter>
#include <algorithm>
#include <cstring>

namespace drivo {

namespace {

// A chart draws a few dozen texts; values being dragged add new ones at every redraw.
constexpr size_t kMaxStamps = 64;

QImage& SurfaceOf(QPainter& p) {
    Q_ASSERT(p.device()->devType() == QInternal::Image && p.transform().isIdentity() &&
             !p.hasClipping());
    QImage& surface = *static_cast<QImage*>(p.device());
    Q_ASSERT(surface.depth() == 32);
    return surface;
}

// The rows of an area of a surface and of its copy. Through bits(), as scanLine() on a
// non-const image checks for sharing at every row.
struct AreaRows {
    AreaRows(const QImage& image, const QRect& area, const QImage& copy)
        : surface(image.constBits() + area.top() * image.bytesPerLine() +
                  area.left() * qsizetype(sizeof(QRgb))),
          patch(copy.constBits()), surfaceStride(image.bytesPerLine()),
          patchStride(copy.bytesPerLine()), rowBytes(size_t(area.width()) * sizeof(QRgb)),
          rows(area.height()) {}

    const uchar* surface;
    const uchar* patch;
    qsizetype surfaceStride;
    qsizetype patchStride;
    size_t rowBytes;
    int rows;
};

bool SamePixels(const QImage& surface, const QRect& area, const QImage& patch) {
    const AreaRows a(surface, area, patch);
    for (int y = 0; y < a.rows; ++y)
        if (std::memcmp(a.surface + y * a.surfaceStride, a.patch + y * a.patchStride, a.rowBytes) !=
            0)
            return false;
    return true;
}

void CopyIn(QImage& surface, const QRect& area, const QImage& patch) {
    const AreaRows a(surface, area, patch);
    uchar* to = surface.bits() + (a.surface - surface.constBits());
    for (int y = 0; y < a.rows; ++y)
        std::memcpy(to + y * a.surfaceStride, a.patch + y * a.patchStride, a.rowBytes);
}

} // namespace

DrawnArea CTextStamps::Draw(QPainter& p, const QRect& rect, int flags, const QString& text,
                            const QFont& font, QRgb color) {
    QImage& surface = SurfaceOf(p);
    const size_t key =
        qHashMulti(0, text, flags, color, font, rect.x(), rect.y(), rect.width(), rect.height());
    for (const Stamp& s : m_stamps)
        if (s.rect == rect && s.flags == flags && s.color == color &&
            s.surfaceSize == surface.size() && s.text == text && s.font == font &&
            SamePixels(surface, s.area, s.before)) {
            CopyIn(surface, s.area, s.after);
            return {s.area, key};
        }

    if (m_stamps.size() >= kMaxStamps)
        m_stamps.erase(m_stamps.begin());
    Stamp s{rect, flags, color, text, font, surface.size(), {}, {}, {}};
    p.save();
    p.setFont(font);
    p.setPen(QColor::fromRgb(color));
    // Glyphs may reach past their advance box: sideways by the font's largest overhang,
    // upwards a little (accents over capitals), and a pixel more each way for antialiasing.
    const QFontMetrics metrics = p.fontMetrics();
    const int side = 1 + std::max({0, -metrics.minLeftBearing(), -metrics.minRightBearing()});
    s.area = p.boundingRect(rect, flags, text).adjusted(-side, -2, side, 2) & surface.rect();
    s.before = surface.copy(s.area);
    p.drawText(rect, flags, text);
    p.restore();
    s.after = surface.copy(s.area);
    m_stamps.push_back(std::move(s));
    return {m_stamps.back().area, key};
}

} // namespace drivo
