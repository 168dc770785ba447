// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The user's default language as a platform language id, from the desktop's locale.
#include <QLocale>
#include <cstdint>

namespace drivo {

// The id of a locale's language and country (see LanguageIdFromCodes); the "C" (POSIX)
// locale is English (United States), as Qt treats it.
std::uint16_t LanguageIdOfLocale(const QLocale& locale);
// The id of QLocale::system().
std::uint16_t UserDefaultLanguageId();

} // namespace drivo
