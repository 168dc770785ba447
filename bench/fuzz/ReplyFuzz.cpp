// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer target over what the program accepts from outside: the car's replies (value
// replies and acknowledgements of every command) and the texts of language bundles given to
// the safe formatting. The first byte picks the check and its parameters; the rest is the
// reply or the text, held in a buffer of its exact size so a read past it is caught.
#include "device/CommandFrame.h"
#include "i18n/SafeFormat.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

namespace {

void CheckReply(std::uint8_t selector, const std::uint8_t* data, std::size_t size) {
    const auto& table = drivo::CommandTable();
    const drivo::CommandInfo& command = table[selector % table.size()];
    const std::vector<char> bytes(data, data + size); // exact size: ASan sees any overread
    const std::string_view reply(bytes.data(), bytes.size());
    // Claimed counts beside the true one: the checks must not trust them.
    const drivo::DWORD received = (selector & 0x40)
                                      ? static_cast<drivo::DWORD>(size)
                                      : static_cast<drivo::DWORD>(command.answerLength);
    const drivo::FT_STATUS status = (selector & 0x80) ? drivo::FT_IO_ERROR : drivo::FT_OK;
    if (command.kind == drivo::CommandKind::Query) {
        const int value =
            drivo::ParseValueReply(command.mnemonic, command.answerLength, status, received, reply);
        // Any number may come back (the car's digits, signs included); a failed read never
        // gives one.
        if (status != drivo::FT_OK && value != -1)
            std::abort();
    } else {
        const int ok = drivo::CheckAcknowledgement(command.mnemonic, status, received, reply);
        if (ok != 0 && ok != 1)
            std::abort();
    }
}

void FormatText(std::uint8_t selector, const std::uint8_t* data, std::size_t size) {
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    switch (selector % 8) {
    case 0:
        drivo::FormatRaceTimeLoaded(text, 123456);
        break;
    case 1:
        drivo::FormatChartStatus(text, -5, 2147483647);
        break;
    case 2:
        drivo::FormatTimedRace(text, -2147483647 - 1);
        break;
    case 3:
        drivo::FormatMaxSpeed(text, 1e308);
        break;
    case 4:
        drivo::FormatRangeMessage(text, -1, 30000);
        break;
    case 5:
        drivo::FormatPrintf(text, {});
        break;
    case 6:
        drivo::FormatPrintf(text, {1.5, 7, -0.0, 42L});
        break;
    default:
        drivo::FormatNumbered(text, {QStringLiteral("a"), QStringLiteral("%1"), QString()});
        break;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    const std::uint8_t selector = data[0];
    if (selector & 0x20)
        FormatText(selector, data + 1, size - 1);
    else
        CheckReply(selector, data + 1, size - 1);
    return 0;
}
