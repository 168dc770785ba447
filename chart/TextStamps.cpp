#include "TextStamps.h"

#include <QPainter>
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

size_t RowBytes(const QRect& area) {
    return static_cast<size_t>(area.width()) * sizeof(QRgb);
}

bool SamePixels(const QImage& surface, const QRect& area, const QImage& patch) {
    for (int y = 0; y < area.height(); ++y)
        if (std::memcmp(surface.constScanLine(area.top() + y) + area.left() * sizeof(QRgb),
                        patch.constScanLine(y), RowBytes(area)) != 0)
            return false;
    return true;
}

void CopyIn(QImage& surface, const QRect& area, const QImage& patch) {
    for (int y = 0; y < area.height(); ++y)
        std::memcpy(surface.scanLine(area.top() + y) + area.left() * sizeof(QRgb),
                    patch.constScanLine(y), RowBytes(area));
}

} // namespace

void CTextStamps::Draw(QPainter& p, const QRect& rect, int flags, const QString& text,
                       const QFont& font, QRgb color) {
    QImage& surface = SurfaceOf(p);
    for (const Stamp& s : m_stamps)
        if (s.rect == rect && s.flags == flags && s.color == color &&
            s.surfaceSize == surface.size() && s.text == text && s.font == font &&
            SamePixels(surface, s.area, s.before)) {
            CopyIn(surface, s.area, s.after);
            return;
        }

    if (m_stamps.size() >= kMaxStamps)
        m_stamps.erase(m_stamps.begin());
    Stamp s{rect, flags, color, text, font, surface.size(), {}, {}, {}};
    p.save();
    p.setFont(font);
    p.setPen(QColor::fromRgb(color));
    // Glyphs may reach past their advance box (overhangs, antialiasing): a margin of one line
    // height on every side.
    const int margin = p.fontMetrics().height();
    s.area = (rect | p.boundingRect(rect, flags, text)).adjusted(-margin, -margin, margin, margin) &
             surface.rect();
    s.before = surface.copy(s.area);
    p.drawText(rect, flags, text);
    p.restore();
    s.after = surface.copy(s.area);
    m_stamps.push_back(std::move(s));
}

} // namespace drivo
