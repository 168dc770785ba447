// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Language ids in the platform's format (primary language in the low 10 bits, sublanguage in
// the upper 6) with the three-letter abbreviation that names a language bundle and the
// language / country codes Qt reports for a locale (ISO 639, two letters where there are;
// ISO 3166). Standard library only.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace drivo {

inline constexpr std::uint16_t kLangFrenchFrance = 1036;
inline constexpr std::uint16_t kLangEnglishUnitedStates = 1033;
// LANG_NEUTRAL with SUBLANG_DEFAULT: a language the table does not know.
inline constexpr std::uint16_t kLangNeutralDefault = 1024;
inline constexpr std::uint16_t kPrimaryNeutral = 0;
inline constexpr std::uint16_t kPrimaryFrench = 12;
inline constexpr std::uint16_t kPrimaryEnglish = 9;
// A primary id alone (sublanguage 0) is the language without a territory.
inline constexpr std::uint16_t kSubLangNeutral = 0;

struct LanguageEntry {
    std::uint16_t Id;
    std::string_view Abbreviation; // "FRA", "ENU", ...
    std::string_view Language;     // "fr", "en", ...
    std::string_view Country;      // "FR", "US", ...
};

std::span<const LanguageEntry> LanguageTable();

constexpr std::uint16_t PrimaryLanguage(std::uint16_t id) {
    return id & 0x3FF;
}
constexpr std::uint16_t SubLanguage(std::uint16_t id) {
    return id >> 10;
}

// The abbreviation of a language id; for a neutral id (a primary id alone) that of the
// language's main territory. Nothing for an id the table lacks.
std::optional<std::string_view> LanguageAbbreviation(std::uint16_t id);
// The id of a language and country ("fr", "BE" -> 2060), case-insensitive. A known language in
// a territory the table lacks gives the language's neutral id ("de", "BE" -> 7); an unknown
// language gives kLangNeutralDefault, never another language's id.
std::uint16_t LanguageIdFromCodes(std::string_view language, std::string_view country);

// The bundle of a language beside a program: the program's path with its extension (from the
// last dot of the last path component, if any) replaced by the abbreviation and ".rcc":
// "/opt/drivo/drivo" + "ENU" -> "/opt/drivo/drivoENU.rcc".
std::string LanguageBundlePath(std::string_view programPath, std::string_view abbreviation);

} // namespace drivo
