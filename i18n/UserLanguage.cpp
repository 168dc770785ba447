#include "UserLanguage.h"

#include "i18n/LanguageTable.h"

namespace drivo {

std::optional<std::uint16_t> LanguageIdOfLocale(const QLocale& locale) {
    if (locale.language() == QLocale::C || locale.language() == QLocale::AnyLanguage)
        return std::nullopt;
    return LanguageIdFromCodes(QLocale::languageToCode(locale.language()).toStdString(),
                               QLocale::territoryToCode(locale.territory()).toStdString());
}

std::optional<std::uint16_t> UserDefaultLanguageId() { return LanguageIdOfLocale(QLocale::system()); }

} // namespace drivo
