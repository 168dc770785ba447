// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestMain.h"
#include "widgets/CUsbStatusIndicator.h"

#include <QTest>
#include <map>

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

const QColor kDialog(20, 40, 200);

// Records the window timers instead of running them; the test delivers the ticks.
class TimedIndicator : public CUsbStatusIndicator {
public:
    using CUsbStatusIndicator::CUsbStatusIndicator;
    using CUsbStatusIndicator::OnTimer;
    std::map<int, unsigned> timers;

    void StartWindowTimer(int id, unsigned ms) override { timers[id] = ms; }
    void KillWindowTimer(int id) override { timers.erase(id); }
    bool IsWindowTimerRunning(int id) const override { return timers.count(id) != 0; }
};

} // namespace

class UsbStatusIndicatorTest : public QObject {
    Q_OBJECT
private slots:
    // Drawn inside a dialog painted in kDialog; the control may be larger than a cell.
    void drawsTheCellOfTheStateAtTheOrigin_data() {
        QTest::addColumn<QImage>("strip");
        QTest::addColumn<int>("state");     // -1: SetState never called
        QTest::addColumn<QPoint>("source"); // strip pixel shown at the origin; (-1,-1): none
        QTest::newRow("initially green from row 0") << CoordinateStrip() << -1 << QPoint(75, 0);
        QTest::newRow("state 0: red from row 0") << CoordinateStrip() << 0 << QPoint(0, 0);
        QTest::newRow("state 1: green from row 1") << CoordinateStrip() << 1 << QPoint(75, 1);
        QTest::newRow("no bitmap") << QImage() << 1 << QPoint(-1, -1);
        QTest::newRow("state beyond the strip") << CoordinateStrip() << 2 << QPoint(-1, -1);
    }
    void drawsTheCellOfTheStateAtTheOrigin() {
        QFETCH(QImage, strip);
        QFETCH(int, state);
        QFETCH(QPoint, source);
        QWidget dialog;
        dialog.setAutoFillBackground(true);
        dialog.setPalette(QPalette(kDialog));
        if (source.x() >= 0)
            strip.setPixel(source.x() + 10, source.y() + 5, qRgb(255, 0, 255));
        auto* indicator = new CUsbStatusIndicator(strip, &dialog);
        indicator->setGeometry(10, 10, 100, 60);
        if (state != -1)
            indicator->SetState(state);
        const QImage shot = indicator->grab().toImage();
        for (const QPoint p : {QPoint(0, 0), QPoint(74, 39), QPoint(30, 17)})
            QCOMPARE(shot.pixelColor(p),
                     source.x() < 0 ? kDialog
                                    : QColor(qRgb(source.x() + p.x(), source.y() + p.y(), 7)));
        // Magenta lets the dialog through; outside the 75 x 40 cell nothing is drawn.
        for (const QPoint p : {QPoint(10, 5), QPoint(75, 0), QPoint(0, 40), QPoint(99, 59)})
            QCOMPARE(shot.pixelColor(p), kDialog);
    }

    // Steps: a Blink period (>= 0) or a tick (-1); after each, the state and the running
    // timer's period (0: none).
    void blinking_data() {
        QTest::addColumn<QList<int>>("steps");
        QTest::addColumn<QList<int>>("states");
        QTest::addColumn<QList<int>>("timers");
        QTest::newRow("ticks flip, stop keeps the last state")
            << QList{200, -1, -1, 0} << QList{0, 1, 0, 0} << QList{200, 200, 200, 0};
        QTest::newRow("late tick flips once more and stops")
            << QList{200, -1, 0, -1} << QList{0, 1, 1, 0} << QList{200, 200, 0, 0};
        QTest::newRow("new period restarts")
            << QList{200, 500, -1} << QList{0, 0, 1} << QList{200, 500, 500};
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
            indicator.OnTimer(1); // not the blink timer: ignored
            QCOMPARE(indicator.State(), states[i]);
            QCOMPARE(indicator.Surface().pixelColor(0, 0),
                     QColor(qRgb(75 * states[i], states[i], 7)));
            const auto it = indicator.timers.find(CUsbStatusIndicator::kBlinkTimerId);
            QCOMPARE(it == indicator.timers.end() ? 0 : int(it->second), timers[i]);
        }
    }
};

#include "UsbStatusIndicatorTest.moc"
DRIVO_TEST(UsbStatusIndicatorTest);
