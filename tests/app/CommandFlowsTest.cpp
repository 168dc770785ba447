// SPDX-License-Identifier: GPL-3.0-or-later
// The main window and the About box against the virtual car: launchers, outcomes, the
// connection check and the About box's version read.
#include "AppTestSupport.h"
#include "TestMain.h"
#include "app/CAboutDialog.h"
#include "device/SendRequest.h"
#include "framework/DeviceChange.h"
#include "i18n/SafeFormat.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>

using namespace drivo;
using namespace drivo::test;
using drivo::sim::CarFault;

class CommandFlowsTest : public QObject {
    Q_OBJECT
private slots:
    void startWithoutCarThenPlugInAndAgain() {
        CarWindow w(false);
        QCOMPARE(w.Pane0(), Text(IDS_NO_CAR_FOUND));
        QCOMPARE(w.Indicator().State(), 0);
        QVERIFY(w.ButtonsEnabled(false));
        QCOMPARE(w.dialog->Display().BatteryBar()->BarColor(),
                 QColor(128, 128, 128)); // no reading: grey
        QCOMPARE(w.car->FramesReceived(), 0);

        w.car->Plug();
        w.dialog->Controller().OnDeviceChange(DBT_DEVNODES_CHANGED);
        QVERIFY(w.ButtonsEnabled(true)); // usable while the first two reads run
        QCOMPARE(w.Indicator().BlinkPeriod(), 200u);
        QVERIFY(w.Outcomes(2));
        QCOMPARE(w.car->FramesReceived(kBatteryQuery), 1);
        QCOMPARE(w.car->FramesReceived(kConfigStateQuery), 1);
        QCOMPARE(w.Indicator().State(), 1);
        QVERIFY(!w.dialog->Display().BatteryBar()->WindowText().isEmpty());
        // A fresh car runs on its defaults: the warning, not an error.
        QCOMPARE(w.boxes.Boxes, QStringList{Text(IDS_DEFAULTS_WARNING)});
        QCOMPARE(w.boxes.Icons[0], MessageIcon::Warning);
        // Once configured, the car comes back without the warning.
        w.Click(ctl::kSend);
        QVERIFY(w.Outcomes(1));
        w.boxes.Clear();
        w.car->Unplug();
        w.dialog->Controller().OnDeviceChange(DBT_DEVNODES_CHANGED);
        QCOMPARE(w.Pane0(), Text(IDS_NO_CAR_FOUND));
        w.car->Plug();
        w.dialog->Controller().OnDeviceChange(DBT_DEVNODES_CHANGED);
        QVERIFY(w.Outcomes(2));
        QVERIFY(w.boxes.Boxes.isEmpty());
        QCOMPARE(w.Indicator().State(), 1);
    }

    void otherEventCodesAndFurtherDevicesOnlyClearPane0() {
        CarWindow w;
        const int frames = w.car->FramesReceived();
        w.dialog->Controller().SetStatusText("busy");
        w.dialog->Controller().OnDeviceChange(0x8000); // device arrival: not ours to handle
        QCOMPARE(w.Pane0(), QStringLiteral("busy"));
        w.car->SetOtherDevices({"USB Serial Converter", "z-rallye"});
        w.dialog->Controller().OnDeviceChange(DBT_DEVNODES_CHANGED);
        QCOMPARE(w.Pane0(), QString());
        QCOMPARE(w.car->FramesReceived(), frames);
        QCOMPARE(w.boxes.Boxes, QStringList{Text(IDS_DEFAULTS_WARNING)}); // the start's only
    }

    // A car on its defaults: pane 0, one line high, shows both lines of the warning.
    void defaultsWarningFillsPane0() {
        CarWindow w;
        w.boxes.Clear();
        w.messenger->Post(w.dialog->Controller().Handle(), JobOutcome::Read(WM_CONFIG_DONE, 0));
        QVERIFY(w.Outcomes(1));
        QCOMPARE(w.Pane0(), QStringLiteral("Attention, paramètres par défaut actuellement chargés. "
                                           "Important -  Respectez le temps de pause de 30s "
                                           "entre chaque test & course "));
        QCOMPARE(w.boxes.Boxes, QStringList{Text(IDS_DEFAULTS_WARNING)}); // two lines
    }

    // Space on Envoyer hands the keyboard to Quitter while the send runs, and the send's end
    // gives it back unless the user moved it: a second Space sends again, never closes.
    void keyboardCommandGetsItsButtonBack_data() {
        QTest::addColumn<bool>("moved");
        QTest::newRow("left on Quitter") << false;
        QTest::newRow("moved to a field") << true;
    }
    void keyboardCommandGetsItsButtonBack() {
        QFETCH(bool, moved);
        CarWindow w;
        QVERIFY(QTest::qWaitForWindowActive(w.dialog.get()));
        w.Skin(ctl::kSend)->setFocus(Qt::TabFocusReason);
        w.time->Hold(true); // the send stays open until let go
        QTest::keyClick(w.dialog->windowHandle(), Qt::Key_Space);
        QCOMPARE(QApplication::focusWidget(), w.Skin(ctl::kExit));
        QWidget* const field = w.dialog->GetDlgItem(ctl::kWheelDiam);
        if (moved)
            field->setFocus(Qt::TabFocusReason);
        w.time->Hold(false);
        QVERIFY(w.Outcomes(1));
        QCOMPARE(QApplication::focusWidget(), moved ? field : w.Skin(ctl::kSend));
        QTest::keyClick(w.dialog->windowHandle(), Qt::Key_Space);
        QVERIFY(w.dialog->isVisible() && w.Outcomes(moved ? 0 : 1));
        QCOMPARE(w.car->FramesReceived(kReturnModeSetting), moved ? 1 : 2);
    }

    // A send refused at its third stage stops there; the next one carries the settings and the
    // chart's intensities.
    void sendStopsAtARefusalThenCarriesTheSettings() {
        CarWindow w;
        w.car->ArmFault(CarFault::WrongMnemonic, 2);
        w.Click(ctl::kSend);
        QVERIFY(w.Outcomes(1));
        QCOMPARE(w.car->FramesReceived(kStageSetting), 3);
        for (std::string_view later : {kTimeMaxSetting, kDistanceSetting, kReturnModeSetting})
            QCOMPARE(w.car->FramesReceived(later), 0);
        QCOMPARE(w.Pane0(), Text(IDS_COMM_ERROR));

        w.car->ClearFaults();
        w.dialog->Chart().OwnerHooks().onStageValueDragged(
            2, 37.9); // dragged: truncated toward zero on the wire
        w.Click(ctl::kSend);
        QVERIFY(w.Outcomes(1));
        const sim::CarSettings got = w.car->LastSettings();
        QCOMPARE(got.stageTimes, (std::array<int, kStageCount>{200, 400, 600, 800, 1000}));
        QCOMPARE(got.intensities, (std::array<int, kStageCount>{5, 10, 37, 20, 20}));
        QCOMPARE(got.timeMax, 1000);
        QCOMPARE(got.distance, RaceDistance(5000, 48));
        QCOMPARE(got.returnMode, 0);
        QCOMPARE(w.car->ConfigState(), 1);
    }

    void invalidFieldsSendNothing() {
        CarWindow w;
        w.boxes.Clear();
        // Set while the caret is elsewhere: only the send's own exchange refuses it.
        w.dialog->Item<QCheckBox>(ctl::kReturnMode)->setFocus();
        QCoreApplication::processEvents(); // the race length field's lost-focus exchange
        w.dialog->Item<QLineEdit>(ctl::kRaceLength)->setText("30001");
        w.Click(ctl::kSend);
        QCOMPARE(w.car->FramesReceived(kStageSetting), 0);
        QVERIFY(w.ButtonsEnabled(true));
        QCOMPARE(w.boxes.Boxes.size(), 1);
    }

    void aboutBoxReadsTheCarsVersion_data() {
        QTest::addColumn<bool>("answers");
        QTest::newRow("answer") << true;
        QTest::newRow("no answer") << false;
    }
    void aboutBoxReadsTheCarsVersion() {
        QFETCH(bool, answers);
        CarWindow w;
        w.boxes.Clear();
        w.car->SetVersion(1, 5);
        w.car->SetFault(CarFault::CorruptChecksum, !answers);
        CAboutDialog about(w.dialog->Controller(), w.dialog.get());
        QVERIFY(about.Create());
        QCOMPARE(w.Indicator().BlinkPeriod(), 500u);
        QVERIFY(!w.dialog->GetDlgItem(ctl::kBattery)->isEnabled()); // the placeholders lock
        QVERIFY(w.Outcomes(1));
        const QString shown = answers ? QStringLiteral("1.5") : QStringLiteral("x.x");
        QCOMPARE(about.Item<QLabel>(1073)->text(), shown);
        QCOMPARE(w.Pane0(), answers ? shown : Text(IDS_COMM_ERROR));
        QCOMPARE(w.boxes.Boxes, answers ? QStringList() : QStringList{Text(IDS_COMM_ERROR)});
        QCOMPARE(w.Indicator().BlinkPeriod(), 0u);
        QCOMPARE(w.Indicator().State(), answers ? 1 : 0);
        QVERIFY(w.dialog->GetDlgItem(ctl::kBattery)->isEnabled());
    }

    void aboutBoxCloses_data() {
        QTest::addColumn<int>("key"); // 0: a click on OK
        QTest::addColumn<int>("result");
        QTest::newRow("OK clicked") << 0 << int(QDialog::Accepted);
        QTest::newRow("Enter") << int(Qt::Key_Return) << int(QDialog::Accepted);
        QTest::newRow("Escape") << int(Qt::Key_Escape) << int(QDialog::Rejected);
    }
    void aboutBoxCloses() {
        QFETCH(int, key);
        CarWindow w(false);
        CAboutDialog about(w.dialog->Controller(), w.dialog.get());
        QVERIFY(about.Create());
        QVERIFY(!about.ReadPending()); // no car: no version to read
        QCOMPARE(about.Item<QLabel>(1073)->text(), QStringLiteral("x.x"));
        about.show();
        QVERIFY(QTest::qWaitForWindowActive(&about));
        auto* ok = about.Item<QPushButton>(kIdOk);
        QCOMPARE(about.focusWidget(), ok);
        if (key)
            QTest::keyClick(about.windowHandle(), Qt::Key(key));
        else
            QTest::mouseClick(ok, Qt::LeftButton);
        QVERIFY(!about.isVisible());
        QTEST(about.result(), "result");
    }

    // Escape before the version's answer frees the window at once; a battery read running keeps
    // its 200 ms blinking and disabled buttons until its outcome; the late answer changes nothing.
    void aboutBoxClosedEarly_data() {
        QTest::addColumn<bool>("reading");
        QTest::newRow("battery read running") << true;
        QTest::newRow("nothing else running") << false;
    }
    void aboutBoxClosedEarly() {
        QFETCH(bool, reading);
        CarWindow w;
        w.dialog->Controller().SetStatusText("before");
        w.time->Hold(true); // what the car does stays open until let go
        if (reading)
            w.Click(ctl::kBattery);
        {
            CAboutDialog about(w.dialog->Controller(), w.dialog.get());
            QVERIFY(about.Create());
            QCOMPARE(w.Indicator().BlinkPeriod(), 500u);
            about.show();
            QTest::keyClick(about.windowHandle(), Qt::Key_Escape);
            QVERIFY(!about.isVisible());
        }
        QCOMPARE(w.Indicator().BlinkPeriod(), reading ? 200u : 0u);
        QVERIFY(w.ButtonsEnabled(!reading));
        QVERIFY(w.dialog->GetDlgItem(ctl::kBattery)->isEnabled()); // its placeholders are back
        w.time->Hold(false);
        QVERIFY(w.Outcomes(reading ? 2 : 1)); // the version answer too, which nobody takes
        QCOMPARE(w.Pane0(), reading ? Text(IDS_BATTERY_LOADED) : QStringLiteral("before"));
        QCOMPARE(w.Indicator().BlinkPeriod(), 0u);
        QVERIFY(w.ButtonsEnabled(true));
    }
};

#include "CommandFlowsTest.moc"
DRIVO_TEST(CommandFlowsTest);
