// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/Sleeper.h"

#include <thread>

namespace drivo {

Sleeper::~Sleeper() = default;

void RealSleeper::SleepFor(std::chrono::microseconds duration) {
    std::this_thread::sleep_for(duration);
}

std::chrono::microseconds RealSleeper::Now() const {
    return std::chrono::duration_cast<std::chrono::microseconds>(
        std::chrono::steady_clock::now().time_since_epoch());
}

} // namespace drivo
