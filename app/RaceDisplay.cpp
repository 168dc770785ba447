// SPDX-License-Identifier: GPL-3.0-or-later
#include "RaceDisplay.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

namespace drivo {

namespace {

int Band(double v, double slopePer1000, double offset) {
    const int p = static_cast<int>(v * slopePer1000 / 1000.0 - offset + 0.5);
    return std::clamp(p, 0, 100);
}

std::string PercentText(int p) {
    char text[16];
    std::snprintf(text, sizeof text, "%2.2d%%", p);
    return text;
}

} // namespace

BatteryLook BatteryLookFor(std::int32_t v) {
    if (v < 0)
        return {50, std::string(), kBatteryGrey};
    const double d = v;
    if (v > 11500)
        return {100, "100%", kBatteryGreen};
    if (v >= 11000) {
        const int p = Band(d, 50, kTopBandOffset);
        return {p, PercentText(p), kBatteryGreen};
    }
    if (v >= 10000) {
        const int p = Band(d, 60, 585);
        return {p, PercentText(p), kBatteryOrange};
    }
    if (v >= 9500) {
        const int p = Band(d, 30, 285);
        return {p, PercentText(p), kBatteryRed};
    }
    return {0, PercentText(0), kBatteryRed};
}

} // namespace drivo
