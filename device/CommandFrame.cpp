// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/CommandFrame.h"

#include "device/CarLink.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <type_traits>

namespace drivo {

namespace {

constexpr char kStart = '$';
constexpr char kCr = '\r';
constexpr char kLf = '\n';
// "$", the mnemonic and ",": where the first value field of a reply starts.
constexpr std::size_t kValueOffset = 5;
// The smallest reply the rules can check: a one-byte checksum span and the four trailing
// positions (separator, two digits, CR LF must lie inside the text).
constexpr std::size_t kShortestCheckable = 7;

std::uint8_t XorSpan(std::string_view bytes) {
    std::uint8_t sum = 0;
    for (char c : bytes)
        sum ^= static_cast<std::uint8_t>(c);
    return sum;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return 0;
}

// Reads a decimal integer the way "%d" does (white space, sign, digits), never past the text.
// Leaves `value` as it was when no digit follows.
void ReadDecimal(std::string_view text, std::size_t offset, int& value) {
    std::size_t i = offset;
    auto isSpace = [](char c) { return c == ' ' || (c >= '\t' && c <= '\r'); };
    while (i < text.size() && isSpace(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    if (i >= text.size() || text[i] < '0' || text[i] > '9')
        return;
    long long magnitude = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
        magnitude = std::min<long long>(magnitude * 10 + (text[i] - '0'), 1LL + INT_MAX);
    const long long signedValue = negative ? -magnitude : magnitude;
    value = static_cast<int>(std::clamp<long long>(signedValue, INT_MIN, INT_MAX));
}

// The text up to its first NUL, inside the bytes given.
std::string_view TextOf(std::string_view reply) {
    return reply.substr(0, std::min(reply.find('\0'), reply.size()));
}

bool StartsWithMnemonic(std::string_view text, std::string_view mnemonic) {
    return mnemonic.size() == 3 && text.size() >= 4 && text[0] == kStart &&
           text.substr(1, 3) == mnemonic;
}

bool EndsWithCrLf(std::string_view text) {
    return text.size() >= 2 && text[text.size() - 2] == kCr && text[text.size() - 1] == kLf;
}

std::string Padded(int value, int width) {
    const long long wide = value;
    std::string digits = std::to_string(wide < 0 ? -wide : wide);
    if (digits.size() < static_cast<std::size_t>(width))
        digits.insert(0, static_cast<std::size_t>(width) - digits.size(), '0');
    return wide < 0 ? "-" + digits : digits;
}

constexpr int kStageFieldWidths[] = {2, 5, 3};
constexpr int kFiveDigits[] = {5};
constexpr int kOneDigit[] = {1};

constexpr CommandInfo kCommands[] = {
    {kBatteryQuery, CommandKind::Query, {}, 15},
    {kConfigStateQuery, CommandKind::Query, {}, 11},
    {kRaceTimeQuery, CommandKind::Query, {}, 15},
    {kMaxSpeedQuery, CommandKind::Query, {}, 15},
    {kVersionQuery, CommandKind::Query, {}, 15},
    {kStageSetting, CommandKind::Setting, kStageFieldWidths, kAcknowledgementLength},
    {kTimeMaxSetting, CommandKind::Setting, kFiveDigits, kAcknowledgementLength},
    {kDistanceSetting, CommandKind::Setting, kFiveDigits, kAcknowledgementLength},
    {kReturnModeSetting, CommandKind::Setting, kOneDigit, kAcknowledgementLength},
};
static_assert(std::is_trivially_destructible_v<CommandInfo>);

} // namespace

std::span<const CommandInfo> CommandTable() {
    return kCommands;
}

const CommandInfo* FindCommand(std::string_view mnemonic) {
    for (const CommandInfo& info : CommandTable())
        if (info.mnemonic == mnemonic)
            return &info;
    return nullptr;
}

std::string FormatQuery(std::string_view mnemonic) {
    std::string frame(1, kStart);
    frame.append(mnemonic);
    frame += kCr;
    frame += kLf;
    return frame;
}

std::string FormatSetting(std::string_view mnemonic, std::span<const int> values) {
    const CommandInfo* info = FindCommand(mnemonic);
    if (info == nullptr || info->kind != CommandKind::Setting ||
        values.size() != info->fieldWidths.size())
        return {};
    std::string body(mnemonic);
    for (std::size_t i = 0; i < values.size(); ++i)
        body += "," + Padded(values[i], info->fieldWidths[i]);
    static constexpr char kHex[] = "0123456789abcdef";
    const std::uint8_t sum = XorSpan(body);
    std::string frame = kStart + body + ",";
    frame += kHex[sum >> 4];
    frame += kHex[sum & 0x0F];
    frame += kCr;
    frame += kLf;
    return frame;
}

std::uint8_t FrameChecksum(const char* data, std::uint8_t count) {
    if (data == nullptr || count == 0)
        return 0;
    return XorSpan(std::string_view(data, count));
}

int ParseValueReply(std::string_view mnemonic, std::size_t expectedLength, FT_STATUS status,
                    DWORD received, std::string_view reply) {
    if (status != FT_OK || received != expectedLength || reply.size() < received)
        return -1;
    const std::string_view text = TextOf(reply.substr(0, received));
    const std::size_t length = text.size();
    if (length < kShortestCheckable || !StartsWithMnemonic(text, mnemonic))
        return -1;
    const int expected = HexDigit(text[length - 4]) * 16 + HexDigit(text[length - 3]);
    if (XorSpan(text.substr(1, length - 6)) != expected || !EndsWithCrLf(text))
        return -1;

    int value = -1;
    ReadDecimal(text, kValueOffset, value);
    if (mnemonic != kVersionQuery)
        return value;
    int minor = -1;
    // The minor number follows the two-character major field and its comma.
    ReadDecimal(text, kValueOffset + 3, minor);
    const long long version = static_cast<long long>(value) * 256 + minor;
    return static_cast<int>(std::clamp<long long>(version, INT_MIN, INT_MAX));
}

int CheckAcknowledgement(std::string_view mnemonic, FT_STATUS status, DWORD received,
                         std::string_view reply) {
    if (status != FT_OK || received != kAcknowledgementLength || reply.size() < received)
        return 0;
    const std::string_view text = TextOf(reply.substr(0, received));
    return StartsWithMnemonic(text, mnemonic) && EndsWithCrLf(text) && text.size() >= 6 ? 1 : 0;
}

} // namespace drivo
