// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The run settings the user prepares for one race: a five-stage motor current profile, the
// maximum run time, the track length, the wheel diameter and the return option.
#include "device/CarLink.h"

#include <array>
#include <cstdint>

namespace drivo {

// The five stage end times and TimeMax form one array: TimeMax is its sixth element.
inline constexpr int kTimeCount = kStageCount + 1;
inline constexpr int kTimeMaxIndex = kStageCount;

struct RaceSettings {
    // Two parallel arrays, times then intensities: Time[i] and Value[i] are stage i + 1.
    std::array<std::int32_t, kTimeCount> Time{};   // ms: Time1 ... Time5, TimeMax
    std::array<std::int32_t, kStageCount> Value{}; // % of Imax: Value1 ... Value5
    std::int32_t RaceLength = 0;                   // mm
    std::int32_t WheelDiam = 0;                    // mm
    std::int32_t ReturnMode = 0;                   // 0 or 1

    // TimeMax by name.
    std::int32_t& TimeMax() { return Time[kTimeMaxIndex]; }
    std::int32_t TimeMax() const { return Time[kTimeMaxIndex]; }
};

// Built-in defaults: 200/400/600/800/1000 ms at 5/10/20/20/20 %, TimeMax 1000, WheelDiam 48,
// RaceLength 5000, and languageId = userDefaultLanguageId. ReturnMode is left as it is.
void LoadDefaults(RaceSettings& settings, std::uint16_t& languageId,
                  std::uint16_t userDefaultLanguageId);

} // namespace drivo
