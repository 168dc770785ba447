// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The block of fourteen words the send flow fills for SendJob, in word order. Word 0, the
// window to notify, is kept at the width of a window handle so that it is never truncated.
#include "device/CarLink.h"
#include "device/Drive.h"
#include "device/JobNotifier.h"

#include <array>
#include <cstdint>

namespace drivo {

struct SendRequest {
    WindowHandle target = 0;                        // word 0
    std::array<std::int32_t, kStageCount> times{};  // words 1-5: stage time limits, ms
    std::array<std::int32_t, kStageCount> values{}; // words 6-10: intensities, % of Imax
    std::int32_t distance = 0;                      // word 11: revolutions, see RaceDistance
    std::int32_t timeMax = 0;                       // word 12: maximum run time, ms
    std::int32_t returnMode = 0;                    // word 13: 1 = return option ticked
};

} // namespace drivo
