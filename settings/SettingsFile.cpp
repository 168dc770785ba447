#include "SettingsFile.h"

#include "settings/ProfileFile.h"

namespace drivo {

bool SaveSettings(const RaceSettings& settings, std::uint16_t languageId, const std::string& path,
                  WriteCheck mayWrite) {
    ProfileFile file(path, mayWrite);
    if (!file.Load())
        return false;
    const auto write = [&](const char* key, long long value) {
        file.WriteString(kSettingsSection, key, std::to_string(value));
    };
    static constexpr const char* kTimeKeys[] = {"Time1", "Time2", "Time3", "Time4", "Time5"};
    static constexpr const char* kValueKeys[] = {"Value1", "Value2", "Value3", "Value4", "Value5"};
    for (int i = 0; i < kStageCount; ++i) {
        write(kTimeKeys[i], settings.Time[i]);
        write(kValueKeys[i], settings.Value[i]);
    }
    write("TimeMax", settings.TimeMax());
    write("WheelDiam", settings.WheelDiam);
    write("RaceLength", settings.RaceLength);
    write("LanguageId", languageId); // widened without sign
    return file.Commit();
}

} // namespace drivo
