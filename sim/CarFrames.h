// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The car's side of the line protocol: reading the frames the tool sends and writing the
// replies, independent of the tool's own codec so each checks the other.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace drivo::sim {

struct ReceivedFrame {
    std::string mnemonic;
    bool isQuery = false;
    std::vector<int> fields; // settings only
};

// A query "$XXX\r\n" or a setting "$XXX,f,...,cc\r\n" with a matching checksum (either case);
// nothing for anything else.
std::optional<ReceivedFrame> ReadFrame(std::string_view line);
// "$" body "," checksum CR LF, the body being the mnemonic and the fields joined by ",".
std::string ValueReply(std::string_view mnemonic, const std::vector<std::string>& fields);
std::string Acknowledgement(std::string_view mnemonic);
std::string ZeroPadded(int value, int width);

} // namespace drivo::sim
