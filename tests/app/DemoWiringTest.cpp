// SPDX-License-Identifier: GPL-3.0-or-later
// drivo-demo's wiring, as its main makes it: the car panel's plug box and the car's own
// unplugging reach the main window, and the panel never covers the window.
#include "demo/DemoWiring.h"
#include "AppTestSupport.h"
#include "TestMain.h"
#include "demo/CCarPanel.h"
#include "demo/PanelPlacement.h"

#include <QCheckBox>
#include <QScreen>

using namespace drivo;
using namespace drivo::test;
using drivo::sim::CarFault;

namespace {

void ExpectNoCar(CarWindow& w) {
    QCOMPARE(w.Pane0(), Text(IDS_NO_CAR_FOUND));
    QCOMPARE(w.Indicator().State(), 0);
    QCOMPARE(w.Indicator().BlinkPeriod(), 0u);
    QVERIFY(w.ButtonsEnabled(false));
    QCOMPARE(w.dialog->Display().BatteryBar()->BarColor(), QColor(128, 128, 128));
}

} // namespace

class DemoWiringTest : public QObject {
    Q_OBJECT
private slots:
    void panelAndCarPlugInAndOut() {
        CarWindow w;
        const std::shared_ptr<void> attachment = AttachDemoCar(w.car, *w.dialog);
        auto* panel = w.dialog->findChild<CCarPanel*>();
        QVERIFY(panel);
        QCoreApplication::processEvents(); // the panel opens once the window is up
        QVERIFY(panel->isVisible());
        QVERIFY(!panel->frameGeometry().intersects(w.dialog->frameGeometry()));
        QVERIFY(w.dialog->screen()->availableGeometry().contains(panel->frameGeometry()));

        panel->PluggedBox()->click();
        QCoreApplication::processEvents();
        QVERIFY(!w.dialog->Controller().CarPresent());
        QCOMPARE(w.Pane0(), Text(IDS_NO_CAR_FOUND));
        panel->PluggedBox()->click();
        QCoreApplication::processEvents();
        QVERIFY(w.dialog->Controller().CarPresent());
        QVERIFY(w.Outcomes(2)); // the battery and configuration reads of a new car

        // The car unplugs itself in the middle of an exchange.
        w.boxes.Clear();
        panel->FaultBox(CarFault::UnplugMidTransaction)->click();
        w.Click(ctl::kBattery);
        QVERIFY(w.ButtonsEnabled(false));
        QVERIFY(w.Outcomes(1));
        QCoreApplication::processEvents();
        QVERIFY(!w.dialog->Controller().CarPresent());
        ExpectNoCar(w); // the failed read, reported after the car was found gone, is dropped
        QVERIFY(w.boxes.Boxes.isEmpty());
        panel->Refresh();
        QVERIFY(!panel->PluggedBox()->isChecked());
    }

    // A hot-plug storm from the panel's box: the reads that each short-lived car started report
    // after the last check found no car, and change nothing; Send then starts nothing.
    void hotPlugStormEndsAsTheLastCheck() {
        CarWindow w;
        const std::shared_ptr<void> attachment = AttachDemoCar(w.car, *w.dialog);
        QCheckBox* plugged = w.dialog->findChild<CCarPanel*>()->PluggedBox();
        const auto toggle = [&] {
            plugged->click();
            QCoreApplication::processEvents();
        };
        for (int i = 0; i < 100; ++i) {
            toggle(); // out
            if (i == 99)
                w.time->Hold(true); // the last car's two reads stay open until it is gone
            toggle();               // in: the battery and configuration reads start
        }
        toggle();
        w.time->Hold(false);
        QVERIFY(w.Outcomes(200));
        QCoreApplication::processEvents();
        ExpectNoCar(w);
        const int frames = w.car->FramesReceived();
        w.Click(ctl::kSend);
        QCOMPARE(w.car->FramesReceived(), frames);
    }

    void panelBesideTheWindow_data() {
        QTest::addColumn<QRect>("screen");
        QTest::addColumn<QRect>("window");
        QTest::addColumn<QPoint>("windowAt");
        QTest::addColumn<QRect>("panel");
        const QRect big(0, 0, 1920, 1080), usual(0, 0, 1280, 1024);
        const QSize panel(320, 520);
        QTest::newRow("room on the right")
            << big << QRect(563, 256, 794, 567) << QPoint(563, 256) << QRect({1369, 256}, panel);
        QTest::newRow("room on the left only")
            << big << QRect(1100, 256, 794, 567) << QPoint(1100, 256) << QRect({768, 256}, panel);
        QTest::newRow("1280 x 1024, centred: the window moves aside")
            << usual << QRect(243, 228, 794, 567) << QPoint(154, 228) << QRect({960, 228}, panel);
        QTest::newRow("too narrow: below") << QRect(0, 0, 900, 1200) << QRect(53, 100, 794, 567)
                                           << QPoint(53, 100) << QRect({53, 679}, panel);
        QTest::newRow("too small: shrunk into the widest room")
            << QRect(0, 0, 800, 600) << QRect(3, 16, 794, 567) << QPoint(3, 16)
            << QRect(3, 595, 320, 5);
    }
    void panelBesideTheWindow() {
        QFETCH(QRect, screen);
        QFETCH(QRect, window);
        const DemoLayout layout = LayOutBeside(screen, window, QSize(320, 520));
        QTEST(layout.windowAt, "windowAt");
        QTEST(layout.panel, "panel");
        QVERIFY(!layout.panel.intersects(QRect(layout.windowAt, window.size())));
        QVERIFY(screen.contains(layout.panel));
    }
};

#include "DemoWiringTest.moc"
DRIVO_TEST(DemoWiringTest);
