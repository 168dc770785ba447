// SPDX-License-Identifier: GPL-3.0-or-later
// drivo's own wiring on the emulated bridge: the libftdi driver behind the window, udev's
// uevents reaching it through AttachUdevWatcher, and the word for a car the user may not open.
#include "../app/AppTestSupport.h"
#include "EmulatedFtdi.h"
#include "TestMain.h"
#include "app/ControlIds.h"
#include "app/DrivoWiring.h"
#include "device/ftdi/FtdiDriver.h"
#include "i18n/ResourceModule.h"
#include "i18n/StringIds.h"

#include <QTest>

using namespace drivo;
using namespace drivo::test;

namespace {

struct UsbWindow {
    std::shared_ptr<sim::VirtualClock> clock = std::make_shared<sim::VirtualClock>();
    EmulatedFtdiBus bus{clock};
    std::shared_ptr<sim::VirtualCar> car = std::make_shared<sim::VirtualCar>(clock);
    std::shared_ptr<CWindowMessenger> messenger = std::make_shared<CWindowMessenger>();
    RecordingBoxes boxes;
    std::unique_ptr<CMainDialog> dialog;
    std::shared_ptr<void> watch;
    int waited = 0;

    // The window starts after `prepare` has set up the bed.
    template <typename Prepare> explicit UsbWindow(Prepare prepare) {
        prepare(*this);
        dialog = std::make_unique<CMainDialog>(
            nullptr, DeviceServices{std::make_shared<FtdiDriver>(clock),
                                    std::make_shared<WaitForFreeBridge>(bus, clock), messenger});
        watch = AttachUdevWatcher(*dialog);
        dialog->Create();
        dialog->show();
    }
    ~UsbWindow() {
        watch.reset();
        dialog.reset();
        messenger->Shutdown();
    }
    // Waits until n more job outcomes reached the window (a guard against a hang only).
    bool Outcomes(int n) {
        waited += n;
        return QTest::qWaitFor([&] { return messenger->Arrived() >= waited; }, 60000) &&
               messenger->Arrived() == waited;
    }
    QString Pane0() const { return dialog->Display().StatusBar()->PaneText(0); }
    int Indicator() const { return dialog->Display().UsbIndicator()->State(); }
    bool BatteryGrey() const { return dialog->Display().BatteryBar()->WindowText().isEmpty(); }
    bool ButtonsEnabled() const { return dialog->CommandButton(ctl::kSend)->isEnabled(); }
};

} // namespace

class DrivoUsbTest : public QObject {
    Q_OBJECT
private slots:
    void startReadsTheBatteryThenSends() {
        UsbWindow w([](UsbWindow& w) { w.bus.Plug(kCarDescription, w.car); });
        QVERIFY(w.Outcomes(2)); // battery and configuration state
        QCOMPARE(w.Indicator(), 1);
        QVERIFY(!w.BatteryGrey());
        QCOMPARE(w.car->FramesReceived(kBatteryQuery), 1);
        QCOMPARE(w.car->FramesReceived(kConfigStateQuery), 1);

        QTest::mouseClick(static_cast<QPushButton*>(w.dialog->CommandButton(ctl::kSend)),
                          Qt::LeftButton);
        QVERIFY(w.Outcomes(1));
        QCOMPARE(w.Pane0(), Text(IDS_SENT));
        QCOMPARE(w.car->ReceivedMnemonics().size(), size_t(2 + 8));
        const sim::CarSettings sent = w.car->LastSettings();
        QCOMPARE(sent.stageTimes[4], w.dialog->Controller().Settings().Time[4]);
        QCOMPARE(sent.timeMax, w.dialog->Controller().Settings().TimeMax());
        QCOMPARE(w.car->ConfigState(), 1);
        QVERIFY(!w.bus.IsClaimed());
        QVERIFY(w.car->Violations().empty());
    }

    void hotPlugThroughUevents() {
        UsbWindow w([](UsbWindow&) {});
        QCOMPARE(w.Pane0(), Text(IDS_NO_CAR_FOUND));
        QCOMPARE(w.Indicator(), 0);

        // A device of another subsystem is none of the window's business.
        w.dialog->Controller().SetStatusText("unchanged");
        w.bus.AnnounceOtherDevice();
        for (int i = 0; i < 5; ++i)
            QCoreApplication::processEvents();
        QCOMPARE(w.Pane0(), QStringLiteral("unchanged"));

        const std::string path = w.bus.Plug(kCarDescription, w.car, true);
        QVERIFY(QTest::qWaitFor([&] { return w.Indicator() == 1; }, 60000));
        QVERIFY(w.Outcomes(2));
        QCOMPARE(w.car->FramesReceived(kBatteryQuery), 1);
        QVERIFY(!w.BatteryGrey());
        QVERIFY(w.ButtonsEnabled());

        w.bus.Unplug(path);
        QVERIFY(QTest::qWaitFor([&] { return w.Indicator() == 0; }, 60000));
        QCOMPARE(w.Pane0(), Text(IDS_NO_CAR_FOUND));
        QVERIFY(w.BatteryGrey());
        QVERIFY(!w.ButtonsEnabled());
    }

    // The car is plugged in but its node is closed to the user: the window says so, and
    // otherwise behaves as without a car.
    void carWithoutPermissionIsNamed() {
        std::unique_ptr<NoPermissionOverride> asUser;
        UsbWindow w([&](UsbWindow& w) {
            w.bus.MakeUnreadable(w.bus.Plug(kCarDescription, w.car));
            asUser = std::make_unique<NoPermissionOverride>();
        });
        QCOMPARE(w.Pane0(), Text(IDS_CAR_INACCESSIBLE));
        QCOMPARE(w.Indicator(), 0);
        QVERIFY(w.BatteryGrey());
        QVERIFY(!w.ButtonsEnabled());
        QCOMPARE(w.car->OpenAttempts(), 0);
        QVERIFY(w.boxes.Boxes.empty());
    }
};

#include "DrivoUsbTest.moc"
DRIVO_TEST(DrivoUsbTest);
