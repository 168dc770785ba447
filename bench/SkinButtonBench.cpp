// SPDX-License-Identifier: GPL-3.0-or-later
// The skinned buttons' image work: deriving the images of the main window's six buttons
// (masks, grey copies), one face's derivations against a pixel-by-pixel baseline, and one
// DrawItem of a 137 x 57 transparent face.
#include "widgets/CSkinButton.h"
#include "widgets/ImageDerivation.h"

#include <QPainter>
#include <QWidget>
#include <benchmark/benchmark.h>

namespace {

constexpr QRgb kMagenta = 0xffff00ff;

// A face with a plate and magenta corners, as the skin's bitmaps are.
QImage Face(QSize size, QRgb plate) {
    QImage face(size, QImage::Format_RGB32);
    face.fill(plate);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); x += 7)
            face.setPixel(x, y, (x + y) % 3 ? qRgb(x % 256, y * 4 % 256, 90) : kMagenta);
    return face;
}

// Send, race info (137 x 57), battery, exit (90 x 43), two flags (29 x 28).
const QSize kFaces[] = {{137, 57}, {137, 57}, {90, 43}, {90, 43}, {29, 28}, {29, 28}};

void BM_DeriveSixButtons(benchmark::State& state) {
    std::vector<std::pair<QImage, QImage>> pairs;
    for (QSize size : kFaces)
        pairs.emplace_back(Face(size, qRgb(200, 30, 30)), Face(size, qRgb(30, 140, 40)));
    drivo::CSkinButton button;
    for (auto _ : state) {
        for (const auto& [hover, normal] : pairs)
            benchmark::DoNotOptimize(
                button.SetBitmapPair(hover, kMagenta, normal, kMagenta, false));
    }
}
BENCHMARK(BM_DeriveSixButtons)->Unit(benchmark::kMicrosecond);

// One 137 x 57 face: mask, grey copy and the grey copy's mask.
void BM_DeriveOneFace(benchmark::State& state) {
    const QImage source = Face({137, 57}, qRgb(200, 30, 30));
    for (auto _ : state) {
        QImage bitmap = source;
        const QImage grey = drivo::MakeGrayBitmap(bitmap, 137, 57, kMagenta);
        QImage greyCopy = grey;
        benchmark::DoNotOptimize(drivo::MakeMask(bitmap, 137, 57, kMagenta).constBits());
        benchmark::DoNotOptimize(drivo::MakeMask(greyCopy, 137, 57, kMagenta).constBits());
    }
}
BENCHMARK(BM_DeriveOneFace)->Unit(benchmark::kMicrosecond);

// Baseline: the same grey copy and mask read and written one pixel at a time.
void BM_DeriveOneFacePixelByPixel(benchmark::State& state) {
    const QImage source = Face({137, 57}, qRgb(200, 30, 30));
    for (auto _ : state) {
        QImage bitmap = source;
        QImage grey(137, 57, QImage::Format_RGB32);
        QImage mask(137, 57, QImage::Format_Mono);
        mask.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
        for (int y = 0; y < 57; ++y)
            for (int x = 0; x < 137; ++x) {
                const QRgb p = bitmap.pixel(x, y);
                const bool transparent = (p & 0xffffff) == (kMagenta & 0xffffff);
                const int g = int(0.299 * qRed(p) + 0.587 * qGreen(p) + 0.114 * qBlue(p));
                grey.setPixel(x, y, transparent ? p : qRgb(g, g, g));
                mask.setPixel(x, y, transparent ? 1 : 0);
                if (transparent)
                    bitmap.setPixel(x, y, qRgb(0, 0, 0));
            }
        benchmark::DoNotOptimize(grey.constBits());
        benchmark::DoNotOptimize(mask.constBits());
    }
}
BENCHMARK(BM_DeriveOneFacePixelByPixel)->Unit(benchmark::kMicrosecond);

void BM_DrawItem137x57(benchmark::State& state) {
    QWidget parent;
    parent.resize(300, 200);
    drivo::CSkinButton button(&parent);
    button.setGeometry(20, 20, 137, 57);
    button.SetBitmapPair(Face({137, 57}, qRgb(200, 30, 30)), kMagenta,
                         Face({137, 57}, qRgb(30, 140, 40)), kMagenta, false);
    button.SetTransparent(false);
    QImage surface(137, 57, QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter dc(&surface);
        button.DrawItem(dc, 0, QRect(0, 0, 137, 57));
        dc.end();
        benchmark::DoNotOptimize(surface.constBits());
    }
}
BENCHMARK(BM_DrawItem137x57)->Unit(benchmark::kMicrosecond);

} // namespace
