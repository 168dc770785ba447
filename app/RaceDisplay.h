// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The arithmetic behind the battery display, free of any window (the race results' speed is
// the drive's, device/Drive.h).
#include <cstdint>
#include <string>

namespace drivo {

struct Rgb {
    std::uint8_t R = 0, G = 0, B = 0;
    bool operator==(const Rgb&) const = default;
};

inline constexpr Rgb kBatteryGreen{0, 255, 0};
inline constexpr Rgb kBatteryOrange{255, 128, 80};
inline constexpr Rgb kBatteryRed{255, 0, 0};
inline constexpr Rgb kBatteryGrey{128, 128, 128};

// Offset of the top band (11000 to 11500): p = v * 50 / 1000 - c + 0.5. With c = 475 the
// band starts at 75 at 11000, where the band below ends, and reaches exactly 100 at 11500,
// where the band above begins, so the bar never jumps.
inline constexpr int kTopBandOffset = 475;

struct BatteryLook {
    int Percent = 0;
    std::string Text; // empty for "no reading"
    Rgb Colour;
    bool operator==(const BatteryLook&) const = default;
};

// Percentage (0..100), text and colour for a battery reading; negative means no reading.
BatteryLook BatteryLookFor(std::int32_t reading);

} // namespace drivo
