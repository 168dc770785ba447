// SPDX-License-Identifier: GPL-3.0-or-later
// Ends the program while a send job is mid-transaction, the way closing the window during a
// send does: the detached job goes on while exit destroys the program's static objects. An
// exit handler registered before the job first touches the device layer runs after those
// objects' destructors; only then does it let the job go on and wait for its outcome. Under
// AddressSanitizer a job that reads anything exit destroyed fails this program.
#include "device/DeviceJobs.h"
#include "sim/VirtualCar.h"
#include "sim/VirtualClock.h"

#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>

using namespace drivo;

namespace {

// Never destroyed, so the exit handler can still use them.
struct Gate {
    std::mutex mutex;
    std::condition_variable changed;
    bool held = false; // the job waits in its first open attempt
    bool open = false; // the exit handler let it go on
    int outcome = -1;  // what the job posted
};
Gate& gate = *new Gate;

// The link's sleeper: the first sleep (before the first open) parks the job at the gate.
class ParkingSleeper final : public Sleeper {
public:
    void SleepFor(std::chrono::microseconds d) override {
        std::unique_lock lock(gate.mutex);
        if (!gate.held) {
            gate.held = true;
            gate.changed.notify_all();
            gate.changed.wait(lock, [] { return gate.open; });
        }
        m_clock.SleepFor(d);
    }
    std::chrono::microseconds Now() const override { return m_clock.Now(); }

private:
    sim::VirtualClock m_clock;
};

class OutcomeNotifier final : public JobNotifier {
public:
    void Post(WindowHandle, const JobOutcome& outcome) override {
        std::lock_guard lock(gate.mutex);
        gate.outcome = outcome.value.value_or(0);
        gate.changed.notify_all();
    }
};

void LetTheJobFinish() {
    std::unique_lock lock(gate.mutex);
    gate.open = true;
    gate.changed.notify_all();
    gate.changed.wait(lock, [] { return gate.outcome >= 0; });
    std::printf("send outcome %d\n", gate.outcome);
    std::fflush(stdout);
}

} // namespace

int main() {
    std::atexit(LetTheJobFinish);
    auto car = std::make_shared<sim::VirtualCar>(std::make_shared<sim::VirtualClock>());
    auto context = CreateDeviceContext(car, std::make_shared<OutcomeNotifier>(),
                                       std::make_shared<ParkingSleeper>());
    auto request = std::make_unique<SendRequest>();
    request->times = {200, 400, 600, 800, 1000};
    request->values = {5, 10, 20, 20, 20};
    request->distance = RaceDistance(5000, 48);
    request->timeMax = 1000;
    StartSendJob(std::move(context), std::move(request));
    std::unique_lock lock(gate.mutex);
    gate.changed.wait(lock, [] { return gate.held; });
    return 0; // exit while the job holds the only reference to its context
}
