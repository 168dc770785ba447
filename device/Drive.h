// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The car's drive as its firmware counts it, and every conversion between the settings'
// millimetres and the car's revolutions: the race distance sent to the car and the top speed
// read back use the same ratio and the same pi, so they agree in both directions. Standard
// library only.
#include <cstdint>

namespace drivo {

// Revolutions the car counts per turn of the wheel.
inline constexpr double kDriveRatio = 39.0 / 14.0; // 2.7857142857142856
// Pi as the car's formulas write it (not the full double), for the wheel's circumference.
inline constexpr double kWheelPi = 3.14159265;

inline constexpr double WheelCircumferenceMm(double diameterMm) {
    return diameterMm * kWheelPi;
}

// The car reads its speed in revolutions per minute.
inline constexpr double RevolutionsPerMs(double revolutionsPerMinute) {
    return revolutionsPerMinute / 60000.0;
}

// Race length as a count of revolutions: length * kDriveRatio / circumference, truncated toward
// zero. A diameter of 0 or less gives 0 rather than a division by zero.
std::int32_t RaceDistance(std::int32_t raceLengthMm, std::int32_t wheelDiameterMm);

// The top speed shown for the race's speed reading and the wheel diameter in mm; never
// negative. The product is formed in 64-bit/double arithmetic, so readings and diameters
// beyond what 32 bits hold still give the true value (saturated at INT32_MAX).
std::int32_t TopSpeedFromReading(std::int32_t reading, std::int32_t wheelDiameterMm);

} // namespace drivo
