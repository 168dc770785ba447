// Dragging bar edges in the chart at its real size. Default profile: bar 0 spans x 40..122,
// its top line (where the pointer grabs it) is y 223 and its right line x 123.
#include "ChartFixture.h"
#include "TestMain.h"

#include <QMouseEvent>
#include <QTest>
#include <vector>

using namespace drivo;
using namespace drivo::test;

Q_DECLARE_METATYPE(CProfileChart::HoverZone)

namespace {

struct Recorder {
    std::vector<std::pair<int, double>> values, times;
    QStringList status;

    void Attach(CProfileChart& chart) {
        ChartOwnerHooks hooks;
        hooks.onStageValueDragged = [this](int i, double v) { values.emplace_back(i, v); };
        hooks.onStageTimeDragged = [this](int i, double t) { times.emplace_back(i, t); };
        hooks.setStatusText = [this](const QString& s) { status << s; };
        chart.SetOwnerHooks(hooks);
    }
};

} // namespace

class ChartMouseTest : public QObject {
    Q_OBJECT
private slots:
    void drag_data() {
        QTest::addColumn<bool>("closeNeighbours"); // end times 200, 260, 280, 800, 1000
        QTest::addColumn<QPoint>("grab");
        QTest::addColumn<QPoint>("to");
        QTest::addColumn<CProfileChart::HoverZone>("zone");
        QTest::addColumn<int>("bar");
        QTest::addColumn<double>("value");
        QTest::addColumn<double>("endTime");
        QTest::addColumn<QString>("status");
        using Z = CProfileChart::HoverZone;
        QTest::newRow("top above the band") << false << QPoint(80, 223) << QPoint(80, -50) << Z::Top
                                            << 0 << 100.0 << 200.0 << "Intensité 100% Durée 200ms.";
        QTest::newRow("top below the baseline")
            << false << QPoint(80, 220) << QPoint(80, 260) << Z::Top << 0 << 0.0 << 200.0
            << "Intensité 0% Durée 200ms.";
        QTest::newRow("top in whole percent")
            << false << QPoint(80, 226) << QPoint(80, 150) << Z::Top << 0 << 37.0 << 200.0
            << "Intensité 37% Durée 200ms.";
        QTest::newRow("right to the far left")
            << false << QPoint(126, 228) << QPoint(0, 228) << Z::Right << 0 << 5.0 << 50.0
            << "Intensité 5% Durée 50ms.";
        QTest::newRow("right stops before the next end")
            << false << QPoint(119, 228) << QPoint(470, 228) << Z::Right << 0 << 5.0 << 350.0
            << "Intensité 5% Durée 350ms.";
        QTest::newRow("last right beyond the axis")
            << false << QPoint(458, 228) << QPoint(477, 228) << Z::Right << 4 << 20.0 << 1000.0
            << "Intensité 20% Durée 200ms.";
        QTest::newRow("corner") << false << QPoint(123, 223) << QPoint(200, 150) << Z::Corner << 0
                                << 37.0 << 350.0 << "Intensité 37% Durée 350ms.";
        QTest::newRow("close neighbours: previous + 50")
            << true << QPoint(148, 228) << QPoint(300, 228) << Z::Right << 1 << 10.0 << 250.0
            << "Intensité 10% Durée 50ms.";
    }
    void drag() {
        QFETCH(bool, closeNeighbours);
        QFETCH(QPoint, grab);
        QFETCH(QPoint, to);
        QFETCH(CProfileChart::HoverZone, zone);
        QFETCH(int, bar);
        QFETCH(double, value);
        QFETCH(double, endTime);
        QFETCH(QString, status);
        ChartProfile p;
        if (closeNeighbours)
            p.endTimes = {200, 260, 280, 800, 1000};
        ChartFixture f(p);
        f.Render();
        Recorder rec;
        rec.Attach(f.chart);
        f.chart.MouseMove(grab, false);
        QCOMPARE(f.chart.Zone(), zone);
        QCOMPARE(f.chart.HoveredBar(), bar);
        QCOMPARE(f.chart.Plot().HighlightedBar(), bar);
        QVERIFY(rec.status.isEmpty()); // entering a bar writes no status
        f.chart.LeftButtonDown(grab);
        QCOMPARE(f.chart.PressedBar(), bar);
        f.chart.MouseMove(to, true);
        QCOMPARE(f.chart.GetBarValue(bar), value);
        QCOMPARE(f.chart.GetBarEndTime(bar), endTime);
        QCOMPARE(rec.values.empty(), zone == CProfileChart::HoverZone::Right);
        QCOMPARE(rec.times.empty(), zone == CProfileChart::HoverZone::Top);
        QCOMPARE(rec.status.value(0), status);
        // The hover is frozen during the drag; the release ends it.
        QCOMPARE(f.chart.HoveredBar(), bar);
        f.chart.LeftButtonUp(to);
        QVERIFY(!f.chart.DraggingValue() && !f.chart.DraggingTime());
    }

    void cursorsFollowTheZone_data() {
        QTest::addColumn<QPoint>("pt");
        QTest::addColumn<int>("shape");
        QTest::newRow("top") << QPoint(80, 223) << int(Qt::SizeVerCursor);
        QTest::newRow("right") << QPoint(123, 228) << int(Qt::SizeHorCursor);
        QTest::newRow("corner") << QPoint(120, 225) << int(Qt::SizeBDiagCursor);
        QTest::newRow("inside") << QPoint(80, 228) << int(Qt::ArrowCursor);
    }
    void cursorsFollowTheZone() {
        QFETCH(QPoint, pt);
        QFETCH(int, shape);
        ChartFixture f;
        f.Render();
        f.chart.MouseMove(QPoint(60, 229), false);
        f.chart.MouseMove(pt, false);
        QCOMPARE(int(f.chart.cursor().shape()), shape);
    }

    void pressInsideStartsNothing() {
        ChartFixture f;
        f.Render();
        Recorder rec;
        rec.Attach(f.chart);
        f.chart.MouseMove(QPoint(80, 228), false);
        f.chart.LeftButtonDown(QPoint(80, 228));
        f.chart.MouseMove(QPoint(80, 100), true);
        QCOMPARE(f.chart.GetBarValue(0), 5.0);
        QVERIFY(rec.values.empty() && rec.times.empty());
        QCOMPARE(f.chart.PressedBar(), -1);
    }

    void leavingTheBarsClearsHighlightAndStatus() {
        ChartFixture f;
        f.Render();
        Recorder rec;
        rec.Attach(f.chart);
        // Near the shared boundary the enlarged bars overlap: the lower index wins.
        f.chart.MouseMove(QPoint(125, 228), false);
        QCOMPARE(f.chart.HoveredBar(), 0);
        f.chart.MouseMove(QPoint(470, 100), false);
        QCOMPARE(f.chart.HoveredBar(), -1);
        QCOMPARE(f.chart.Plot().HighlightedBar(), -1);
        QCOMPARE(rec.status, QStringList{QString()});
        f.chart.MouseMove(QPoint(80, 228), false);
        f.chart.LeaveChart();
        QCOMPARE(f.chart.HoveredBar(), -1);
        QCOMPARE(rec.status.size(), 2);
    }

    void eventsReachTheEditor() {
        ChartFixture f;
        f.Render();
        auto send = [&f](QEvent::Type type, QPoint pt, Qt::MouseButton b, Qt::MouseButtons held) {
            QMouseEvent e(type, QPointF(pt), f.chart.mapToGlobal(QPointF(pt)), b, held,
                          Qt::NoModifier);
            QApplication::sendEvent(&f.chart, &e);
        };
        send(QEvent::MouseMove, {80, 223}, Qt::NoButton, Qt::NoButton);
        send(QEvent::MouseButtonPress, {80, 223}, Qt::LeftButton, Qt::LeftButton);
        send(QEvent::MouseMove, {80, -10}, Qt::NoButton, Qt::LeftButton);
        send(QEvent::MouseButtonRelease, {80, -10}, Qt::LeftButton, Qt::NoButton);
        QCOMPARE(f.chart.GetBarValue(0), 100.0);
        QVERIFY(!f.chart.DraggingValue());
    }

    void tipTextDescribesTheBarUnderThePointer() {
        ChartFixture f;
        f.Render();
        f.chart.MouseMove(QPoint(250, 220), false);
        QCOMPARE(f.chart.TipText(), QStringLiteral("2\n20.0000\n20.00%\n"));
        f.chart.MouseMove(QPoint(250, 100), false);
        QVERIFY(f.chart.TipText().isEmpty());
        QVERIFY(!f.chart.Tip().isVisible()); // the owner switched tips off
    }
};

#include "ChartMouseTest.moc"
DRIVO_TEST(ChartMouseTest);
