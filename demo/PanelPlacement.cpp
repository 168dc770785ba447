// SPDX-License-Identifier: GPL-3.0-or-later
#include "PanelPlacement.h"

#include <algorithm>
#include <array>

namespace drivo {

namespace {

// The panel in a free strip next to the window, as close to the window as the strip allows.
QRect InStrip(const QRect& strip, const QRect& window, const QSize& wanted, bool leftOrAbove,
              bool horizontal) {
    const QSize size = wanted.boundedTo(strip.size());
    QPoint at = strip.topLeft();
    if (horizontal) {
        if (leftOrAbove)
            at.rx() = strip.right() + 1 - size.width();
        at.ry() = std::clamp(window.top(), strip.top(), strip.bottom() + 1 - size.height());
    } else {
        if (leftOrAbove)
            at.ry() = strip.bottom() + 1 - size.height();
        at.rx() = std::clamp(window.left(), strip.left(), strip.right() + 1 - size.width());
    }
    return {at, size};
}

std::array<QRect, 4> Strips(const QRect& screen, const QRect& w, int gap) {
    return {QRect(QPoint(w.right() + 1 + gap, screen.top()), screen.bottomRight()),
            QRect(screen.topLeft(), QPoint(w.left() - 1 - gap, screen.bottom())),
            QRect(QPoint(screen.left(), w.bottom() + 1 + gap), screen.bottomRight()),
            QRect(screen.topLeft(), QPoint(screen.right(), w.top() - 1 - gap))};
}

QRect Beside(const QRect& screen, const QRect& window, const QSize& panel, int gap, bool shrink) {
    const auto strips = Strips(screen, window, gap);
    QRect best;
    for (std::size_t i = 0; i < strips.size(); ++i) {
        const QRect& s = strips[i];
        if (s.width() <= 0 || s.height() <= 0)
            continue;
        const QRect r = InStrip(s, window, panel, i % 2 == 1, i < 2);
        if (r.size() == panel)
            return r;
        if (shrink && r.width() * r.height() > best.width() * best.height())
            best = r;
    }
    return best;
}

} // namespace

DemoLayout LayOutBeside(const QRect& screen, const QRect& window, const QSize& panel, int gap) {
    if (const QRect r = Beside(screen, window, panel, gap, false); !r.isNull())
        return {window.topLeft(), r};
    QRect moved = window;
    if (window.width() + gap + panel.width() <= screen.width()) {
        moved.moveLeft(screen.right() + 1 - panel.width() - gap - window.width());
        moved.moveLeft(std::min(moved.left(), window.left()));
    } else if (window.height() + gap + panel.height() <= screen.height()) {
        moved.moveTop(screen.bottom() + 1 - panel.height() - gap - window.height());
        moved.moveTop(std::min(moved.top(), window.top()));
    }
    if (const QRect r = Beside(screen, moved, panel, gap, false); !r.isNull())
        return {moved.topLeft(), r};
    return {window.topLeft(), Beside(screen, window, panel, gap, true)};
}

} // namespace drivo
