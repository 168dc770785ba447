// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Drawing the skin's images the way the platform combines them: a bitmap through its mask
// (and, then or), an icon (and-mask, then xor), and the embossed disabled look made from a
// mask. Positions and sizes are in device-independent pixels; the images' own pixel ratio
// decides how sharp they come out.
#include "ImageDerivation.h"

#include <QColor>
#include <QPainter>
#include <QWidget>

namespace drivo {

// The mask by "and", then the bitmap by "or": mask bits of 1 keep the target, the bitmap's
// blackened transparent pixels add nothing.
void DrawMaskedBitmap(QPainter& painter, QPoint at, const QImage& bitmap, const QImage& mask);
// The icon's and-mask, then its colour image (or the xor half of a monochrome mask) by "xor".
void DrawIcon(QPainter& painter, QPoint at, const SkinIcon& icon);
// The opaque pixels of a mask (bits of 0), once in light at (1, 1) and once in shadow on top.
void DrawEmbossed(QPainter& painter, QPoint at, const QImage& mask, QColor light, QColor shadow);
// The and-mask of an icon, or of a bitmap's mask: the upper half of a monochrome icon's mask.
QImage AndMask(const SkinIcon& icon);
// An icon's size in device-independent pixels: its colour image's, else its mask's width and
// half its height.
QSize IconImageSize(const SkinIcon& icon);

// The off-screen surface a control renders into before it copies it: the widget's size at
// its screen's pixel ratio, made anew only when either changed.
void FitSurface(QImage& surface, const QWidget& widget);

// A dotted focus rectangle drawn by inverting every other pixel of its outline.
void DrawFocusRect(QPainter& painter, const QRect& rect);

} // namespace drivo
