// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/RaceModel.h"

#include <algorithm>

namespace drivo::sim {

namespace {
constexpr double kMotorTimeConstantMs = 250.0;
constexpr int kLongestTimedRace = 99999; // what the 5-digit race time can carry
} // namespace

RaceResult SimulateRace(const CarSettings& settings) {
    RaceResult result;
    if (settings.distance <= 0)
        return result;
    const int limit = std::clamp(settings.timeMax, 0, kLongestTimedRace);
    double rpm = 0.0;
    double revolutions = 0.0;
    int t = 0;
    while (t < limit && revolutions < settings.distance) {
        int intensity = 0;
        for (int i = 0; i < kStageCount; ++i) {
            if (t < settings.stageTimes[i]) {
                intensity = std::clamp(settings.intensities[i], 0, 100);
                break;
            }
        }
        const double target = kTopMotorRpm * intensity / 100.0;
        rpm += (target - rpm) / kMotorTimeConstantMs;
        revolutions += RevolutionsPerMs(rpm);
        result.maxSpeed = std::max(result.maxSpeed, static_cast<int>(rpm));
        ++t;
    }
    result.timeMs = t;
    return result;
}

} // namespace drivo::sim
