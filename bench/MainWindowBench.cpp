// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's start: built from its template, initialised and painted once (its first
// frame), for a French user with the skin's art and, as the baseline in the same run, for a
// user whose language bundle has none that can be read (no picture, faces that are no
// pictures: the buttons show their words).
#include "app/CMainDialog.h"
#include "i18n/ResourceModule.h"
#include "widgets/BackgroundPicture.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

void FirstFrame(benchmark::State& state, std::uint16_t user, const QString& program) {
    const drivo::LanguageEnvironment language{[user] { return user; },
                                              [program] { return program; }};
    for (auto _ : state) {
        const QString previous = QDir::currentPath();
        QDir::setCurrent(QDir::tempPath()); // the window writes Drivo.ini on close
        auto dialog =
            std::make_unique<drivo::CMainDialog>(nullptr, drivo::DeviceServices{}, language);
        dialog->Create();
        benchmark::DoNotOptimize(dialog->grab());
        state.PauseTiming();
        drivo::FinishPictureDecoding();
        dialog->close();
        dialog.reset();
        drivo::ResourceModule::Current().ReleaseBundle(); // the window leaves it loaded
        QDir::setCurrent(previous);
        state.ResumeTiming();
    }
}

void BM_MainWindowFirstFrameSkinned(benchmark::State& state) {
    FirstFrame(state, 1036, QDir::temp().filePath(QStringLiteral("drivo")));
}
BENCHMARK(BM_MainWindowFirstFrameSkinned)->Unit(benchmark::kMillisecond);

void BM_MainWindowFirstFrameWithoutArt(benchmark::State& state) {
    const QTemporaryDir dir;
    if (!QFile::copy(DRIVO_BENCH_BUNDLE_WITHOUT_ART,
                     dir.filePath(QStringLiteral("drivoENU.rcc")))) {
        state.SkipWithError("no bundle");
        return;
    }
    FirstFrame(state, 1033, dir.filePath(QStringLiteral("drivo")));
}
BENCHMARK(BM_MainWindowFirstFrameWithoutArt)->Unit(benchmark::kMillisecond);

} // namespace
