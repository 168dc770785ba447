#pragma once
// The virtual car behind a device context, with virtual time on both sides of the line and a
// notifier that records every posted outcome.
#include "device/DeviceJobs.h"
#include "sim/VirtualCar.h"
#include "sim/VirtualClock.h"
#include "sim/WaitForFreeCar.h"

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <vector>

namespace drivo::test {

struct Posted {
    WindowHandle target;
    unsigned message;
    std::intptr_t wParam, lParam;
};

class RecordingNotifier final : public JobNotifier {
public:
    void Post(WindowHandle target, unsigned message, std::intptr_t w, std::intptr_t l) override {
        std::lock_guard g(mutex_);
        posts_.push_back({target, message, w, l});
        arrived_.notify_all();
    }
    // A guard against a hang, not a timing expectation: the jobs use virtual time.
    bool WaitFor(std::size_t count) {
        std::unique_lock lock(mutex_);
        return arrived_.wait_for(lock, std::chrono::seconds(60),
                                 [&] { return posts_.size() >= count; });
    }
    std::vector<Posted> Posts() {
        std::lock_guard g(mutex_);
        return posts_;
    }

private:
    std::mutex mutex_;
    std::condition_variable arrived_;
    std::vector<Posted> posts_;
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

} // namespace drivo::test
