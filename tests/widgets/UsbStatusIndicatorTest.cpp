#include "TestMain.h"
#include "widgets/CUsbStatusIndicator.h"

#include <QTest>
#include <map>
#include <vector>

using drivo::CUsbStatusIndicator;

namespace {

// Every pixel of the strip tells where it came from: red = x, green = y.
QImage CoordinateStrip() {
    QImage strip(150, 80, QImage::Format_RGB888);
    for (int y = 0; y < strip.height(); ++y)
        for (int x = 0; x < strip.width(); ++x)
            strip.setPixel(x, y, qRgb(x, y, 7));
    return strip;
}

const QRgb kParentColor = qRgb(20, 40, 200);

// A parent that paints itself in one colour, standing for the dialog behind the control.
struct Dialog {
    QWidget window;
    CUsbStatusIndicator* indicator;
    explicit Dialog(const QImage& strip, QSize size = {75, 40}) {
        window.resize(160, 100);
        window.setAutoFillBackground(true);
        QPalette pal;
        pal.setColor(QPalette::Window, QColor(kParentColor));
        window.setPalette(pal);
        indicator = new CUsbStatusIndicator(strip, &window);
        indicator->setGeometry(QRect(QPoint(10, 10), size));
    }
    QImage Grab() { return indicator->grab().toImage().convertToFormat(QImage::Format_RGB32); }
};

// Records the window timers instead of running them; ticks are delivered by the test.
class TimedIndicator : public CUsbStatusIndicator {
public:
    using CUsbStatusIndicator::CUsbStatusIndicator;
    using CUsbStatusIndicator::OnTimer;
    std::map<int, unsigned> running;
    std::vector<unsigned> starts;
    int paints = 0;

protected:
    void StartWindowTimer(int id, unsigned periodMs) override {
        running[id] = periodMs;
        starts.push_back(periodMs);
    }
    void KillWindowTimer(int id) override { running.erase(id); }
    bool IsWindowTimerRunning(int id) const override { return running.count(id) != 0; }
    void paintEvent(QPaintEvent* e) override {
        ++paints;
        CUsbStatusIndicator::paintEvent(e);
    }
};

} // namespace

class UsbStatusIndicatorTest : public QObject {
    Q_OBJECT
private slots:
    void drawsTheCellOfTheState_data() {
        QTest::addColumn<int>("state");
        QTest::addColumn<bool>("setFirst");
        QTest::addColumn<int>("sourceX");
        QTest::addColumn<int>("sourceY");
        QTest::newRow("before any state: green cell from row 0") << 0 << false << 75 << 0;
        QTest::newRow("state 0: red cell from row 0") << 0 << true << 0 << 0;
        QTest::newRow("state 1: green cell from row 1") << 1 << true << 75 << 1;
    }
    void drawsTheCellOfTheState() {
        QFETCH(int, state);
        QFETCH(bool, setFirst);
        QFETCH(int, sourceX);
        QFETCH(int, sourceY);
        Dialog dialog(CoordinateStrip());
        if (setFirst)
            dialog.indicator->SetState(state);
        const QImage shot = dialog.Grab();
        for (const QPoint p : {QPoint(0, 0), QPoint(74, 0), QPoint(0, 39), QPoint(74, 39), QPoint(30, 17)})
            QCOMPARE(QColor(shot.pixel(p)), QColor(qRgb(sourceX + p.x(), sourceY + p.y(), 7)));
    }

    void magentaAndTheRestOfALargerControlShowTheDialog() {
        QImage strip = CoordinateStrip();
        strip.setPixel(75 + 10, 1 + 5, qRgb(255, 0, 255));
        Dialog dialog(strip, {100, 60});
        dialog.indicator->SetState(1);
        const QImage shot = dialog.Grab();
        QCOMPARE(QColor(shot.pixel(10, 5)), QColor(kParentColor));
        QCOMPARE(QColor(shot.pixel(11, 5)), QColor(qRgb(86, 6, 7)));
        // Neither stretched nor centred: the cell stays 75 x 40 at the origin.
        QCOMPARE(QColor(shot.pixel(75, 0)), QColor(kParentColor));
        QCOMPARE(QColor(shot.pixel(0, 40)), QColor(kParentColor));
        QCOMPARE(QColor(shot.pixel(99, 59)), QColor(kParentColor));
    }

    void cellsOutsideTheStripDrawNothing_data() {
        QTest::addColumn<QImage>("strip");
        QTest::addColumn<int>("state");
        QTest::newRow("no bitmap") << QImage() << 1;
        QTest::newRow("state beyond the strip") << CoordinateStrip() << 2;
        QTest::newRow("negative state") << CoordinateStrip() << -1000;
        QTest::newRow("huge state") << CoordinateStrip() << INT_MAX;
    }
    void cellsOutsideTheStripDrawNothing() {
        QFETCH(QImage, strip);
        QFETCH(int, state);
        Dialog dialog(strip);
        dialog.indicator->SetState(state);
        const QImage shot = dialog.Grab();
        QCOMPARE(QColor(shot.pixel(0, 0)), QColor(kParentColor));
        QCOMPARE(QColor(shot.pixel(74, 39)), QColor(kParentColor));
    }

    void setStateRedrawsAtOnce() {
        QWidget window;
        auto* indicator = new TimedIndicator(CoordinateStrip(), &window);
        indicator->setGeometry(0, 0, 75, 40);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCoreApplication::processEvents();
        const int before = indicator->paints;
        indicator->SetState(0);
        // No event loop in between: the paint happened inside SetState.
        QCOMPARE(indicator->paints, before + 1);
        QCOMPARE(QColor(indicator->Surface().pixel(3, 4)), QColor(qRgb(3, 4, 7)));
    }

    // Each step: a Blink period (>= 0) or a timer tick (-1); then the expected state and
    // the period of the running timer (0 = none).
    void blinking_data() {
        QTest::addColumn<QList<int>>("steps");
        QTest::addColumn<QList<int>>("states");
        QTest::addColumn<QList<int>>("timers");
        QTest::newRow("stop while not blinking changes nothing")
            << QList<int>{0} << QList<int>{0} << QList<int>{0};
        QTest::newRow("ticks flip the state, starting from the initial green")
            << QList<int>{200, -1, -1, -1} << QList<int>{0, 1, 0, 1} << QList<int>{200, 200, 200, 200};
        QTest::newRow("stop keeps the last state shown")
            << QList<int>{200, -1, -1, 0} << QList<int>{0, 1, 0, 0} << QList<int>{200, 200, 200, 0};
        QTest::newRow("a late tick flips once more and stops the timer")
            << QList<int>{200, -1, 0, -1} << QList<int>{0, 1, 1, 0} << QList<int>{200, 200, 0, 0};
        QTest::newRow("new period restarts the timer")
            << QList<int>{200, -1, 500, -1} << QList<int>{0, 1, 1, 0} << QList<int>{200, 200, 500, 500};
    }
    void blinking() {
        QFETCH(QList<int>, steps);
        QFETCH(QList<int>, states);
        QFETCH(QList<int>, timers);
        TimedIndicator indicator(CoordinateStrip());
        indicator.SetState(0);
        for (qsizetype i = 0; i < steps.size(); ++i) {
            if (steps[i] < 0)
                indicator.OnTimer(CUsbStatusIndicator::kBlinkTimerId);
            else
                indicator.Blink(static_cast<unsigned>(steps[i]));
            const auto it = indicator.running.find(CUsbStatusIndicator::kBlinkTimerId);
            const int running = it == indicator.running.end() ? 0 : static_cast<int>(it->second);
            QCOMPARE(indicator.State(), states[i]);
            QCOMPARE(indicator.CellIndex(), states[i]);
            QCOMPARE(running, timers[i]);
            QCOMPARE(indicator.running.size() <= 1, true);
        }
    }

    void tickDrawsTheOtherColour() {
        TimedIndicator indicator(CoordinateStrip());
        indicator.SetState(1);
        indicator.Blink(200);
        indicator.OnTimer(CUsbStatusIndicator::kBlinkTimerId);
        QCOMPARE(QColor(indicator.Surface().pixel(0, 0)), QColor(qRgb(0, 0, 7)));
        indicator.OnTimer(1); // not the blink timer: ignored
        QCOMPARE(indicator.State(), 0);
    }

    void realTimerFollowsBlink() {
        struct Probe : CUsbStatusIndicator {
            using CUsbStatusIndicator::CUsbStatusIndicator;
            bool Running() const { return IsWindowTimerRunning(kBlinkTimerId); }
        } indicator(CoordinateStrip());
        QVERIFY(!indicator.Running());
        indicator.Blink(200);
        QVERIFY(indicator.Running());
        QCOMPARE(indicator.BlinkPeriod(), 200u);
        indicator.Blink(0);
        QVERIFY(!indicator.Running());
        QCOMPARE(indicator.BlinkPeriod(), 0u);
    }
};

#include "UsbStatusIndicatorTest.moc"
DRIVO_TEST(UsbStatusIndicatorTest);
