#pragma once
// Language ids in the platform's format (primary language in the low 10 bits, sublanguage in
// the upper 6) with the three-letter abbreviation that names a language bundle and the
// ISO 639 language / ISO 3166 country codes the desktop reports. Standard library only.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace drivo {

inline constexpr std::uint16_t kLangFrenchFrance = 1036;
inline constexpr std::uint16_t kLangEnglishUnitedStates = 1033;
inline constexpr std::uint16_t kPrimaryFrench = 12;
inline constexpr std::uint16_t kPrimaryEnglish = 9;

struct LanguageEntry {
    std::uint16_t Id;
    std::string_view Abbreviation; // "FRA", "ENU", ...
    std::string_view Language;     // "fr", "en", ...
    std::string_view Country;      // "FR", "US", ...
};

std::span<const LanguageEntry> LanguageTable();

constexpr std::uint16_t PrimaryLanguage(std::uint16_t id) { return id & 0x3FF; }
constexpr std::uint16_t SubLanguage(std::uint16_t id) { return id >> 10; }

// The abbreviation of a language id; nothing for an id the table lacks.
std::optional<std::string_view> LanguageAbbreviation(std::uint16_t id);
// The id of a language and country ("fr", "BE" -> 2060); case-insensitive; nothing when the
// table has no such pair.
std::optional<std::uint16_t> LanguageIdFromCodes(std::string_view language, std::string_view country);

// The bundle of a language beside a program: the program's path with its extension (from the
// last dot of the last path component, if any) replaced by the abbreviation and ".rcc":
// "/opt/drivo/drivo" + "ENU" -> "/opt/drivo/drivoENU.rcc".
std::string LanguageBundlePath(std::string_view programPath, std::string_view abbreviation);

} // namespace drivo
