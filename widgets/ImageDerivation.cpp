// SPDX-License-Identifier: GPL-3.0-or-later
#include "ImageDerivation.h"

#include <algorithm>
#include <array>

namespace drivo {

namespace {

constexpr QRgb kRgbMask = 0x00ffffff;

// The source as 32-bit pixels; other formats are converted once, keeping the pixel ratio.
QImage As32Bit(const QImage& image) {
    if (image.format() == QImage::Format_RGB32 || image.format() == QImage::Format_ARGB32)
        return image;
    return image.convertToFormat(QImage::Format_RGB32);
}

// A new colour image of the given size in the source's pixel ratio, black outside the source.
QImage NewColorImage(const QImage& source, int width, int height) {
    if (width <= 0 || height <= 0 || source.isNull())
        return {};
    QImage out(width, height, QImage::Format_RGB32);
    if (out.isNull())
        return {};
    if (width > source.width() || height > source.height())
        out.fill(0xff000000);
    out.setDevicePixelRatio(source.devicePixelRatio());
    return out;
}

// Grey levels by channel, summed in the order of the weighted formula so that the
// truncation matches it exactly.
struct GrayTable {
    std::array<double, 256> r{}, g{}, b{};
    GrayTable() {
        for (int c = 0; c < 256; ++c) {
            r[size_t(c)] = 0.299 * c;
            g[size_t(c)] = 0.587 * c;
            b[size_t(c)] = 0.114 * c;
        }
    }
    QRgb operator()(QRgb p) const {
        const int v =
            static_cast<int>(r[size_t(qRed(p))] + g[size_t(qGreen(p))] + b[size_t(qBlue(p))]);
        return qRgb(v, v, v);
    }
};

const GrayTable& Gray() {
    static const GrayTable table;
    return table;
}

struct DarkTable {
    std::array<QRgb, 256> c{};
    explicit DarkTable(double factor) {
        for (int v = 0; v < 256; ++v)
            c[size_t(v)] = QRgb(static_cast<int>(v - v * factor));
    }
    QRgb operator()(QRgb p) const {
        return 0xff000000 | c[size_t(qRed(p))] << 16 | c[size_t(qGreen(p))] << 8 |
               c[size_t(qBlue(p))];
    }
};

const DarkTable& Dark() {
    static const DarkTable table(kDarkFactor);
    return table;
}

// Walks the rows and columns both images share; keep(p) pixels are copied, the others mapped.
template <class Keep, class Map>
QImage Derive(const QImage& bitmap, int width, int height, Keep keep, Map map) {
    const QImage source = As32Bit(bitmap);
    QImage out = NewColorImage(source, width, height);
    if (out.isNull())
        return {};
    const int w = std::min(width, source.width());
    const int h = std::min(height, source.height());
    for (int y = 0; y < h; ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(source.constScanLine(y));
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < w; ++x)
            line[x] = keep(in[x]) ? (in[x] | 0xff000000) : map(in[x]);
    }
    return out;
}

SkinIcon DeriveIcon(const SkinIcon& icon, bool gray) {
    if (icon.Color.isNull() || icon.Mask.isNull())
        return {};
    const qreal ratio = icon.Color.devicePixelRatio();
    const int width = static_cast<int>(icon.Size().width() * ratio);
    const int height = static_cast<int>(icon.Size().height() * ratio);
    const auto black = [](QRgb p) { return (p & kRgbMask) == 0; };
    QImage color = gray ? Derive(icon.Color, width, height, black, Gray())
                        : Derive(icon.Color, width, height, black, Dark());
    if (color.isNull())
        return {};
    return {color, icon.Mask, icon.Hotspot};
}

} // namespace

SkinIcon IconFromImage(const QImage& image) {
    if (image.isNull())
        return {};
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    QImage color(argb.size(), QImage::Format_RGB32);
    QImage mask(argb.size(), QImage::Format_Mono);
    mask.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
    mask.fill(0);
    for (int y = 0; y < argb.height(); ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
        auto* out = reinterpret_cast<QRgb*>(color.scanLine(y));
        uchar* bits = mask.scanLine(y);
        for (int x = 0; x < argb.width(); ++x) {
            const bool transparent = qAlpha(in[x]) < 128;
            out[x] = transparent ? 0xff000000 : (in[x] | 0xff000000);
            if (transparent)
                bits[x >> 3] |= uchar(0x80 >> (x & 7));
        }
    }
    const qreal ratio = image.devicePixelRatio();
    color.setDevicePixelRatio(ratio);
    mask.setDevicePixelRatio(ratio);
    return {color, mask, QPoint(int(argb.width() / ratio) / 2, int(argb.height() / ratio) / 2)};
}

QImage MakeMask(QImage& bitmap, int width, int height, QRgb transparent) {
    if (width <= 0 || height <= 0 || bitmap.isNull())
        return {};
    QImage mask(width, height, QImage::Format_Mono);
    if (mask.isNull())
        return {};
    mask.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
    mask.fill(0);
    mask.setDevicePixelRatio(bitmap.devicePixelRatio());
    if (bitmap.format() != QImage::Format_RGB32 && bitmap.format() != QImage::Format_ARGB32)
        bitmap.convertTo(QImage::Format_RGB32);
    const QRgb key = transparent & kRgbMask;
    const int w = std::min(width, bitmap.width());
    const int h = std::min(height, bitmap.height());
    // Eight pixels make one mask byte, most significant bit first; a short last byte is
    // filled from its top bit.
    const auto pack = [key](QRgb* pixels, int count) {
        unsigned byte = 0;
        for (int k = 0; k < count; ++k) {
            const unsigned masked = (pixels[k] & kRgbMask) == key;
            byte = byte << 1 | masked;
            pixels[k] &= 0xff000000u | (masked - 1u); // a masked pixel keeps its alpha alone
        }
        return uchar(byte << (8 - count));
    };
    const qsizetype stride = bitmap.bytesPerLine(), maskStride = mask.bytesPerLine();
    // Once each: bits() on a writable image checks for sharing at every call.
    uchar* const pixelRows = bitmap.bits();
    uchar* const maskRows = mask.bits();
    for (int y = 0; y < h; ++y) {
        auto* line = reinterpret_cast<QRgb*>(pixelRows + y * stride);
        uchar* bits = maskRows + y * maskStride;
        int x = 0;
        for (; x + 8 <= w; x += 8)
            bits[x >> 3] = pack(line + x, 8);
        if (x < w)
            bits[x >> 3] = pack(line + x, w - x);
    }
    return mask;
}

QImage MakeGrayBitmap(const QImage& bitmap, int width, int height, QRgb transparent) {
    const QRgb key = transparent & kRgbMask;
    return Derive(
        bitmap, width, height, [key](QRgb p) { return (p & kRgbMask) == key; }, Gray());
}

QImage MakeDarkBitmap(const QImage& bitmap, int width, int height, QRgb transparent) {
    const QRgb key = transparent & kRgbMask;
    return Derive(
        bitmap, width, height, [key](QRgb p) { return (p & kRgbMask) == key; }, Dark());
}

SkinIcon MakeGrayIcon(const SkinIcon& icon) {
    return DeriveIcon(icon, true);
}
SkinIcon MakeDarkIcon(const SkinIcon& icon) {
    return DeriveIcon(icon, false);
}

QRgb Darken(QRgb color, double factor) {
    if (!(factor > 0 && factor <= 1))
        return color;
    const auto channel = [factor](int c) { return static_cast<int>(c - c * factor); };
    return qRgba(channel(qRed(color)), channel(qGreen(color)), channel(qBlue(color)),
                 qAlpha(color));
}

} // namespace drivo
