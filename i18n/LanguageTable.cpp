#include "LanguageTable.h"

#include <algorithm>
#include <array>

namespace drivo {

namespace {

constexpr std::array kTable = {
    LanguageEntry{1036, "FRA", "fr", "FR"}, LanguageEntry{2060, "FRB", "fr", "BE"},
    LanguageEntry{3084, "FRC", "fr", "CA"}, LanguageEntry{4108, "FRS", "fr", "CH"},
    LanguageEntry{5132, "FRL", "fr", "LU"}, LanguageEntry{6156, "FRM", "fr", "MC"},
    LanguageEntry{1033, "ENU", "en", "US"}, LanguageEntry{2057, "ENG", "en", "GB"},
    LanguageEntry{3081, "ENA", "en", "AU"}, LanguageEntry{4105, "ENC", "en", "CA"},
    LanguageEntry{5129, "ENZ", "en", "NZ"}, LanguageEntry{6153, "ENI", "en", "IE"},
    LanguageEntry{7177, "ENS", "en", "ZA"}, LanguageEntry{16393, "ENN", "en", "IN"},
    LanguageEntry{1031, "DEU", "de", "DE"}, LanguageEntry{2055, "DES", "de", "CH"},
    LanguageEntry{3079, "DEA", "de", "AT"}, LanguageEntry{1040, "ITA", "it", "IT"},
    LanguageEntry{2064, "ITS", "it", "CH"}, LanguageEntry{3082, "ESN", "es", "ES"},
    LanguageEntry{2058, "ESM", "es", "MX"}, LanguageEntry{1043, "NLD", "nl", "NL"},
    LanguageEntry{2067, "NLB", "nl", "BE"}, LanguageEntry{2070, "PTG", "pt", "PT"},
    LanguageEntry{1046, "PTB", "pt", "BR"},
};

bool EqualsNoCase(std::string_view a, std::string_view b) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [&](char x, char y) { return lower(x) == lower(y); });
}

} // namespace

std::span<const LanguageEntry> LanguageTable() { return kTable; }

std::optional<std::string_view> LanguageAbbreviation(std::uint16_t id) {
    const auto it = std::find_if(kTable.begin(), kTable.end(), [&](const LanguageEntry& e) { return e.Id == id; });
    return it == kTable.end() ? std::nullopt : std::optional(it->Abbreviation);
}

std::optional<std::uint16_t> LanguageIdFromCodes(std::string_view language, std::string_view country) {
    const auto it = std::find_if(kTable.begin(), kTable.end(), [&](const LanguageEntry& e) {
        return EqualsNoCase(e.Language, language) && EqualsNoCase(e.Country, country);
    });
    return it == kTable.end() ? std::nullopt : std::optional(it->Id);
}

std::string LanguageBundlePath(std::string_view programPath, std::string_view abbreviation) {
    const auto slash = programPath.find_last_of('/');
    const auto nameStart = slash == std::string_view::npos ? 0 : slash + 1;
    const auto dot = programPath.find_last_of('.');
    const auto stem = dot != std::string_view::npos && dot >= nameStart ? dot : programPath.size();
    std::string path(programPath.substr(0, stem));
    path.append(abbreviation).append(".rcc");
    return path;
}

} // namespace drivo
