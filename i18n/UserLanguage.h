#pragma once
// The user's default language as a platform language id, from the desktop's locale.
#include <QLocale>
#include <cstdint>
#include <optional>

namespace drivo {

// The id of a locale's language and country; nothing when the table has no such pair
// (including the "C" locale).
std::optional<std::uint16_t> LanguageIdOfLocale(const QLocale& locale);
// The id of QLocale::system().
std::optional<std::uint16_t> UserDefaultLanguageId();

} // namespace drivo
