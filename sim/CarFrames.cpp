// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/CarFrames.h"

#include <algorithm>
#include <cstdint>

namespace drivo::sim {

namespace {

std::uint8_t Xor(std::string_view text) {
    std::uint8_t sum = 0;
    for (char c : text)
        sum ^= static_cast<std::uint8_t>(c);
    return sum;
}

int Hex(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

std::optional<int> Number(std::string_view text) {
    if (text.empty() || text.size() > 9)
        return std::nullopt;
    int value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

} // namespace

std::optional<ReceivedFrame> ReadFrame(std::string_view line) {
    if (line.size() < 6 || line[0] != '$' || !line.ends_with("\r\n"))
        return std::nullopt;
    ReceivedFrame frame;
    frame.mnemonic = std::string(line.substr(1, 3));
    if (!std::all_of(frame.mnemonic.begin(), frame.mnemonic.end(),
                     [](char c) { return c >= 'A' && c <= 'Z'; }))
        return std::nullopt;
    if (line.size() == 6) {
        frame.isQuery = true;
        return frame;
    }
    // "$" body "," h l CR LF
    if (line.size() < 11 || line[4] != ',' || line[line.size() - 5] != ',')
        return std::nullopt;
    const int high = Hex(line[line.size() - 4]);
    const int low = Hex(line[line.size() - 3]);
    const std::string_view body = line.substr(1, line.size() - 6);
    if (high < 0 || low < 0 || Xor(body) != high * 16 + low)
        return std::nullopt;
    std::string_view rest = body.substr(4);
    while (true) {
        const std::size_t comma = rest.find(',');
        const auto value = Number(rest.substr(0, comma));
        if (!value)
            return std::nullopt;
        frame.fields.push_back(*value);
        if (comma == std::string_view::npos)
            break;
        rest = rest.substr(comma + 1);
    }
    return frame;
}

std::string ValueReply(std::string_view mnemonic, const std::vector<std::string>& fields) {
    std::string body(mnemonic);
    for (const std::string& field : fields)
        body += "," + field;
    static constexpr char kHex[] = "0123456789abcdef";
    const std::uint8_t sum = Xor(body);
    return "$" + body + "," + kHex[sum >> 4] + kHex[sum & 0x0F] + "\r\n";
}

std::string Acknowledgement(std::string_view mnemonic) {
    return "$" + std::string(mnemonic) + "\r\n";
}

std::string ZeroPadded(int value, int width) {
    std::string digits = std::to_string(std::max(value, 0));
    if (digits.size() < static_cast<std::size_t>(width))
        digits.insert(0, static_cast<std::size_t>(width) - digits.size(), '0');
    return digits;
}

} // namespace drivo::sim
