// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The limits of the race settings, as the settings fields enforce them. A profile read from a
// file is held to the same limits, so a file can never load what the fields would refuse.
#include <cstdint>

namespace drivo::limits {

// Each stage end time and TimeMax, in ms.
inline constexpr std::int32_t kTimeLow = 0;
inline constexpr std::int32_t kTimeHigh = 4000;
// TimeMax is checked against the last stage end time only while that time is below this.
inline constexpr std::int32_t kTimeMaxNeighbourBelow = 3000;
// Intensities, in % of Imax.
inline constexpr std::int32_t kValueLow = 0;
inline constexpr std::int32_t kValueHigh = 100;
// Race length in mm: the first check's bound, then the fixed limit that holds.
inline constexpr std::int32_t kRaceLengthLow = 0;
inline constexpr std::int32_t kRaceLengthFirstCheckHigh = 32000;
inline constexpr std::int32_t kRaceLengthHigh = 30000;
// Wheel diameter in mm.
inline constexpr std::int32_t kWheelDiamLow = 1;
inline constexpr std::int32_t kWheelDiamHigh = 1000;

} // namespace drivo::limits
