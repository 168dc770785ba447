// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/SendRequest.h"

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

} // namespace drivo
