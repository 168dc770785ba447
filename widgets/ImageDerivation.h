// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The images a skinned button derives from the ones it is given: the monochrome mask of a
// transparent colour, grey and darker copies of bitmaps and icons. Each works on whole
// scanlines and hands the caller a new image; the source keeps its device pixel ratio and so
// does every image made from it.
#include <QImage>
#include <QPoint>
#include <QSize>

namespace drivo {

// An icon as the buttons hold it: a colour image (Format_RGB32, black where the mask is 1),
// a mask (Format_Mono, 1 = transparent) and a hotspot in device-independent pixels. The icon
// is twice its hotspot in size. An icon without colour image is monochrome: its mask holds
// the and-mask above the xor-mask.
struct SkinIcon {
    QImage Color;
    QImage Mask;
    QPoint Hotspot;

    bool IsNull() const { return Mask.isNull(); }
    QSize Size() const { return {2 * Hotspot.x(), 2 * Hotspot.y()}; }
};

// An icon from an image with an alpha channel: pixels below half opacity are transparent.
SkinIcon IconFromImage(const QImage& image);

// A monochrome mask (1 where the bitmap has the transparent colour) of width x height pixels
// of the bitmap; a null image when that size is empty. The bitmap's transparent pixels turn
// black, which the and/or drawing of the pair relies on: a second mask of the same bitmap is
// therefore all zeros unless the transparent colour is black.
QImage MakeMask(QImage& bitmap, int width, int height, QRgb transparent);
// Grey copy (0.299 R + 0.587 G + 0.114 B, truncated) that keeps the transparent colour.
QImage MakeGrayBitmap(const QImage& bitmap, int width, int height, QRgb transparent);
// Darken(p, 0.25) copy that keeps the transparent colour.
QImage MakeDarkBitmap(const QImage& bitmap, int width, int height, QRgb transparent);
// Grey and darker icons over the same mask; black pixels stay black. A null icon when the
// icon has no colour image.
SkinIcon MakeGrayIcon(const SkinIcon& icon);
SkinIcon MakeDarkIcon(const SkinIcon& icon);
// Each of red, green and blue becomes c - c * factor (truncated) for a factor in (0, 1];
// any other factor leaves the colour as it is.
QRgb Darken(QRgb color, double factor);

inline constexpr double kDarkFactor = 0.25;

} // namespace drivo
