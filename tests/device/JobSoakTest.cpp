// Many concurrent jobs against the virtual car while its faults switch on and off at random:
// every job posts exactly one outcome of its kind, and between waves the car is closed and
// the link's lock is free. Meant for ThreadSanitizer; a deadlock fails within a bound.
#include "CarRig.h"
#include "TestMain.h"

#include <QTest>
#include <map>
#include <random>

using namespace drivo;
using namespace drivo::test;

namespace {

constexpr int kTransactions = 10'000;
constexpr int kJobsPerWave = 8;

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

// Arms one fault to strike after a few more frames (an unplugged car is plugged back after
// the wave).
void ArmRandomFault(std::mt19937& random, sim::VirtualCar& car) {
    static constexpr sim::CarFault kFaults[] = {
        sim::CarFault::Silent,        sim::CarFault::Slow,
        sim::CarFault::ShortReply,    sim::CarFault::CorruptChecksum,
        sim::CarFault::WrongMnemonic, sim::CarFault::UnplugMidTransaction};
    const auto fault = kFaults[std::uniform_int_distribution<int>(0, 5)(random)];
    car.ArmFault(fault, std::uniform_int_distribution<int>(0, 15)(random));
}

} // namespace

class JobSoakTest : public QObject {
    Q_OBJECT
private slots:
    void concurrentJobsUnderFaults() {
        CarRig rig;
        // The fast sleeper: no time passes, a retry waits only for the car to be closed.
        auto context = CreateDeviceContext(rig.car, rig.notifier,
                                           std::make_shared<sim::WaitForFreeCar>(rig.car));
        std::mt19937 random(20261208);
        std::map<WindowHandle, unsigned> expected;
        WindowHandle next = 1;
        while (rig.car->FramesReceived() < kTransactions) {
            ArmRandomFault(random, *rig.car);
            for (int i = 0; i < kJobsPerWave; ++i, ++next)
                expected[next] = StartRandomJob(random, context, next);
            // The bound that turns a deadlock into a failure (virtual time: never reached).
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
            failed += p.wParam == -1 || (p.message == WM_SEND_DONE && p.wParam == 0) ? 1 : 0;
            QCOMPARE(p.message, expected.at(p.target));
        }
        QCOMPARE(outcomes.size(), expected.size());
        for (const auto& [target, count] : outcomes)
            QCOMPARE(count, 1);
        QCOMPARE(rig.car->Violations(), std::vector<std::string>{});
        qInfo("%d transactions from %zu jobs, %d of them failed by a fault",
              rig.car->FramesReceived(), expected.size(), failed);
    }
};

#include "JobSoakTest.moc"
DRIVO_TEST(JobSoakTest);
