#pragma once
// Writing the race settings to the INI file on close. The file is never read back.
#include "settings/ProfileFile.h"
#include "settings/RaceSettings.h"

#include <cstdint>
#include <string>

namespace drivo {

inline constexpr const char* kSettingsFileName = "Drivo.ini"; // in the working directory
inline constexpr const char* kSettingsSection = "Commande";

// Writes the 14 keys Time1, Value1, ... Time5, Value5, TimeMax, WheelDiam, RaceLength,
// LanguageId (in that order, as decimal "%d" text; LanguageId 0 to 65535) into the section
// "Commande" of the file at path, in one atomic replacement. ReturnMode is not written.
// Returns false when the file could not be written; the caller may ignore it, since a failed
// write is silent and leaves the old file as it was.
// mayWrite judges an existing file (see ProfileFile).
bool SaveSettings(const RaceSettings& settings, std::uint16_t languageId,
                  const std::string& path = kSettingsFileName,
                  WriteCheck mayWrite = OpensForUpdate);

} // namespace drivo
