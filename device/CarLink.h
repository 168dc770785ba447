// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the car is on its link, written once for the tool's link, the virtual car, the figures
// and the tests: how it is found on USB, the serial line it speaks, how long the bridge waits,
// and the command words of its frames.
#include "device/FtDriver.h"

#include <string_view>

namespace drivo {

// The product description of the car's FTDI bridge: the car is listed and opened by it.
inline constexpr char kCarDescription[] = "z-rallye";

// The serial line: 19200 baud, 8 data bits, 1 stop bit, no parity. The link sets no flow
// control, so the bridge keeps its default of none.
inline constexpr ULONG kBaudRate = 19200;
inline constexpr UCHAR kWordLength = FT_BITS_8;
inline constexpr UCHAR kStopBits = FT_STOP_BITS_1;
inline constexpr UCHAR kParity = FT_PARITY_NONE;
// What one byte costs on that line: a start bit, the 8 data bits and the stop bit.
inline constexpr int kBitsPerByte = 10;
// How long the bridge waits for the answer's bytes, and for a frame to go out.
inline constexpr ULONG kReadTimeoutMs = 5000;
inline constexpr ULONG kWriteTimeoutMs = 1000;

// The stages of the motor current profile: the stage setting numbers them 1 to kStageCount.
inline constexpr int kStageCount = 5;

// The command words: three capital letters after the frame's "$". Queries read a value back,
// settings are acknowledged.
inline constexpr std::string_view kBatteryQuery = "GVB";
inline constexpr std::string_view kConfigStateQuery = "GCS"; // whether settings were received
inline constexpr std::string_view kRaceTimeQuery = "GRT";
inline constexpr std::string_view kMaxSpeedQuery = "GMS";
inline constexpr std::string_view kVersionQuery = "GSV"; // major and minor
inline constexpr std::string_view kStageSetting = "SCL"; // stage number, end time, intensity
inline constexpr std::string_view kTimeMaxSetting = "SST";
inline constexpr std::string_view kDistanceSetting = "SAD"; // revolutions
inline constexpr std::string_view kReturnModeSetting = "SRM";

} // namespace drivo
