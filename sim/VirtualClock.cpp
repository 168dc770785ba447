// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/VirtualClock.h"

namespace drivo::sim {

void VirtualClock::SleepFor(std::chrono::microseconds duration) {
    std::lock_guard guard(m_mutex);
    m_now += duration;
    m_sleeps.push_back(duration);
}

std::chrono::microseconds VirtualClock::Now() const {
    std::lock_guard guard(m_mutex);
    return m_now;
}

std::vector<std::chrono::microseconds> VirtualClock::Sleeps() const {
    std::lock_guard guard(m_mutex);
    return m_sleeps;
}

} // namespace drivo::sim
