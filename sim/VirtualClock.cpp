// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/VirtualClock.h"

namespace drivo::sim {

void VirtualClock::SleepFor(std::chrono::microseconds duration) {
    std::lock_guard guard(mutex_);
    now_ += duration;
    sleeps_.push_back(duration);
}

std::chrono::microseconds VirtualClock::Now() const {
    std::lock_guard guard(mutex_);
    return now_;
}

std::vector<std::chrono::microseconds> VirtualClock::Sleeps() const {
    std::lock_guard guard(mutex_);
    return sleeps_;
}

} // namespace drivo::sim
