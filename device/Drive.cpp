// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/Drive.h"

#include <cmath>
#include <limits>

namespace drivo {

std::int32_t RaceDistance(std::int32_t raceLengthMm, std::int32_t wheelDiameterMm) {
    if (wheelDiameterMm <= 0)
        return 0;
    const double revolutions = raceLengthMm * kDriveRatio / WheelCircumferenceMm(wheelDiameterMm);
    if (!(std::fabs(revolutions) < std::numeric_limits<std::int32_t>::max()))
        return 0;
    return static_cast<std::int32_t>(revolutions);
}

std::int32_t TopSpeedFromReading(std::int32_t reading, std::int32_t wheelDiameterMm) {
    // reading * 60, times the wheel's circumference, divided by the drive ratio, then
    // micro-units to units, truncated toward zero.
    const double a = static_cast<double>(static_cast<std::int64_t>(reading) * 60);
    const double b = std::trunc(a * WheelCircumferenceMm(wheelDiameterMm) / kDriveRatio);
    const double speed = std::trunc(b / 1000000.0);
    if (!(speed > 0)) // negative, zero or not a number
        return 0;
    constexpr double kMax = std::numeric_limits<std::int32_t>::max();
    return speed >= kMax ? std::numeric_limits<std::int32_t>::max()
                         : static_cast<std::int32_t>(speed);
}

} // namespace drivo
