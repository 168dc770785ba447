// SPDX-License-Identifier: GPL-3.0-or-later
#include "ImageDrawing.h"

namespace drivo {

namespace {

// Draws an image with a raster operation, restoring the painter's mode afterwards.
void DrawWith(QPainter& painter, QPainter::CompositionMode mode, QPoint at, const QImage& image) {
    const QPainter::CompositionMode previous = painter.compositionMode();
    painter.setCompositionMode(mode);
    painter.drawImage(at, image);
    painter.setCompositionMode(previous);
}

// One half of a monochrome image, keeping its colour table and pixel ratio.
QImage Half(const QImage& mask, bool lower) {
    const int h = mask.height() / 2;
    QImage half = mask.copy(0, lower ? h : 0, mask.width(), h);
    half.setDevicePixelRatio(mask.devicePixelRatio());
    return half;
}

} // namespace

void DrawMaskedBitmap(QPainter& painter, QPoint at, const QImage& bitmap, const QImage& mask) {
    if (bitmap.isNull() || mask.isNull())
        return;
    DrawWith(painter, QPainter::RasterOp_SourceAndDestination, at, mask);
    DrawWith(painter, QPainter::RasterOp_SourceOrDestination, at, bitmap);
}

QImage AndMask(const SkinIcon& icon) {
    return icon.Color.isNull() ? Half(icon.Mask, false) : icon.Mask;
}

QSize IconImageSize(const SkinIcon& icon) {
    const QImage& image = icon.Color.isNull() ? icon.Mask : icon.Color;
    const qreal ratio = image.devicePixelRatio();
    const QSize pixels(image.width(), icon.Color.isNull() ? image.height() / 2 : image.height());
    return (QSizeF(pixels) / ratio).toSize();
}

void DrawIcon(QPainter& painter, QPoint at, const SkinIcon& icon) {
    if (icon.Mask.isNull())
        return;
    DrawWith(painter, QPainter::RasterOp_SourceAndDestination, at, AndMask(icon));
    DrawWith(painter, QPainter::RasterOp_SourceXorDestination, at,
             icon.Color.isNull() ? Half(icon.Mask, true) : icon.Color);
}

void DrawEmbossed(QPainter& painter, QPoint at, const QImage& mask, QColor light, QColor shadow) {
    if (mask.isNull())
        return;
    QImage shape = mask;
    for (const auto& [offset, color] :
         {std::pair{QPoint(1, 1), light}, std::pair{QPoint(0, 0), shadow}}) {
        shape.setColorTable({color.rgba(), qRgba(0, 0, 0, 0)});
        painter.drawImage(at + offset, shape);
    }
}

void FitSurface(QImage& surface, const QWidget& widget) {
    const qreal ratio = widget.devicePixelRatioF();
    const QSize pixels = (QSizeF(widget.size()) * ratio).toSize();
    if (surface.size() != pixels || surface.devicePixelRatio() != ratio) {
        surface = QImage(pixels, QImage::Format_RGB32);
        surface.setDevicePixelRatio(ratio);
    }
}

void DrawFocusRect(QPainter& painter, const QRect& rect) {
    if (rect.width() <= 0 || rect.height() <= 0)
        return;
    const QPainter::CompositionMode previous = painter.compositionMode();
    painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    // A checkerboard along the outline, starting at the top-left corner, each pixel once.
    const auto dot = [&](int x, int y) {
        if ((x - rect.left() + y - rect.top()) % 2 == 0)
            painter.fillRect(x, y, 1, 1, QColor(255, 255, 255));
    };
    for (int x = rect.left(); x <= rect.right(); ++x) {
        dot(x, rect.top());
        if (rect.height() > 1)
            dot(x, rect.bottom());
    }
    for (int y = rect.top() + 1; y < rect.bottom(); ++y) {
        dot(rect.left(), y);
        if (rect.width() > 1)
            dot(rect.right(), y);
    }
    painter.setCompositionMode(previous);
}

} // namespace drivo
