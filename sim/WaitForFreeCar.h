// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The link's sleeper for concurrent jobs on the virtual car: instead of waiting the retry delay
// it waits until the transaction holding the car has closed it, so retries neither spin nor
// run out, however the job threads are scheduled. The delays asked for are recorded.
#include "sim/VirtualCar.h"
#include "sim/VirtualClock.h"

#include <memory>

namespace drivo::sim {

class WaitForFreeCar final : public Sleeper {
public:
    explicit WaitForFreeCar(std::shared_ptr<VirtualCar> car) : m_car(std::move(car)) {}
    void SleepFor(std::chrono::microseconds d) override {
        record.SleepFor(d);
        m_car->WaitWhileOpen();
    }
    std::chrono::microseconds Now() const override { return record.Now(); }
    VirtualClock record;

private:
    std::shared_ptr<VirtualCar> m_car;
};

} // namespace drivo::sim
