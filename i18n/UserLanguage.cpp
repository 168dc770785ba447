// SPDX-License-Identifier: GPL-3.0-or-later
#include "UserLanguage.h"

#include "i18n/LanguageTable.h"

namespace drivo {

std::uint16_t LanguageIdOfLocale(const QLocale& locale) {
    if (locale.language() == QLocale::C) // Qt's C locale speaks American English
        return kLangEnglishUnitedStates;
    if (locale.language() == QLocale::AnyLanguage)
        return kLangNeutralDefault;
    return LanguageIdFromCodes(QLocale::languageToCode(locale.language()).toStdString(),
                               QLocale::territoryToCode(locale.territory()).toStdString());
}

std::uint16_t UserDefaultLanguageId() {
    return LanguageIdOfLocale(QLocale::system());
}

} // namespace drivo
