// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A sleeper that never waits: each sleep only moves a virtual clock forward and is recorded,
// so tests can check how long the link or the car would have waited.
#include "device/Sleeper.h"

#include <chrono>
#include <mutex>
#include <vector>

namespace drivo::sim {

class VirtualClock final : public Sleeper {
public:
    void SleepFor(std::chrono::microseconds duration) override;
    std::chrono::microseconds Now() const override;
    std::vector<std::chrono::microseconds> Sleeps() const;

private:
    mutable std::mutex m_mutex;
    std::chrono::microseconds m_now{0};
    std::vector<std::chrono::microseconds> m_sleeps;
};

} // namespace drivo::sim
