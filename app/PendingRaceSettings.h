#pragma once
// Stand-in for the settings library until it is merged: the record with its defaults and
// a save that only records what it would write. The main dialog reaches these through its
// LoadDefaults and SaveSettings members only, so the swap touches nothing else.
#include <cstdint>
#include <vector>

namespace drivo {

struct RaceSettings {
    std::int32_t Time[6];  // Time1..Time5, TimeMax
    std::int32_t Value[5]; // Value1..Value5
    std::int32_t RaceLength;
    std::int32_t WheelDiam;
    std::int32_t ReturnMode;
};

namespace pending {

// Writes the built-in defaults (ReturnMode untouched) and the user's language id.
void LoadDefaultSettings(RaceSettings& settings, std::uint16_t& languageId);

// What the INI writer would receive: one entry per save.
struct SavedSettings {
    RaceSettings Settings;
    std::uint16_t LanguageId;
};
void SaveSettingsFile(const RaceSettings& settings, std::uint16_t languageId);
std::vector<SavedSettings>& SavedSettingsLog();

} // namespace pending
} // namespace drivo
