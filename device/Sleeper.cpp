#include "device/Sleeper.h"

#include <thread>

namespace drivo {

Sleeper::~Sleeper() = default;

void RealSleeper::SleepFor(std::chrono::microseconds duration) {
    std::this_thread::sleep_for(duration);
}

} // namespace drivo
