// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The floor of the car's exchanges: one open delay per transaction plus every byte of the
// frames and their answers at the car's baud rate. Anything above it is the program's own cost (or
// the bridge's).
#include "device/CarLink.h"
#include "device/CommandFrame.h"
#include "device/SendRequest.h"
#include "device/UsbLink.h"

#include <array>
#include <chrono>
#include <cstddef>
#include <string_view>

namespace drivo::bench {

// The profile every send figure sends.
inline SendRequest FloorRequest() {
    SendRequest r;
    r.target = 1;
    r.times = {500, 1000, 1500, 2000, 4000};
    r.values = {40, 70, 100, 90, 60};
    r.distance = RaceDistance(20000, 26);
    r.timeMax = 4000;
    r.returnMode = 1;
    return r;
}

// Seconds of `transactions` exchanges moving `bytes` over the line.
inline double FloorSeconds(int transactions, std::size_t bytes) {
    const double openDelay = std::chrono::duration<double>(kOpenRetryDelay).count() * transactions;
    return openDelay + static_cast<double>(bytes) * kBitsPerByte / kBaudRate;
}

// The floor of SendJob for the request.
inline double SendFloorSeconds(const SendRequest& r) {
    std::size_t bytes = 0;
    int transactions = 0;
    const auto frame = [&](std::string_view mnemonic, auto values) {
        bytes += FormatSetting(mnemonic, values).size() + kAcknowledgementLength;
        ++transactions;
    };
    for (int stage = 0; stage < kStageCount; ++stage)
        frame(kStageSetting, std::array<int, 3>{stage + 1, r.times[stage], r.values[stage]});
    frame(kTimeMaxSetting, std::array<int, 1>{r.timeMax});
    frame(kDistanceSetting, std::array<int, 1>{r.distance});
    frame(kReturnModeSetting, std::array<int, 1>{r.returnMode});
    return FloorSeconds(transactions, bytes);
}

// The floor of one query (its frame and its answer of known length).
inline double QueryFloorSeconds(std::string_view mnemonic) {
    const CommandInfo* info = FindCommand(mnemonic);
    return FloorSeconds(1, FormatQuery(mnemonic).size() + info->answerLength);
}

} // namespace drivo::bench
