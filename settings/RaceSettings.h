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

    // Named access to the array elements.
    std::int32_t& Time1() { return Time[0]; }
    std::int32_t Time1() const { return Time[0]; }
    std::int32_t& Time2() { return Time[1]; }
    std::int32_t Time2() const { return Time[1]; }
    std::int32_t& Time3() { return Time[2]; }
    std::int32_t Time3() const { return Time[2]; }
    std::int32_t& Time4() { return Time[3]; }
    std::int32_t Time4() const { return Time[3]; }
    std::int32_t& Time5() { return Time[4]; }
    std::int32_t Time5() const { return Time[4]; }
    std::int32_t& TimeMax() { return Time[kTimeMaxIndex]; }
    std::int32_t TimeMax() const { return Time[kTimeMaxIndex]; }
    std::int32_t& Value1() { return Value[0]; }
    std::int32_t Value1() const { return Value[0]; }
    std::int32_t& Value2() { return Value[1]; }
    std::int32_t Value2() const { return Value[1]; }
    std::int32_t& Value3() { return Value[2]; }
    std::int32_t Value3() const { return Value[2]; }
    std::int32_t& Value4() { return Value[3]; }
    std::int32_t Value4() const { return Value[3]; }
    std::int32_t& Value5() { return Value[4]; }
    std::int32_t Value5() const { return Value[4]; }
};

// Built-in defaults: 200/400/600/800/1000 ms at 5/10/20/20/20 %, TimeMax 1000, WheelDiam 48,
// RaceLength 5000, and languageId = userDefaultLanguageId. ReturnMode is left as it is.
void LoadDefaults(RaceSettings& settings, std::uint16_t& languageId,
                  std::uint16_t userDefaultLanguageId);

} // namespace drivo
