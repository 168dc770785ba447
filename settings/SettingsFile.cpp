// SPDX-License-Identifier: GPL-3.0-or-later
#include "SettingsFile.h"

#include "settings/ProfileFile.h"

#include <cstring>

namespace drivo {

namespace {

// The keys in the order they are written; ReturnMode only in a profile.
bool Write(const RaceSettings& settings, std::uint16_t languageId, const std::string& path,
           WriteCheck mayWrite, bool withReturnMode, int& error) {
    ProfileFile file(path, mayWrite);
    const auto write = [&](const char* key, long long value) {
        file.WriteString(kSettingsSection, key, std::to_string(value));
    };
    const bool written = file.Load() && [&] {
        for (int i = 0; i < kStageCount; ++i) {
            write(kTimeKeys[i], settings.Time[i]);
            write(kValueKeys[i], settings.Value[i]);
        }
        write("TimeMax", settings.TimeMax());
        write("WheelDiam", settings.WheelDiam);
        write("RaceLength", settings.RaceLength);
        write("LanguageId", languageId); // widened without sign
        if (withReturnMode)
            write("ReturnMode", settings.ReturnMode);
        return file.Commit();
    }();
    error = written ? 0 : file.Error();
    return written;
}

} // namespace

bool SaveSettings(const RaceSettings& settings, std::uint16_t languageId, const std::string& path,
                  WriteCheck mayWrite) {
    int error = 0;
    return Write(settings, languageId, path, mayWrite, false, error);
}

bool SaveProfile(const RaceSettings& settings, std::uint16_t languageId, const std::string& path,
                 std::string& reason, WriteCheck mayWrite) {
    int error = 0;
    if (Write(settings, languageId, path, mayWrite, true, error))
        return true;
    reason = std::strerror(error);
    return false;
}

} // namespace drivo
