// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/DeviceJobs.h"
#include "TestMain.h"
#include "device/LinkTrace.h"
#include "sim/VirtualCar.h"
#include "sim/VirtualClock.h"
#include "sim/WaitForFreeCar.h"

#include <QProcess>
#include <QTest>

#include <climits>
#include <condition_variable>
#include <map>
#include <mutex>
#include <random>
#include <thread>

using namespace drivo;
using sim::CarFault;

namespace {

// The virtual car behind a device context, with virtual time on both sides of the line and a
// notifier that records every posted outcome.
struct Posted {
    WindowHandle target;
    JobOutcome outcome;
    unsigned message() const { return outcome.message; }
    // -1 for a failed read, as the expectations write it.
    int value() const { return outcome.value.value_or(-1); }
    int speed() const { return outcome.speedReading.value_or(-1); }
};

class RecordingNotifier final : public JobNotifier {
public:
    void Post(WindowHandle target, const JobOutcome& outcome) override {
        std::lock_guard g(m_mutex);
        m_posts.push_back({target, outcome});
        m_arrived.notify_all();
    }
    // A guard against a hang, not a timing expectation: the jobs use virtual time.
    bool WaitFor(std::size_t count) {
        std::unique_lock lock(m_mutex);
        return m_arrived.wait_for(lock, std::chrono::seconds(60),
                                  [&] { return m_posts.size() >= count; });
    }
    std::vector<Posted> Posts() {
        std::lock_guard g(m_mutex);
        return m_posts;
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_arrived;
    std::vector<Posted> m_posts;
};

struct CarRig {
    std::shared_ptr<sim::VirtualClock> carClock = std::make_shared<sim::VirtualClock>();
    std::shared_ptr<sim::VirtualClock> linkClock = std::make_shared<sim::VirtualClock>();
    std::shared_ptr<sim::VirtualCar> car = std::make_shared<sim::VirtualCar>(carClock);
    std::shared_ptr<RecordingNotifier> notifier = std::make_shared<RecordingNotifier>();
    std::shared_ptr<DeviceContext> context = CreateDeviceContext(car, notifier, linkClock);
};

inline std::unique_ptr<SendRequest> MakeRequest(WindowHandle target) {
    auto r = std::make_unique<SendRequest>();
    r->target = target;
    r->times = {500, 1000, 1500, 2000, 4000};
    r->values = {40, 70, 100, 90, 60};
    r->distance = RaceDistance(20000, 26);
    r->timeMax = 4000;
    r->returnMode = 1;
    return r;
}

constexpr WindowHandle kWindow = 0x1234;
constexpr int kNoFault = -1;
constexpr int kAbsent = -2;

struct Expected {
    QString job;
    int fault;
    unsigned message;
    qint64 value, speed; // -1: no value
    int openAttempts;
};

JobOutcome Run(const QString& job, DeviceContext& context) {
    using Job = JobOutcome (*)(DeviceContext&, WindowHandle);
    static const std::map<QString, Job> jobs = {{"Battery", BatteryJob},
                                                {"ConfigState", ConfigStateJob},
                                                {"RaceInfo", RaceInfoJob},
                                                {"RaceTime", RaceTimeJob},
                                                {"Version", VersionJob}};
    const auto it = jobs.find(job);
    return it != jobs.end() ? it->second(context, kWindow) : SendJob(context, MakeRequest(kWindow));
}

// Starts a random kind of job for target; returns the message its outcome must carry.
unsigned StartRandomJob(std::mt19937& random, const std::shared_ptr<DeviceContext>& context,
                        WindowHandle target) {
    using Start = void (*)(std::shared_ptr<DeviceContext>, WindowHandle);
    static const std::pair<Start, unsigned> kJobs[] = {
        {StartBatteryJob, WM_BATTERY_DONE},   {StartConfigStateJob, WM_CONFIG_DONE},
        {StartRaceInfoJob, WM_RACEINFO_DONE}, {StartRaceTimeJob, WM_RACETIME_DONE},
        {StartVersionJob, WM_VERSION_DONE},   {nullptr, WM_SEND_DONE}};
    const auto [start, message] = kJobs[std::uniform_int_distribution<int>(0, 5)(random)];
    if (start != nullptr)
        start(context, target);
    else
        StartSendJob(context, MakeRequest(target));
    return message;
}

// Real threads, virtual time: a retry waits only for the car to be closed.
std::shared_ptr<DeviceContext> TakingTurns(const CarRig& rig) {
    return CreateDeviceContext(rig.car, rig.notifier,
                               std::make_shared<sim::WaitForFreeCar>(rig.car));
}

} // namespace

Q_DECLARE_METATYPE(Expected)

class DeviceJobsTest : public QObject {
    Q_OBJECT
private slots:
    // Each job under each fault posts exactly one outcome with the right value, and leaves the
    // car closed, the lock free and the car without complaints.
    void oneOutcomePerJob_data() {
        QTest::addColumn<Expected>("expected");
        const QList<QPair<int, QString>> faults = {
            {kNoFault, "healthy"},
            {kAbsent, "absent"},
            {int(CarFault::Silent), "silent"},
            {int(CarFault::Slow), "slow"},
            {int(CarFault::ShortReply), "short reply"},
            {int(CarFault::CorruptChecksum), "bad checksum"},
            {int(CarFault::WrongMnemonic), "wrong mnemonic"},
            {int(CarFault::UnplugMidTransaction), "unplugged mid-way"}};
        // -1 is a failed read (or none made); -3 and -4 stand for the race time and speed of the
        // primed car (see the test body).
        for (const auto& [fault, name] : faults) {
            const bool ok = fault == kNoFault;
            const int absent = fault == kAbsent ? 100 : 1;
            auto row = [&](const char* job, unsigned msg, qint64 w, qint64 l, int opens) {
                QTest::addRow("%s, %s", job, qPrintable(name))
                    << Expected{job, fault, msg, w, l, opens};
            };
            row("Battery", WM_BATTERY_DONE, ok ? 11200 : -1, -1, absent);
            row("ConfigState", WM_CONFIG_DONE, ok ? 1 : -1, -1, absent);
            row("RaceTime", WM_RACETIME_DONE, ok ? -3 : -1, -1, absent);
            // Both reads are always made; after an unplug the second one finds no car.
            const int raceInfoOpens = fault == kAbsent                               ? 200
                                      : fault == int(CarFault::UnplugMidTransaction) ? 101
                                                                                     : 2;
            row("RaceInfo", WM_RACEINFO_DONE, ok ? -3 : -1, ok ? -4 : -1, raceInfoOpens);
            row("Version", WM_VERSION_DONE, ok ? 261 : -1, -1, absent);
            // Acknowledgements carry no checksum, so a corrupted checksum cannot refuse them.
            const bool sent = ok || fault == int(CarFault::CorruptChecksum);
            row("Send", WM_SEND_DONE, sent ? 1 : -1, -1, sent ? 8 : absent);
        }
    }
    void oneOutcomePerJob() {
        QFETCH(Expected, expected);
        auto [job, fault, message, value, speed, openAttempts] = expected;
        CarRig rig;
        // Primes the car with a profile to race with: the stages, then the settings.
        QCOMPARE(SendJob(*rig.context, MakeRequest(kWindow)).value, 1);
        QCOMPARE(
            rig.car->ReceivedMnemonics(),
            (std::vector<std::string>{"SCL", "SCL", "SCL", "SCL", "SCL", "SST", "SAD", "SRM"}));
        const sim::RaceResult race = rig.car->RunRace();
        QVERIFY(race.timeMs > 0 && race.maxSpeed > 0);
        value = value == -3 ? race.timeMs : value;
        speed = speed == -4 ? race.maxSpeed : speed;
        const int opensBefore = rig.car->OpenAttempts();
        const std::size_t postsBefore = rig.notifier->Posts().size();
        if (fault == kAbsent)
            rig.car->Unplug();
        if (fault >= 0)
            rig.car->SetFault(CarFault(fault), true);

        const JobOutcome outcome = Run(job, *rig.context);
        const auto posts = rig.notifier->Posts();
        QCOMPARE(posts.size(), postsBefore + 1);
        const Posted& p = posts.back();
        QCOMPARE(p.target, kWindow);
        QCOMPARE(p.message(), message);
        QCOMPARE(qint64(p.value()), value);
        QCOMPARE(qint64(p.speed()), speed);
        QCOMPARE(outcome.message, message);
        QCOMPARE(rig.car->OpenAttempts() - opensBefore, openAttempts);
        QVERIFY(!rig.car->IsOpen());
        QVERIFY(!rig.context->link.Mutex().IsHeld());
        QCOMPARE(rig.car->Violations(), std::vector<std::string>{});
    }

    // The trace sees every transaction of a send once, in order, with what went over the wire.
    void traceSeesEachTransaction_data() {
        QTest::addColumn<bool>("plugged");
        QTest::addColumn<QStringList>("mnemonics");
        QTest::addColumn<int>("status");
        QTest::addColumn<int>("openAttempts");
        const QStringList all = {"SCL", "SCL", "SCL", "SCL", "SCL", "SST", "SAD", "SRM"};
        QTest::newRow("healthy send") << true << all << int(FT_OK) << 1;
        QTest::newRow("no car") << false << QStringList{""} << int(FT_DEVICE_NOT_FOUND) << 100;
    }
    void traceSeesEachTransaction() {
        QFETCH(bool, plugged);
        QFETCH(QStringList, mnemonics);
        CarRig rig;
        if (!plugged)
            rig.car->Unplug();
        struct Seen {
            std::string frame, received;
            LinkTransaction t;
        };
        std::vector<Seen> seen;
        SetLinkTrace([&](const LinkTransaction& t) {
            seen.push_back({std::string(t.frame), std::string(t.received), t});
        });
        SendJob(*rig.context, MakeRequest(kWindow));
        SetLinkTrace(nullptr);
        QCOMPARE(int(seen.size()), int(mnemonics.size()));
        for (std::size_t i = 0; i < seen.size(); ++i) {
            const QString mnemonic = mnemonics[int(i)];
            const Seen& s = seen[i];
            QCOMPARE(QString::fromStdString(s.frame).mid(1, 3), mnemonic);
            QCOMPARE(s.frame.empty() || s.frame.ends_with("\r\n"), true);
            QCOMPARE(QString::fromStdString(s.received),
                     mnemonic.isEmpty() ? QString() : "$" + mnemonic + "\r\n");
            QTEST(int(s.t.status), "status");
            QTEST(s.t.openAttempts, "openAttempts");
            // The link's clock moves by its open delays alone (the car has a clock of its own).
            QCOMPARE(s.t.durationMs, 70.0 * s.t.openAttempts);
        }
    }

    // The time is kept when only the speed read fails.
    void raceInfoWithTimeButNoSpeed() {
        CarRig rig;
        rig.car->ArmFault(CarFault::Silent, 1);
        const JobOutcome outcome = RaceInfoJob(*rig.context, kWindow);
        QCOMPARE(outcome.value, 0);
        QCOMPARE(outcome.speedReading, std::nullopt);
    }

    void raceDistance_data() {
        QTest::addColumn<int>("length");
        QTest::addColumn<int>("diameter");
        QTest::addColumn<int>("revolutions");
        QTest::newRow("20000 mm, 26 mm") << 20000 << 26 << 682;
        QTest::newRow("no length") << 0 << 26 << 0;
        QTest::newRow("longest, smallest wheel") << 30000 << 1 << 26601;
        QTest::newRow("no wheel") << 20000 << 0 << 0;
    }
    void raceDistance() {
        QFETCH(int, length);
        QFETCH(int, diameter);
        QTEST(RaceDistance(length, diameter), "revolutions");
    }

    void topSpeed_data() {
        QTest::addColumn<int>("reading");
        QTest::addColumn<int>("diameter");
        QTest::addColumn<int>("speed");
        QTest::newRow("example") << 30000 << 26 << 52;
        QTest::newRow("negative reading") << -30000 << 26 << 0;
        // 99999 * 60 * 1000 * pi / (39/14) overflows 32 bits; the true value is kept.
        QTest::newRow("beyond 32 bits") << 99999 << 1000 << 6766;
        QTest::newRow("largest inputs saturate") << INT_MAX << INT_MAX << INT_MAX;
    }
    void topSpeed() {
        QFETCH(int, reading);
        QFETCH(int, diameter);
        QTEST(TopSpeedFromReading(reading, diameter), "speed");
    }

    // Jobs started together take turns on the car, and the finished jobs let go of the context
    // their caller dropped (ASan checks the request).
    void concurrentJobsTakeTurns() {
        CarRig rig;
        auto context = TakingTurns(rig);
        StartBatteryJob(context, 1);
        StartConfigStateJob(context, 2);
        StartRaceInfoJob(context, 3);
        StartSendJob(context, MakeRequest(4));
        StartVersionJob(context, 5);
        const std::weak_ptr<DeviceContext> watch = context;
        context.reset();
        QVERIFY(rig.notifier->WaitFor(5));
        std::map<WindowHandle, Posted> byTarget;
        for (const Posted& p : rig.notifier->Posts())
            byTarget[p.target] = p;
        QCOMPARE(byTarget.size(), std::size_t(5));
        QCOMPARE(byTarget[1].value(), 11200);
        QVERIFY(byTarget[2].value() == 0 || byTarget[2].value() == 1);
        QVERIFY(byTarget[3].value() == 0 && byTarget[3].speed() == 0);
        QCOMPARE(byTarget[4].value(), 1);
        QCOMPARE(byTarget[5].value(), 261);
        QCOMPARE(rig.car->FramesReceived(), 1 + 1 + 2 + 8 + 1);
        // The deadline only guards against a hang.
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        while (!watch.expired() && std::chrono::steady_clock::now() < deadline)
            std::this_thread::yield();
        QVERIFY(watch.expired());
        QCOMPARE(rig.car->Violations(), std::vector<std::string>{});
    }

    // Closing during a send: the program exits while the job is mid-transaction, and the job
    // still finishes and posts (a sanitizer run fails the program if it read freed memory).
    void jobOutlivesTheProgramsExit() {
#if defined(__SANITIZE_THREAD__)
        QSKIP("a freed read is AddressSanitizer's to find; ThreadSanitizer stops a process "
              "that forks with threads running");
#endif
        QProcess program;
        program.start(QStringLiteral(DRIVO_EXIT_DURING_JOB), {});
        QVERIFY(program.waitForFinished(120'000));
        QCOMPARE(program.readAllStandardError(), QByteArray());
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 0);
        QCOMPARE(program.readAllStandardOutput(), QByteArray("send outcome 1\n"));
    }

    // The soak, meant for ThreadSanitizer: waves of random jobs while faults strike at random.
    // Every job posts exactly one outcome of its kind, and between waves the car is closed and
    // the lock free.
    void concurrentJobsUnderFaults() {
        DRIVO_LONG_TRIAL();
        CarRig rig;
        auto context = TakingTurns(rig);
        std::mt19937 random(20261208);
        std::map<WindowHandle, unsigned> expected;
        WindowHandle next = 1;
        while (rig.car->FramesReceived() < 10'000) {
            // One fault, striking after a few more frames (an unplugged car is plugged back).
            const auto fault = CarFault(std::uniform_int_distribution<int>(0, 5)(random));
            rig.car->ArmFault(fault, std::uniform_int_distribution<int>(0, 15)(random));
            for (int i = 0; i < 8; ++i, ++next)
                expected[next] = StartRandomJob(random, context, next);
            QVERIFY2(rig.notifier->WaitFor(expected.size()), "jobs still waiting: deadlock");
            rig.car->ClearFaults();
            rig.car->Plug();
            QVERIFY(!rig.car->IsOpen());
            QVERIFY(!context->link.Mutex().IsHeld());
        }
        std::map<WindowHandle, int> outcomes;
        int failed = 0;
        for (const Posted& p : rig.notifier->Posts()) {
            ++outcomes[p.target];
            failed += p.outcome.value ? 0 : 1;
            QCOMPARE(p.message(), expected.at(p.target));
        }
        QCOMPARE(outcomes.size(), expected.size());
        for (const auto& [target, count] : outcomes)
            QCOMPARE(count, 1);
        QCOMPARE(rig.car->Violations(), std::vector<std::string>{});
        qInfo("%d transactions from %zu jobs, %d of them failed by a fault",
              rig.car->FramesReceived(), expected.size(), failed);
    }

    // The virtual car itself: only a change of presence is reported, and misuse is noticed (a
    // handle not open, overlapping opens, a read that would wait forever), so the checks of
    // Violations() above can fail.
    void virtualCarRecordsMisuse() {
        CarRig rig;
        int changes = 0;
        rig.car->SetPlugCallback([&] { ++changes; });
        rig.car->Unplug();
        rig.car->Unplug();
        rig.car->Plug();
        QCOMPARE(changes, 2);
        rig.car->SetListingFails(true);
        QCOMPARE(rig.context->link.CountMatchingDevices(), -1);
        DWORD done = 0;
        char buffer[16];
        QCOMPARE(rig.car->FT_Write(reinterpret_cast<FT_HANDLE>(77), "x", 1, &done),
                 FT_INVALID_HANDLE);
        FT_HANDLE h = nullptr, second = nullptr;
        QCOMPARE(rig.car->FT_OpenEx(kCarDescription, FT_OPEN_BY_DESCRIPTION, &h), FT_OK);
        QCOMPARE(rig.car->FT_OpenEx(kCarDescription, FT_OPEN_BY_DESCRIPTION, &second),
                 FT_DEVICE_NOT_OPENED);
        QCOMPARE(rig.car->FT_Close(h), FT_OK);
        QCOMPARE(rig.car->FT_Close(h), FT_INVALID_HANDLE);
        rig.car->SetFault(CarFault::Silent, true);
        QCOMPARE(rig.car->FT_OpenEx(kCarDescription, FT_OPEN_BY_DESCRIPTION, &h), FT_OK);
        QCOMPARE(rig.car->FT_Read(h, buffer, 15, &done), FT_OK); // no time-out set
        QCOMPARE(rig.car->FT_Close(h), FT_OK);
        QCOMPARE(rig.car->Violations().size(), std::size_t(3));
    }
};

#include "DeviceJobsTest.moc"
DRIVO_TEST(DeviceJobsTest);
