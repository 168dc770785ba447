// SPDX-License-Identifier: GPL-3.0-or-later
// Pixels of the rendered chart surface at its real size.
#include "ChartFixture.h"
#include "TestMain.h"

#include <QPaintEvent>
#include <QScreen>
#include <QTest>
#include <functional>

using namespace drivo;
using namespace drivo::test;

namespace {

constexpr QRgb kWhite = 0xFFFFFFFF;
constexpr QRgb kBlack = 0xFF000000;
constexpr QRgb kGridGrey = 0xFFCDCDCD; // |255 - 50|
constexpr QRgb kFrame = 0xFF9B9B9B;    // |255 - 100|

#define COMPARE_RGB(actual, expected) QCOMPARE(QColor(actual), QColor(expected))

// Gathers the regions of a widget's paints while it lives.
struct PaintRegions final : QObject {
    PaintRegions(QWidget& widget, QRegion& painted) : m_painted(painted) {
        widget.installEventFilter(this);
    }
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            m_painted += static_cast<QPaintEvent*>(event)->region();
        return false;
    }
    QRegion& m_painted;
};

} // namespace

class ChartRenderTest : public QObject {
    Q_OBJECT
private slots:
    // Bar 0 of the default profile spans x 40..122 (w 83), bar 2 x 207..289; a 48 ms first
    // stage is 20 px wide.
    void gradientColumns_data() {
        QTest::addColumn<bool>("narrow");
        QTest::addColumn<int>("bar");
        QTest::addColumn<bool>("highlighted");
        QTest::addColumn<int>("column");
        QTest::addColumn<QRgb>("expected");
        const auto row = [](const char* name, bool narrow, int bar, bool hl, int column, QRgb c) {
            QTest::newRow(name) << narrow << bar << hl << column << c;
        };
        row("normal i=0 is outline", false, 0, false, 0, kBlack);
        row("normal i=13 shade 97%", false, 0, false, 13, qRgb(55, 102, 180));
        row("normal i=w/2-1 unshaded", false, 0, false, 40, qRgb(74, 121, 199));
        row("normal i=w/2", false, 0, false, 41, qRgb(74, 121, 199));
        row("highlighted i=0 outline", false, 2, true, 0, kBlack);
        row("highlighted i=13 shade only", false, 2, true, 13, qRgb(97, 144, 222));
        row("highlighted i=w/2-1", false, 2, true, 40, qRgb(100, 147, 225));
        row("highlighted i=w/2", false, 2, true, 41, qRgb(100, 147, 225));
        row("narrow i=w/2-1 shaded", true, 0, false, 9, qRgb(55, 107, 185));
    }
    void gradientColumns() {
        QFETCH(bool, narrow);
        QFETCH(int, bar);
        QFETCH(bool, highlighted);
        QFETCH(int, column);
        QFETCH(QRgb, expected);
        RaceSettings p = DefaultSettings();
        if (narrow)
            p.Time = {48, 400, 600, 800, 1000, 1000};
        ChartFixture f(p);
        f.chart.SetHighlightedBar(highlighted ? bar : -1);
        const QImage& img = f.Render();
        const BarRect r = f.chart.Plot().BarRectangle(f.chart.Geometry(), bar);
        COMPARE_RGB(img.pixel(r.left + column, r.top + r.Height() / 2), expected);
    }

    void cornersAndOutline_data() {
        QTest::addColumn<QRgb>("background");
        QTest::addColumn<bool>("highlighted");
        QTest::addColumn<QRgb>("corner"); // 40 % black over the background
        QTest::addColumn<QRgb>("zeroLine");
        const QRgb corner = qRgb(153, 153, 153);
        QTest::newRow("white") << kWhite << false << corner << kGridGrey;
        QTest::newRow("white, highlighted") << kWhite << true << corner << kGridGrey;
        QTest::newRow("grey") << qRgb(240, 240, 240) << false << qRgb(144, 144, 144)
                              << qRgb(190, 190, 190);
    }
    void cornersAndOutline() {
        QFETCH(QRgb, background);
        QFETCH(bool, highlighted);
        QFETCH(QRgb, corner);
        ChartFixture f;
        f.chart.SetBackgroundColor(background);
        f.chart.SetHighlightedBar(highlighted ? 0 : -1);
        const QImage& img = f.Render();
        const int L = 40, T = 221, R = 122, B = 231, mid = 81; // bar 0, inclusive edges
        const QList<QPair<QPoint, QRgb>> pixels{
            {{L, T}, background},     {{R, T}, background},     {{L + 1, T}, corner},
            {{L, T + 1}, corner},     {{R - 1, T}, corner},     {{R, T + 1}, corner},
            {{L + 1, T + 1}, kBlack}, {{R - 1, T + 1}, kBlack}, {{L, T + 5}, kBlack},
            {{R, T + 5}, kBlack},     {{mid, T}, kBlack},       {{mid, B}, kBlack}};
        for (const auto& [pt, colour] : pixels)
            COMPARE_RGB(img.pixel(pt), colour);
        // A highlight doubles the outline on the left, top and right, never below.
        const bool inner = img.pixel(L + 1, T + 5) == kBlack && img.pixel(R - 1, T + 5) == kBlack &&
                           img.pixel(mid, T + 1) == kBlack;
        QCOMPARE(inner, highlighted);
        QVERIFY(img.pixel(mid, B - 1) != kBlack);
        QFETCH(QRgb, zeroLine); // the bar stands on the 0% line
        COMPARE_RGB(img.pixel(mid, B + 1), zeroLine);
    }

    // Grid of 10 rows over y 0..231 (dy 23): 2 px major lines at trunc(y) + 2 and the row
    // above, 1 px minor lines half-way. x = 470 lies right of every bar and label.
    void pixels_data() {
        QTest::addColumn<bool>("valueLabels");
        QTest::addColumn<QPoint>("pt");
        QTest::addColumn<QRgb>("expected");
        QTest::newRow("0% major, both rows") << true << QPoint(470, 232) << kGridGrey;
        QTest::newRow("0% major, lower row") << true << QPoint(470, 233) << kGridGrey;
        QTest::newRow("below 0% line") << true << QPoint(470, 234) << kWhite;
        QTest::newRow("minor 5%") << true << QPoint(470, 221) << kGridGrey;
        QTest::newRow("100% major upper") << true << QPoint(470, 2) << kGridGrey;
        QTest::newRow("above 100%") << true << QPoint(470, 1) << kWhite;
        // Without value labels the grid starts 10 px above the surface: dy 24.
        QTest::newRow("no value labels: 10% major") << false << QPoint(470, 208) << kGridGrey;
        QTest::newRow("no value labels: old 10% row") << false << QPoint(470, 210) << kWhite;
        QTest::newRow("end tick at W - 20") << true << QPoint(458, 229) << kGridGrey;
        QTest::newRow("right of the end tick") << true << QPoint(460, 229) << kWhite;
        QTest::newRow("frame top left") << true << QPoint(0, 0) << kFrame;
        QTest::newRow("frame left on the 0% line") << true << QPoint(0, 233) << kFrame;
    }
    void pixels() {
        QFETCH(bool, valueLabels);
        QFETCH(QPoint, pt);
        QFETCH(QRgb, expected);
        ChartFixture f;
        f.chart.ShowValueLabels(1, valueLabels, false);
        COMPARE_RGB(f.Render().pixel(pt), expected);
    }

    void tallBarReachesAboveTheBand() {
        RaceSettings p = DefaultSettings();
        p.Value = {5, 10, 20, 20, 150};
        ChartFixture f(p);
        const QImage& img = f.Render(); // bar 4 spans x 374..457; column 46 is past the shade
        COMPARE_RGB(img.pixel(374 + 46, 15), qRgb(77, 124, 202));
        COMPARE_RGB(img.pixel(374 + 46, 0), kFrame); // the frame stays on top
    }

    void nothingToPlace() {
        for (const bool noBars : {false, true}) { // time full scale 0, or no bars at all
            RaceSettings p = DefaultSettings();
            p.TimeMax() = noBars ? 1000 : 0;
            ChartFixture f(p);
            if (noBars)
                f.chart.Reset();
            const QImage& img = f.Render();
            // Right of the percent labels and below the title only grid and background remain.
            int others = 0;
            for (int y = 20; y < 250; ++y)
                for (int x = 100; x < 470; ++x)
                    others += img.pixel(x, y) != kWhite && img.pixel(x, y) != kGridGrey;
            QCOMPARE(others, 0);
        }
    }

    // A redraw reuses what earlier redraws rendered (background, grid, texts): after a change
    // it must show exactly what a chart rendering the changed state afresh shows.
    void redrawAfterChangeAsFresh_data() {
        using Change = std::function<void(CProfileChart&)>;
        QTest::addColumn<Change>("change");
#define CHANGE(name, ...) QTest::newRow(name) << Change([](CProfileChart& c) { c.__VA_ARGS__; })
        CHANGE("bar value", SetBarValue(2, 35));
        CHANGE("bar time", SetBarEndTime(1, 300));
        CHANGE("bar under the title", SetBarValue(4, 150));
        CHANGE("title", SetTitle("I in %"));
        CHANGE("background", SetBackgroundColor(qRgb(240, 240, 240)));
        CHANGE("highlight", SetHighlightedBar(3));
        CHANGE("no grid", ShowGrid(false, false));
        CHANGE("grid rows", SetGridDivisions(4, 0, false, 0));
        CHANGE("no time labels", ShowTimeLabels(false, false));
#undef CHANGE
    }
    void redrawAfterChangeAsFresh() {
        QFETCH(std::function<void(CProfileChart&)>, change);
        ChartFixture warm;
        const QImage before = warm.Render();
        warm.chart.Redraw();
        change(warm.chart);
        warm.chart.Redraw();
        ChartFixture fresh;
        change(fresh.chart);
        QCOMPARE(warm.chart.Surface(), fresh.Render());
        QVERIFY(warm.chart.Surface() != before);
    }

    // A redraw repaints only what it changed: after a run of them the window shows the
    // surface, and a drag's paint did not cover the whole chart.
    void partialPaintsShowTheSurface_data() {
        using Step = std::function<void(CProfileChart&, int)>;
        QTest::addColumn<Step>("step");
#define STEP(name, ...) QTest::newRow(name) << Step([](CProfileChart& c, int i) { __VA_ARGS__; })
        STEP("value drag", c.SetBarValue(0, i % 2 ? 30 : 12));
        STEP("label grows", c.SetBarValue(1, i % 2 ? 100 : 5));
        STEP("time drag", c.SetBarEndTime(1, i % 2 ? 300 : 450));
        STEP("under the title", c.SetBarValue(4, i % 2 ? 150 : 95));
        STEP("highlight", c.SetHighlightedBar(i % 3 - 1));
#undef STEP
    }
    void partialPaintsShowTheSurface() {
        QFETCH(std::function<void(CProfileChart&, int)>, step);
        ChartFixture f;
        f.dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f.dialog));
        QCoreApplication::processEvents(); // the first paint renders, the next copies
        f.chart.Redraw();                  // the backdrop is kept from its second drawing on
        QCoreApplication::processEvents();
        QRegion painted;
        PaintRegions regions(f.chart, painted);
        for (int i = 0; i < 5; ++i) {
            step(f.chart, i);
            f.chart.Redraw();
            QCoreApplication::processEvents();
            const QImage shown = f.dialog.screen()
                                     ->grabWindow(f.dialog.winId())
                                     .toImage()
                                     .convertToFormat(QImage::Format_RGB32)
                                     .copy(f.chart.geometry());
            QCOMPARE(shown, f.chart.Surface().copy(0, 0, kChartW, kChartH));
        }
        QVERIFY(!painted.isEmpty());
        QVERIFY(painted.boundingRect() != f.chart.rect());
    }

    void paintCopiesWhatRedrawRendered() {
        ChartFixture f; // SetupChart ends with Redraw, before the first paint: nothing happens
        QVERIFY(f.chart.Surface().isNull());
        f.chart.Redraw();
        QVERIFY(f.chart.Surface().isNull());
        const auto shown = [&f] {
            return f.chart.grab().toImage().convertToFormat(QImage::Format_RGB32);
        };
        shown(); // the first paint renders, the next ones show what was rendered
        const QImage first = shown();
        QCOMPARE(first, f.chart.Surface());
        f.chart.SetBarValue(4, 100);
        QCOMPARE(shown(), first); // a paint does not render on its own
        f.chart.Redraw();
        QVERIFY(shown() != first);
    }
};

#include "ChartRenderTest.moc"
DRIVO_TEST(ChartRenderTest);
