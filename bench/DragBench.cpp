// SPDX-License-Identifier: GPL-3.0-or-later
// One step of dragging a bar's top edge in the main window: a mouse move with the button held,
// delivered through the window as the platform delivers it, and the repaint it brings (the
// chart and the status bar's text), against a bare step measured in the same run: a plain fill
// of a chart-sized image, copied to a widget by its paint.
#include "app/CMainDialog.h"
#include "i18n/ResourceModule.h"
#include "widgets/BackgroundPicture.h"

#include <QApplication>
#include <QDir>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>
#include <benchmark/benchmark.h>

namespace {

// The two heights the pointer moves between, above the bar's top edge.
constexpr int kStepUp[2] = {12, 24};

void ShowAndSettle(QWidget& widget) {
    widget.show();
    if (!QTest::qWaitForWindowExposed(&widget))
        return;
    QApplication::processEvents();
}

void BM_DragStep(benchmark::State& state) {
    const QString previous = QDir::currentPath();
    const QTemporaryDir settings; // the window writes Drivo.ini on close: each run starts afresh
    QDir::setCurrent(settings.path());
    const QString program = QDir::temp().filePath(QStringLiteral("drivo"));
    const drivo::LanguageEnvironment language{[] { return std::uint16_t(1036); },
                                              [program] { return program; }};
    auto dialog = std::make_unique<drivo::CMainDialog>(nullptr, drivo::DeviceServices{}, language);
    dialog->Create();
    ShowAndSettle(*dialog);
    drivo::FinishPictureDecoding();
    QApplication::processEvents();
    drivo::CProfileChart& chart = dialog->Chart();
    QWindow* window = dialog->windowHandle();
    const QPoint grab = chart.mapTo(dialog.get(), QPoint(80, 223)); // the first bar's top edge
    // From off the chart: a window of an earlier run left the pointer on the grab already.
    QTest::mouseMove(window, QPoint(1, 1));
    QTest::mouseMove(window, grab);
    QTest::mousePress(window, Qt::LeftButton, {}, grab);
    int step = 0;
    for (auto _ : state) {
        QTest::mouseMove(window, grab - QPoint(0, kStepUp[++step % 2]));
        QApplication::processEvents();
    }
    if (!chart.DraggingValue())
        state.SkipWithError("the bar was not dragged");
    QTest::mouseRelease(window, Qt::LeftButton, {}, grab);
    dialog->close();
    dialog.reset();
    drivo::ResourceModule::Current().ReleaseBundle();
    QDir::setCurrent(previous);
}
BENCHMARK(BM_DragStep)->Unit(benchmark::kMicrosecond);

class FillAndCopy final : public QWidget {
public:
    QImage surface{478, 264, QImage::Format_RGB32};

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setCompositionMode(QPainter::CompositionMode_Source);
        p.drawImage(0, 0, surface);
    }
};

void BM_BareDragStep(benchmark::State& state) {
    QWidget window;
    window.resize(794, 567);
    FillAndCopy chart;
    chart.setParent(&window);
    chart.setGeometry(274, 159, chart.surface.width(), chart.surface.height());
    ShowAndSettle(window);
    int step = 0;
    for (auto _ : state) {
        chart.surface.fill(++step % 2 ? 0xFFFFFFFF : 0xFFF0F0F0);
        chart.update();
        QApplication::processEvents();
    }
}
BENCHMARK(BM_BareDragStep)->Unit(benchmark::kMicrosecond);

} // namespace
