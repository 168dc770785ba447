// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Writing the race settings to the INI file on close (never read back), and to a profile
// file the user names.
#include "settings/ProfileFile.h"
#include "settings/RaceSettings.h"

#include <cstdint>
#include <string>

namespace drivo {

inline constexpr const char* kSettingsFileName = "Drivo.ini"; // in the working directory
inline constexpr const char* kSettingsSection = "Commande";
inline constexpr const char* kTimeKeys[kStageCount] = {"Time1", "Time2", "Time3", "Time4", "Time5"};
inline constexpr const char* kValueKeys[kStageCount] = {"Value1", "Value2", "Value3", "Value4",
                                                        "Value5"};

// Writes the 14 keys Time1, Value1, ... Time5, Value5, TimeMax, WheelDiam, RaceLength,
// LanguageId (in that order, as decimal "%d" text; LanguageId 0 to 65535) into the section
// "Commande" of the file at path, in one atomic replacement. ReturnMode is not written.
// Returns false when the file could not be written; the caller may ignore it, since a failed
// write is silent and leaves the old file as it was.
// mayWrite judges an existing file (see ProfileFile).
bool SaveSettings(const RaceSettings& settings, std::uint16_t languageId,
                  const std::string& path = kSettingsFileName,
                  WriteCheck mayWrite = OpensForUpdate);

// A profile: the same file as SaveSettings writes, with ReturnMode (0 or 1) after LanguageId.
// On failure reason is the system's text for why, and the old file is as it was.
bool SaveProfile(const RaceSettings& settings, std::uint16_t languageId, const std::string& path,
                 std::string& reason, WriteCheck mayWrite = OpensForUpdate);

} // namespace drivo
