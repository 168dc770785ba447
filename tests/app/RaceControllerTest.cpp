// SPDX-License-Identifier: GPL-3.0-or-later
// The race controller without a window: what each command flow and each outcome has the window
// show, in the order the controller says it.
#include "AppTestSupport.h"
#include "TestMain.h"
#include "i18n/SafeFormat.h"

using namespace drivo;
using namespace drivo::test;
using drivo::sim::CarFault;

namespace {

using Command = void (RaceController::*)();

QString Box(MessageIcon icon, const QString& text) {
    return "box " + QString::number(int(icon)) + " " + text;
}

// The controller on the virtual car, every notification written down as a word.
struct Controller : VirtualCarParts {
    ScratchWorkingDir cwd; // the race journal goes here
    RaceController controller{{car, linkSleeper, messenger}};
    QStringList log;

    Controller() : VirtualCarParts(true) {
        RaceController* c = &controller;
        const auto note = [this](const QString& word) { log << word; };
        QObject::connect(c, &RaceController::statusText, [=](const QString& t) { note(t); });
        QObject::connect(c, &RaceController::outcomeShown,
                         [=](bool ok) { note(ok ? "green" : "red"); });
        QObject::connect(c, &RaceController::blinking,
                         [=](unsigned ms) { note("blink " + QString::number(ms)); });
        QObject::connect(c, &RaceController::commandsEnabled,
                         [=](bool on) { note(on ? "commands on" : "commands off"); });
        QObject::connect(c, &RaceController::batteryShown,
                         [=](int v) { note("battery " + QString::number(v)); });
        QObject::connect(c, &RaceController::raceResultsChanged, [=] { note("results"); });
        QObject::connect(c, &RaceController::journalAppended, [=] { note("journal"); });
        QObject::connect(c, &RaceController::messageBox,
                         [=](const QString& t, MessageIcon i) { note(Box(i, t)); });
        controller.CheckConnection();
        QVERIFY(Outcomes(2));
        log.clear();
    }
    ~Controller() { messenger->Shutdown(); }
};

} // namespace

Q_DECLARE_METATYPE(Command)
Q_DECLARE_METATYPE(JobOutcome)

class RaceControllerTest : public QObject {
    Q_OBJECT
private slots:
    // A launch disables the commands, says what it does and blinks; its outcome shows, stops
    // the blinking and gives the commands back. A failure is the communication error, red.
    void commandOutcomes_data() {
        QTest::addColumn<Command>("command");
        QTest::addColumn<int>("fault"); // -1: none
        QTest::addColumn<QStringList>("shown");
        const QString error = Text(IDS_COMM_ERROR);
        const QStringList failed = {"red", error, Box(MessageIcon::Stop, error)};
        const QString raceTime = FormatRaceTimeLoaded(Text(IDS_RACETIME_LOADED), 0);
        const auto row = [](const char* name, Command c, int fault, int loading, QStringList s) {
            const QStringList launch = {"commands off", loading ? Text(loading) : QString(),
                                        "blink 200"};
            QTest::newRow(name) << c << fault << launch + s + QStringList{"blink 0", "commands on"};
        };
        row("battery", &RaceController::OnBatteryButton, -1, IDS_BATTERY_LOADING,
            {"battery 11200", Text(IDS_BATTERY_LOADED), "green"});
        row("battery, corrupted", &RaceController::OnBatteryButton, int(CarFault::CorruptChecksum),
            IDS_BATTERY_LOADING, failed);
        row("race info", &RaceController::OnRaceInfoButton, -1, IDS_RACEINFO_LOADING,
            {"results", Text(IDS_RACEINFO_LOADED), "green", "journal"});
        row("race info, short", &RaceController::OnRaceInfoButton, int(CarFault::ShortReply),
            IDS_RACEINFO_LOADING, failed);
        row("race time", &RaceController::OnRaceTimeButton, -1, IDS_RACETIME_LOADING,
            {"green", raceTime, Box(MessageIcon::None, raceTime)});
        row("version", &RaceController::OnVersionButton, -1, IDS_VERSION_LOADING,
            {"Release: 1.5", "green"});
        row("version, silent", &RaceController::OnVersionButton, int(CarFault::Silent),
            IDS_VERSION_LOADING, failed);
        row("send", &RaceController::OnSendButton, -1, IDS_SENDING,
            {"green", Text(IDS_SENT), Box(MessageIcon::Information, Text(IDS_SENT))});
        row("send, wrong command", &RaceController::OnSendButton, int(CarFault::WrongMnemonic),
            IDS_SENDING, failed);
    }
    void commandOutcomes() {
        QFETCH(Command, command);
        QFETCH(int, fault);
        Controller c;
        c.car->SetVersion(1, 5);
        if (fault >= 0)
            c.car->SetFault(CarFault(fault), true);
        (c.controller.*command)();
        QVERIFY(c.Outcomes(1));
        QTEST(c.log, "shown");
    }

    // Outcomes as the jobs type them: a value, or none where a read failed.
    void typedOutcomes_data() {
        QTest::addColumn<JobOutcome>("outcome");
        QTest::addColumn<QStringList>("shown");
        const QString error = Text(IDS_COMM_ERROR);
        const QStringList failed = {"red", error, Box(MessageIcon::Stop, error)};
        const QString warning = Text(IDS_DEFAULTS_WARNING);
        QTest::newRow("defaults") << JobOutcome{WM_CONFIG_DONE, 0, {}}
                                  << QStringList{warning, Box(MessageIcon::Warning, warning),
                                                 "green"};
        QTest::newRow("own settings") << JobOutcome{WM_CONFIG_DONE, 1, {}} << QStringList{"green"};
        QTest::newRow("config failed") << JobOutcome::Failed(WM_CONFIG_DONE) << failed;
        QTest::newRow("time without speed") << JobOutcome{WM_RACEINFO_DONE, 1234, {}} << failed;
        QTest::newRow("speed without time") << JobOutcome{WM_RACEINFO_DONE, {}, 10} << failed;
        QTest::newRow("send refused") << JobOutcome::Failed(WM_SEND_DONE) << failed;
        QTest::newRow("version 2.10") << JobOutcome{WM_VERSION_DONE, 2 * 256 + 10, {}}
                                      << QStringList{"Release: 2.10", "green"};
    }
    void typedOutcomes() {
        QFETCH(JobOutcome, outcome);
        Controller c;
        c.messenger->Post(c.controller.Handle(), outcome);
        QVERIFY(c.Outcomes(1));
        QFETCH(QStringList, shown);
        const QStringList end = {"blink 0", "commands on"};
        QCOMPARE(c.log, shown + end);
    }
};

#include "RaceControllerTest.moc"
DRIVO_TEST(RaceControllerTest);
