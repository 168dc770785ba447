// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where drivo-demo puts its car panel so that it never covers the main window.
#include <QPoint>
#include <QRect>
#include <QSize>

namespace drivo {

struct DemoLayout {
    QPoint windowAt; // the main window's top-left corner (its frame)
    QRect panel;     // the panel's frame
};

// The panel goes beside the window as it stands (right, left, below, above). When no side has
// room but the screen could hold both side by side (or one above the other), the window moves
// just far enough to make room. Else the panel shrinks into the side with the most room.
DemoLayout LayOutBeside(const QRect& screen, const QRect& window, const QSize& panel, int gap = 12);

} // namespace drivo
