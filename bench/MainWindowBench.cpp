// The main window's start: built from its template, initialised and painted once (its first
// frame), with the skin's art and, as the baseline in the same run, with a resource module
// that has none (no picture, no button faces: the buttons show their words).
#include "app/CMainDialog.h"
#include "i18n/ResourceModule.h"
#include "widgets/BackgroundPicture.h"

#include <QDir>
#include <benchmark/benchmark.h>

namespace {

void FirstFrame(benchmark::State& state) {
    for (auto _ : state) {
        const QString previous = QDir::currentPath();
        QDir::setCurrent(QDir::tempPath()); // the window writes Drivo.ini on close
        auto dialog = std::make_unique<drivo::CMainDialog>();
        dialog->Create();
        benchmark::DoNotOptimize(dialog->grab());
        state.PauseTiming();
        drivo::FinishPictureDecoding();
        dialog->close();
        dialog.reset();
        QDir::setCurrent(previous);
        state.ResumeTiming();
    }
}

void BM_MainWindowFirstFrameSkinned(benchmark::State& state) {
    FirstFrame(state);
}
BENCHMARK(BM_MainWindowFirstFrameSkinned)->Unit(benchmark::kMillisecond);

void BM_MainWindowFirstFrameWithoutArt(benchmark::State& state) {
    if (!drivo::ResourceModule::Current().LoadBundle(DRIVO_BENCH_BUNDLE_WITHOUT_ART)) {
        state.SkipWithError("no bundle");
        return;
    }
    FirstFrame(state);
    drivo::ResourceModule::Current().ReleaseBundle();
}
BENCHMARK(BM_MainWindowFirstFrameWithoutArt)->Unit(benchmark::kMillisecond);

} // namespace
