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

// Both raster operations of DrawMaskedBitmap in one pass over the pixels, where the painter
// would only map them one to one: an opaque 32-bit surface, untransformed and unclipped, an
// opaque bitmap and its mask of the same size. Qt's own path turns the mask into a 32-bit image
// and walks the pixels twice at every paint. False where it does not apply.
bool DrawMaskedInPlace(QPainter& painter, QPoint at, const QImage& bitmap, const QImage& mask) {
    QPaintDevice* device = painter.device();
    if (!device || device->devType() != QInternal::Image || painter.hasClipping() ||
        !painter.deviceTransform().isIdentity() || painter.opacity() != 1.0)
        return false;
    QImage& surface = *static_cast<QImage*>(device);
    // Shared pixels would be copied by bits(), away from the buffer the painter draws into.
    if (!surface.isDetached() || surface.devicePixelRatio() != 1)
        return false;
    static const QList<QRgb> kBlackWhite{qRgb(0, 0, 0), qRgb(255, 255, 255)};
    if (surface.format() != QImage::Format_RGB32 || bitmap.format() != QImage::Format_RGB32 ||
        mask.format() != QImage::Format_Mono || mask.size() != bitmap.size() ||
        bitmap.devicePixelRatio() != 1 || mask.devicePixelRatio() != 1 ||
        mask.colorTable() != kBlackWhite)
        return false;
    const QRect target = QRect(at, bitmap.size()) & surface.rect();
    const qsizetype stride = surface.bytesPerLine();
    uchar* const rows = surface.bits();
    for (int y = target.top(); y <= target.bottom(); ++y) {
        auto* to = reinterpret_cast<QRgb*>(rows + y * stride);
        const auto* from = reinterpret_cast<const QRgb*>(bitmap.constScanLine(y - at.y()));
        const uchar* bits = mask.constScanLine(y - at.y());
        for (int x = target.left(); x <= target.right(); ++x) {
            const int i = x - at.x();
            // A mask bit of 1 (white) keeps the target, 0 (black) clears it; then "or".
            const QRgb keep = (bits[i >> 3] >> (7 - (i & 7))) & 1 ? 0xffffffffu : 0xff000000u;
            to[x] = ((to[x] & keep) | 0xff000000u) | from[i];
        }
    }
    return true;
}

} // namespace

void DrawMaskedBitmap(QPainter& painter, QPoint at, const QImage& bitmap, const QImage& mask) {
    if (bitmap.isNull() || mask.isNull() || DrawMaskedInPlace(painter, at, bitmap, mask))
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
