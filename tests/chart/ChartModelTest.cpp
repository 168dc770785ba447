// SPDX-License-Identifier: GPL-3.0-or-later
// The chart's data operations, the owner's setup calls and dragging bar edges at the real
// size. Default profile: bar 0 spans x 40..122, its top line (where the pointer grabs it) is
// y 223 and its right line x 123.
#include "ChartFixture.h"
#include "TestMain.h"

#include <QTest>
#include <QWindow>

using namespace drivo;
using namespace drivo::test;

Q_DECLARE_METATYPE(CProfileChart::HoverZone)

namespace {

struct Recorded : ChartFixture {
    int values = 0, times = 0;
    QStringList status;

    explicit Recorded(const RaceSettings& p = DefaultSettings()) : ChartFixture(p) {
        Render();
        ChartOwnerHooks hooks;
        hooks.onStageValueDragged = [this](int, double) { ++values; };
        hooks.onStageTimeDragged = [this](int, double) { ++times; };
        hooks.setStatusText = [this](const QString& s) { status << s; };
        chart.SetOwnerHooks(hooks);
    }
};

} // namespace

class ChartModelTest : public QObject {
    Q_OBJECT
private slots:
    void gridDivisions() {
        // SetGridDivisions(0, 0, ...) after 4 rows and 3 columns at spacing 10: rows, columns,
        // spacing.
        const QList<std::tuple<bool, unsigned, QList<unsigned>>> cases{
            {false, 99, {4, 3, 10}}, {true, 15, {0, 0, 15}}, {true, 0, {0, 0, 10}}};
        for (const auto& [useSpacing, spacing, expected] : cases) {
            CProfileChart chart;
            chart.SetGridDivisions(4, 3, false, 0);
            chart.SetGridDivisions(0, 0, useSpacing, spacing);
            QCOMPARE((QList{chart.Grid().Rows(), chart.Grid().Columns(), chart.Grid().Spacing()}),
                     expected);
        }
    }

    void barAccessOutsideTheList() {
        ChartFixture f;
        for (int index : {-1, 5}) {
            f.chart.SetBarValue(index, 77);
            f.chart.SetBarEndTime(index, 77);
            QCOMPARE(f.chart.GetBarValue(index), -1.0);
            QCOMPARE(f.chart.GetBarDuration(index), -1.0);
            QVERIFY(f.chart.GetBarLabel(index).isEmpty());
        }
        for (int k = 0; k < kChartBarCount; ++k)
            QVERIFY(f.chart.GetBarValue(k) != 77 && f.chart.GetBarEndTime(k) != 77);
    }

    void setupFillsFromTheProfile() {
        RaceSettings p = DefaultSettings();
        p.Time = {150, 400, 1000, 2400, 4000, 4000};
        p.Value = {1, 2, 3, 4, 100};
        ChartFixture f(p);
        QCOMPARE(f.chart.BarCount(), 5);
        QCOMPARE(f.chart.GetBarValue(4), 100.0);
        QCOMPARE(f.chart.GetBarDuration(0), 150.0); // the first from 0, later from the previous end
        QCOMPARE(f.chart.GetBarDuration(4), 1600.0);
        // Setting up again resets the bars; the surface was rebuilt, so Redraw rendered it.
        p.Value = {9, 9, 9, 9, 9};
        QVERIFY(SetupChart(f.chart, *f.placeholder, f.dialog, QStringLiteral("x"), p,
                           [] { return 1; }));
        QCOMPARE(f.chart.GetBarValue(4), 9.0);
        QVERIFY(!f.chart.Surface().isNull());
    }

    void setupCoversAPlaceholderInsideAFrame() {
        QWidget dialog;
        QWidget frame(&dialog);
        frame.setGeometry(10, 20, 600, 400);
        QWidget placeholder(&frame);
        placeholder.setGeometry(30, 40, 200, 100);
        CProfileChart chart;
        SetupChart(chart, placeholder, dialog, QString(), DefaultSettings(), [] { return 0; });
        QVERIFY(chart.Tip().HasWindow());
        QVERIFY(!chart.Create(QRect(0, 0, 10, 10), &dialog, 8, QString())); // created once only
        QCOMPARE(chart.geometry(), QRect(40, 60, 200, 100));
    }

    void drag_data() {
        QTest::addColumn<bool>("closeNeighbours"); // end times 200, 260, 280, 800, 1000
        QTest::addColumn<QPoint>("grab");
        QTest::addColumn<QPoint>("to");
        QTest::addColumn<CProfileChart::HoverZone>("zone");
        QTest::addColumn<int>("bar");
        QTest::addColumn<double>("value");
        QTest::addColumn<double>("endTime");
        QTest::addColumn<int>("duration"); // in the status text
        using Z = CProfileChart::HoverZone;
        const auto row = [](const char* name, bool close, QPoint grab, QPoint to, Z zone, int bar,
                            double value, double end, int duration) {
            QTest::newRow(name) << close << grab << to << zone << bar << value << end << duration;
        };
        row("top above the band", false, {80, 223}, {80, -50}, Z::Top, 0, 100, 200, 200);
        row("top below the baseline", false, {80, 220}, {80, 260}, Z::Top, 0, 0, 200, 200);
        row("top in whole percent", false, {80, 226}, {80, 150}, Z::Top, 0, 37, 200, 200);
        row("right to the far left", false, {126, 228}, {0, 228}, Z::Right, 0, 5, 50, 50);
        row("right stops at the next end", false, {119, 228}, {470, 228}, Z::Right, 0, 5, 350, 350);
        row("last right past the axis", false, {458, 228}, {477, 228}, Z::Right, 4, 20, 1000, 200);
        row("corner", false, {123, 223}, {200, 150}, Z::Corner, 0, 37, 350, 350);
        row("close neighbours: prev + 50", true, {148, 228}, {300, 228}, Z::Right, 1, 10, 250, 50);
    }
    void drag() {
        QFETCH(bool, closeNeighbours);
        QFETCH(QPoint, grab);
        QFETCH(QPoint, to);
        QFETCH(CProfileChart::HoverZone, zone);
        QFETCH(int, bar);
        RaceSettings p = DefaultSettings();
        if (closeNeighbours)
            p.Time = {200, 260, 280, 800, 1000, 1000};
        Recorded f(p);
        f.chart.MouseMove(grab, false);
        QCOMPARE(f.chart.Zone(), zone);
        using Z = CProfileChart::HoverZone;
        QCOMPARE(f.chart.cursor().shape(), zone == Z::Top     ? Qt::SizeVerCursor
                                           : zone == Z::Right ? Qt::SizeHorCursor
                                                              : Qt::SizeBDiagCursor);
        QCOMPARE(f.chart.Plot().HighlightedBar(), bar);
        QVERIFY(f.status.isEmpty()); // entering a bar writes no status
        f.chart.LeftButtonDown(grab);
        f.chart.MouseMove(to, true);
        QTEST(f.chart.GetBarValue(bar), "value");
        QTEST(f.chart.GetBarEndTime(bar), "endTime");
        QCOMPARE(f.values == 0, zone == Z::Right);
        QCOMPARE(f.times == 0, zone == Z::Top);
        QFETCH(int, duration);
        QCOMPARE(f.status.value(0), QStringLiteral("Intensité %1% Durée %2ms.")
                                        .arg(f.chart.GetBarValue(bar))
                                        .arg(duration));
        QCOMPARE(f.chart.HoveredBar(), bar); // the hover is frozen during the drag
        f.chart.LeftButtonUp(to);
        QVERIFY(!f.chart.DraggingValue() && !f.chart.DraggingTime());
    }

    void leavingTheBarsClearsHighlightAndStatus() {
        Recorded f;
        // Near the shared boundary the enlarged bars overlap: the lower index wins.
        f.chart.MouseMove(QPoint(125, 228), false);
        QCOMPARE(f.chart.HoveredBar(), 0);
        f.chart.MouseMove(QPoint(470, 100), false);
        QCOMPARE(f.chart.Plot().HighlightedBar(), -1);
        QCOMPARE(f.status, QStringList{QString()});
        f.chart.MouseMove(QPoint(80, 228), false);
        f.chart.LeaveChart();
        QCOMPARE(f.chart.HoveredBar(), -1);
        QCOMPARE(f.status.size(), 2);
    }

    // Through the window, as the platform delivers them: the release outside ends the grab and
    // the chart is told the pointer left.
    void dragReleasedOutsideKeepsHoverAndStatus() {
        Recorded f;
        f.dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f.dialog));
        QWindow* window = f.dialog.windowHandle();
        const QPoint grab = f.chart.pos() + QPoint(80, 223), outside(100, 40);
        QTest::mouseMove(window, grab);
        QTest::mousePress(window, Qt::LeftButton, {}, grab);
        QTest::mouseMove(window, outside);
        QTest::mouseRelease(window, Qt::LeftButton, {}, outside);
        QCoreApplication::processEvents();
        QVERIFY(!f.chart.DraggingValue());
        QCOMPARE(f.chart.HoveredBar(), 0);
        QCOMPARE(f.chart.Plot().HighlightedBar(), 0);
        QVERIFY(!f.status.isEmpty() &&
                f.status.last().startsWith(QStringLiteral("Intensité 100%")));
        QTest::mouseMove(window, f.chart.pos() + QPoint(250, 100)); // back over no bar
        QCOMPARE(f.chart.HoveredBar(), -1);
        QCOMPARE(f.status.last(), QString());
    }

    void tipTextDescribesTheBarUnderThePointer() {
        Recorded f;
        f.chart.MouseMove(QPoint(250, 220), false);
        QCOMPARE(f.chart.TipText(), QStringLiteral("2\n20.0000\n20.00%\n"));
        QCOMPARE(f.chart.cursor().shape(), Qt::ArrowCursor); // inside a bar, off its edges
        f.chart.MouseMove(QPoint(250, 100), false);
        QVERIFY(f.chart.TipText().isEmpty());
        QVERIFY(!f.chart.Tip().isVisible()); // the owner switched tips off
    }
};

#include "ChartModelTest.moc"
DRIVO_TEST(ChartModelTest);
