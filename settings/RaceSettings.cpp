// SPDX-License-Identifier: GPL-3.0-or-later
#include "RaceSettings.h"

namespace drivo {

void LoadDefaults(RaceSettings& settings, std::uint16_t& languageId,
                  std::uint16_t userDefaultLanguageId) {
    settings.Time = {200, 400, 600, 800, 1000, 1000};
    settings.Value = {5, 10, 20, 20, 20};
    settings.WheelDiam = 48;
    settings.RaceLength = 5000;
    languageId = userDefaultLanguageId;
}

} // namespace drivo
