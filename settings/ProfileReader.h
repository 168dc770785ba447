// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Opening a profile file: its text to the race settings, every value held to the ranges and the
// order the settings fields apply, so a file never loads what the fields would refuse.
#include "settings/RaceSettings.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace drivo {

// Far above any profile; a larger file is no profile.
inline constexpr std::size_t kMaxProfileSize = 64 * 1024;

// Why a profile is not loaded: the first key whose value is refused, or the file itself.
struct ProfileRefusal {
    std::string Key;                // empty when the file itself is refused
    std::string Value;              // the value's text as found; empty when the key is missing
    std::int32_t Low = 0, High = 0; // the range the value must be in, its neighbours included
    std::string Reason;             // the system's text when the file itself is refused
    bool operator==(const ProfileRefusal&) const = default;
};

struct ProfileRead {
    std::optional<RaceSettings> Settings; // set only when every value passed
    ProfileRefusal Refusal;               // otherwise
};

// The keys are checked in the order they are written, each a whole decimal number: Time1 to
// Time5 each from the previous end time (0 for Time1) to 4000, Value1 to Value5 from 0 to 100,
// TimeMax from Time5 to 4000, WheelDiam 1 to 1000, RaceLength 0 to 30000, ReturnMode 0 or 1
// (0 when absent). A missing key is refused like a wrong value; other keys and sections, and
// LanguageId, are ignored. Names match without regard to letter case.
ProfileRead ReadProfileText(std::string_view text);

// The same checks on a record, e.g. a profile kept in the race journal.
ProfileRead CheckProfile(const RaceSettings& settings);

// Reads the file at path: one that cannot be opened or read, a directory or any other entry
// that is no regular file, one above kMaxProfileSize or one that is not UTF-8 text (NUL bytes
// included) is refused with the system's reason.
ProfileRead OpenProfile(const std::string& path);

} // namespace drivo
