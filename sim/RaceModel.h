// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How the virtual car turns the settings it received into a race: the motor follows each
// stage's share of its top speed with some inertia until the distance (in motor revolutions)
// is covered or the maximum run time ends the run.
#include "device/CarLink.h"
#include "device/Drive.h"

#include <array>

namespace drivo::sim {

struct CarSettings {
    std::array<int, kStageCount> stageTimes{};  // end time of each stage, ms
    std::array<int, kStageCount> intensities{}; // percent of the maximum current
    int timeMax = 0;                            // ms
    int distance = 0;                           // motor revolutions
    int returnMode = 0;
};

struct RaceResult {
    int timeMs = 0;   // as GRT reports it
    int maxSpeed = 0; // motor speed in revolutions per minute, as GMS reports it
};

inline constexpr int kTopMotorRpm = 30000;

RaceResult SimulateRace(const CarSettings& settings);

} // namespace drivo::sim
