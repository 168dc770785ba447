// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The ASCII command lines exchanged with the car: building queries and settings, the XOR
// checksum, and accepting or refusing the car's answers. Stateless and thread-safe.
#include "device/FtDriver.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace drivo {

// Every transaction builds its command and receives its answer in buffers of this size.
inline constexpr std::size_t kFrameBufferSize = 1024;
inline constexpr std::size_t kAcknowledgementLength = 6;

enum class CommandKind { Query, Setting };

// Constant data with nothing to destroy: a detached job may still read it while the program's
// exit runs the destructors of everything else.
struct CommandInfo {
    std::string_view mnemonic;
    CommandKind kind;
    std::span<const int> fieldWidths; // decimal, zero-padded; empty for queries
    std::size_t answerLength;         // N: value reply length, or 6 for an acknowledgement
};

std::span<const CommandInfo> CommandTable();
// Null when the mnemonic is not in the table.
const CommandInfo* FindCommand(std::string_view mnemonic);

// "$", the mnemonic, CR LF.
std::string FormatQuery(std::string_view mnemonic);
// "$", body, ",", two lower-case hex checksum digits, CR LF, the body being the mnemonic and
// each value printed with the table's width. Empty when the mnemonic is not a setting of the
// table or the number of values does not match its fields.
std::string FormatSetting(std::string_view mnemonic, std::span<const int> values);
// XOR of the first count bytes; 0 when count is 0 (nothing is read then).
std::uint8_t FrameChecksum(const char* data, std::uint8_t count);

// The value of an accepted reply, or -1. For GSV: major * 256 + minor. `reply` holds the bytes
// received (Transact's buffer); nothing outside it is read, and its length L is counted up to
// its first NUL. Replies with L below 7 are refused.
int ParseValueReply(std::string_view mnemonic, std::size_t expectedLength, FT_STATUS status,
                    DWORD received, std::string_view reply);
// 1 when the 6-byte acknowledgement of the setting is accepted, else 0.
int CheckAcknowledgement(std::string_view mnemonic, FT_STATUS status, DWORD received,
                         std::string_view reply);

} // namespace drivo
