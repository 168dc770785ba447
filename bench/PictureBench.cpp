// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's background picture (resource 143, 3200 x 2400) at the window's size,
// 793 x 567: what its registration costs the window thread, what decoding costs the worker,
// and what one paint of the whole window costs, each beside its baseline.
#include "i18n/ResourceModule.h"
#include "widgets/BackgroundPicture.h"

#include <QPainter>
#include <QWidget>
#include <benchmark/benchmark.h>

namespace {

constexpr int kPicture = 143;
const QSize kWindow(793, 567);

// Baseline: the whole picture decoded, as a decoder without scaling would.
void BM_PictureDecodeFullSize(benchmark::State& state) {
    const QByteArray bytes = drivo::ResourceModule::Current().LoadBinary(kPicture);
    for (auto _ : state)
        benchmark::DoNotOptimize(drivo::LoadPictureFromMemory(bytes, {3200, 2400}));
}
BENCHMARK(BM_PictureDecodeFullSize)->Unit(benchmark::kMillisecond);

// Decoded straight to the window's size (on the worker thread).
void BM_PictureDecodeWindowSize(benchmark::State& state) {
    const QByteArray bytes = drivo::ResourceModule::Current().LoadBinary(kPicture);
    for (auto _ : state)
        benchmark::DoNotOptimize(drivo::LoadPictureFromMemory(bytes, kWindow));
}
BENCHMARK(BM_PictureDecodeWindowSize)->Unit(benchmark::kMillisecond);

// What the window thread pays when it registers the picture: the resource, its header and
// the start of the decoding (the next size misses the decoded copy every time).
void BM_PictureRegister(benchmark::State& state) {
    QWidget window;
    window.resize(kWindow);
    int width = kWindow.width();
    for (auto _ : state) {
        width = width == kWindow.width() ? kWindow.width() - 1 : kWindow.width();
        drivo::AddResourcePicture(&window, kPicture, QRect(0, 0, width, kWindow.height()));
        state.PauseTiming();
        drivo::FinishPictureDecoding();
        drivo::FreeWindowPictures(&window);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_PictureRegister)->Unit(benchmark::kMicrosecond);

// A language switch: the same picture freed and registered again.
void BM_PictureRegisterAgain(benchmark::State& state) {
    QWidget window;
    window.resize(kWindow);
    drivo::AddResourcePicture(&window, kPicture, window.rect());
    drivo::FinishPictureDecoding();
    for (auto _ : state) {
        drivo::FreeWindowPictures(&window);
        drivo::AddResourcePicture(&window, kPicture, window.rect());
    }
    drivo::FreeWindowPictures(&window);
}
BENCHMARK(BM_PictureRegisterAgain)->Unit(benchmark::kMicrosecond);

// Baseline of a paint: the window's plain white surface.
void BM_PaintWindowPlain(benchmark::State& state) {
    QImage surface(kWindow, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        QPainter painter(&surface);
        painter.fillRect(surface.rect(), Qt::white);
        painter.end();
        benchmark::DoNotOptimize(surface.constBits());
    }
}
BENCHMARK(BM_PaintWindowPlain)->Unit(benchmark::kMicrosecond);

// The whole window painted from the decoded picture.
void BM_PaintWindowPicture(benchmark::State& state) {
    QImage surface(kWindow, QImage::Format_ARGB32_Premultiplied);
    QWidget window;
    window.resize(kWindow);
    drivo::AddResourcePicture(&window, kPicture, window.rect());
    drivo::FinishPictureDecoding();
    for (auto _ : state) {
        QPainter painter(&surface);
        drivo::DrawWindowPictures(&window, painter);
        painter.end();
        benchmark::DoNotOptimize(surface.constBits());
    }
    drivo::FreeWindowPictures(&window);
}
BENCHMARK(BM_PaintWindowPicture)->Unit(benchmark::kMicrosecond);

} // namespace
