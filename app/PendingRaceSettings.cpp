#include "PendingRaceSettings.h"

#include <QLocale>

namespace drivo::pending {

void LoadDefaultSettings(RaceSettings& s, std::uint16_t& languageId) {
    static constexpr std::int32_t kTimes[6] = {200, 400, 600, 800, 1000, 1000};
    static constexpr std::int32_t kValues[5] = {5, 10, 20, 20, 20};
    for (int i = 0; i < 6; ++i)
        s.Time[i] = kTimes[i];
    for (int i = 0; i < 5; ++i)
        s.Value[i] = kValues[i];
    s.WheelDiam = 48;
    s.RaceLength = 5000;
    languageId = QLocale::system().language() == QLocale::French ? 1036 : 1033;
}

void SaveSettingsFile(const RaceSettings& settings, std::uint16_t languageId) {
    SavedSettingsLog().push_back({settings, languageId});
}

std::vector<SavedSettings>& SavedSettingsLog() {
    static std::vector<SavedSettings> log;
    return log;
}

} // namespace drivo::pending
