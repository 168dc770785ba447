// SPDX-License-Identifier: GPL-3.0-or-later
#include "LanguageTable.h"

#include "settings/AsciiCase.h"

#include <algorithm>
#include <array>

namespace drivo {

namespace {

// Grouped by language, in the order of the primary ids; each language's main territory comes
// first: a language's neutral id stands for it.
// clang-format off
constexpr std::array<LanguageEntry, 215> kTable = {{
    {0x0401, "ARA", "ar", "SA"}, {0x0801, "ARI", "ar", "IQ"}, {0x0C01, "ARE", "ar", "EG"},
    {0x1001, "ARL", "ar", "LY"}, {0x1401, "ARG", "ar", "DZ"}, {0x1801, "ARM", "ar", "MA"},
    {0x1C01, "ART", "ar", "TN"}, {0x2001, "ARO", "ar", "OM"}, {0x2401, "ARY", "ar", "YE"},
    {0x2801, "ARS", "ar", "SY"}, {0x2C01, "ARJ", "ar", "JO"}, {0x3001, "ARB", "ar", "LB"},
    {0x3401, "ARK", "ar", "KW"}, {0x3801, "ARU", "ar", "AE"}, {0x3C01, "ARH", "ar", "BH"},
    {0x4001, "ARQ", "ar", "QA"},
    {0x0402, "BGR", "bg", "BG"},
    {0x0403, "CAT", "ca", "ES"},
    {0x0804, "CHS", "zh", "CN"}, {0x0404, "CHT", "zh", "TW"}, {0x0C04, "ZHH", "zh", "HK"},
    {0x1004, "ZHI", "zh", "SG"}, {0x1404, "ZHM", "zh", "MO"},
    {0x0405, "CSY", "cs", "CZ"},
    {0x0406, "DAN", "da", "DK"},
    {0x0407, "DEU", "de", "DE"}, {0x0807, "DES", "de", "CH"}, {0x0C07, "DEA", "de", "AT"},
    {0x1007, "DEL", "de", "LU"}, {0x1407, "DEC", "de", "LI"},
    {0x0408, "ELL", "el", "GR"},
    {0x0409, "ENU", "en", "US"}, {0x0809, "ENG", "en", "GB"}, {0x0C09, "ENA", "en", "AU"},
    {0x1009, "ENC", "en", "CA"}, {0x1409, "ENZ", "en", "NZ"}, {0x1809, "ENI", "en", "IE"},
    {0x1C09, "ENS", "en", "ZA"}, {0x2009, "ENJ", "en", "JM"}, {0x2809, "ENL", "en", "BZ"},
    {0x2C09, "ENT", "en", "TT"}, {0x3009, "ENW", "en", "ZW"}, {0x3409, "ENP", "en", "PH"},
    {0x4009, "ENN", "en", "IN"}, {0x4409, "ENM", "en", "MY"}, {0x4809, "ENE", "en", "SG"},
    {0x0C0A, "ESN", "es", "ES"}, {0x080A, "ESM", "es", "MX"}, {0x100A, "ESG", "es", "GT"},
    {0x140A, "ESC", "es", "CR"}, {0x180A, "ESA", "es", "PA"}, {0x1C0A, "ESD", "es", "DO"},
    {0x200A, "ESV", "es", "VE"}, {0x240A, "ESO", "es", "CO"}, {0x280A, "ESR", "es", "PE"},
    {0x2C0A, "ESS", "es", "AR"}, {0x300A, "ESF", "es", "EC"}, {0x340A, "ESL", "es", "CL"},
    {0x380A, "ESY", "es", "UY"}, {0x3C0A, "ESZ", "es", "PY"}, {0x400A, "ESB", "es", "BO"},
    {0x440A, "ESE", "es", "SV"}, {0x480A, "ESH", "es", "HN"}, {0x4C0A, "ESI", "es", "NI"},
    {0x500A, "ESU", "es", "PR"}, {0x540A, "EST", "es", "US"},
    {0x040B, "FIN", "fi", "FI"},
    {0x040C, "FRA", "fr", "FR"}, {0x080C, "FRB", "fr", "BE"}, {0x0C0C, "FRC", "fr", "CA"},
    {0x100C, "FRS", "fr", "CH"}, {0x140C, "FRL", "fr", "LU"}, {0x180C, "FRM", "fr", "MC"},
    {0x200C, "FRR", "fr", "RE"}, {0x240C, "FRD", "fr", "CD"}, {0x280C, "FRN", "fr", "SN"},
    {0x2C0C, "FRE", "fr", "CM"}, {0x300C, "FRI", "fr", "CI"}, {0x340C, "FRF", "fr", "ML"},
    {0x380C, "FRO", "fr", "MA"}, {0x3C0C, "FRH", "fr", "HT"},
    {0x040D, "HEB", "he", "IL"},
    {0x040E, "HUN", "hu", "HU"},
    {0x040F, "ISL", "is", "IS"},
    {0x0410, "ITA", "it", "IT"}, {0x0810, "ITS", "it", "CH"},
    {0x0411, "JPN", "ja", "JP"},
    {0x0412, "KOR", "ko", "KR"},
    {0x0413, "NLD", "nl", "NL"}, {0x0813, "NLB", "nl", "BE"},
    {0x0414, "NOR", "nb", "NO"},
    {0x0814, "NON", "nn", "NO"},
    {0x0415, "PLK", "pl", "PL"},
    {0x0416, "PTB", "pt", "BR"}, {0x0816, "PTG", "pt", "PT"},
    {0x0417, "RMC", "rm", "CH"},
    {0x0418, "ROM", "ro", "RO"}, {0x0818, "ROD", "ro", "MD"},
    {0x0419, "RUS", "ru", "RU"}, {0x0819, "RUM", "ru", "MD"},
    {0x041A, "HRV", "hr", "HR"}, {0x101A, "HRB", "hr", "BA"},
    {0x281A, "SRO", "sr", "RS"}, {0x2C1A, "SRP", "sr", "ME"}, {0x1C1A, "SRN", "sr", "BA"},
    {0x141A, "BSB", "bs", "BA"},
    {0x041B, "SKY", "sk", "SK"},
    {0x041C, "SQI", "sq", "AL"},
    {0x041D, "SVE", "sv", "SE"}, {0x081D, "SVF", "sv", "FI"},
    {0x041E, "THA", "th", "TH"},
    {0x041F, "TRK", "tr", "TR"},
    {0x0420, "URD", "ur", "PK"}, {0x0820, "URI", "ur", "IN"},
    {0x0421, "IND", "id", "ID"},
    {0x0422, "UKR", "uk", "UA"},
    {0x0423, "BEL", "be", "BY"},
    {0x0424, "SLV", "sl", "SI"},
    {0x0425, "ETI", "et", "EE"},
    {0x0426, "LVI", "lv", "LV"},
    {0x0427, "LTH", "lt", "LT"},
    {0x0428, "TAJ", "tg", "TJ"},
    {0x0429, "FAR", "fa", "IR"},
    {0x042A, "VIT", "vi", "VN"},
    {0x042B, "HYE", "hy", "AM"},
    {0x042C, "AZE", "az", "AZ"},
    {0x042D, "EUQ", "eu", "ES"},
    {0x042E, "HSB", "hsb", "DE"},
    {0x082E, "DSB", "dsb", "DE"},
    {0x042F, "MKI", "mk", "MK"},
    {0x0430, "SOT", "st", "ZA"},
    {0x0431, "TSO", "ts", "ZA"},
    {0x0432, "TSN", "tn", "ZA"},
    {0x0433, "VEN", "ve", "ZA"},
    {0x0434, "XHO", "xh", "ZA"},
    {0x0435, "ZUL", "zu", "ZA"},
    {0x0436, "AFK", "af", "ZA"},
    {0x0437, "KAT", "ka", "GE"},
    {0x0438, "FOS", "fo", "FO"},
    {0x0439, "HIN", "hi", "IN"},
    {0x043A, "MLT", "mt", "MT"},
    {0x043B, "SME", "se", "NO"}, {0x083B, "SMF", "se", "SE"}, {0x0C3B, "SMG", "se", "FI"},
    {0x083C, "IRE", "ga", "IE"},
    {0x043E, "MSL", "ms", "MY"}, {0x083E, "MSB", "ms", "BN"},
    {0x043F, "KKZ", "kk", "KZ"},
    {0x0440, "KYR", "ky", "KG"},
    {0x0441, "SWK", "sw", "KE"},
    {0x0442, "TUK", "tk", "TM"},
    {0x0443, "UZB", "uz", "UZ"},
    {0x0444, "TTT", "tt", "RU"},
    {0x0845, "BNB", "bn", "BD"}, {0x0445, "BNG", "bn", "IN"},
    {0x0446, "PAN", "pa", "IN"}, {0x0846, "PAP", "pa", "PK"},
    {0x0447, "GUJ", "gu", "IN"},
    {0x0448, "ORI", "or", "IN"},
    {0x0449, "TAI", "ta", "IN"}, {0x0849, "TAM", "ta", "LK"},
    {0x044A, "TEL", "te", "IN"},
    {0x044B, "KDI", "kn", "IN"},
    {0x044C, "MYM", "ml", "IN"},
    {0x044D, "ASM", "as", "IN"},
    {0x044E, "MAR", "mr", "IN"},
    {0x044F, "SAN", "sa", "IN"},
    {0x0450, "MNN", "mn", "MN"},
    {0x0451, "BOB", "bo", "CN"},
    {0x0452, "CYM", "cy", "GB"},
    {0x0453, "KHM", "km", "KH"},
    {0x0454, "LAO", "lo", "LA"},
    {0x0455, "MYA", "my", "MM"},
    {0x0456, "GLC", "gl", "ES"},
    {0x0457, "KNK", "kok", "IN"},
    {0x0859, "SIP", "sd", "PK"},
    {0x045B, "SIN", "si", "LK"},
    {0x045C, "CRE", "chr", "US"},
    {0x045D, "IUS", "iu", "CA"},
    {0x045E, "AMH", "am", "ET"},
    {0x0461, "NEP", "ne", "NP"},
    {0x0462, "FYN", "fy", "NL"},
    {0x0463, "PAS", "ps", "AF"},
    {0x0464, "FPO", "fil", "PH"},
    {0x0465, "DIV", "dv", "MV"},
    {0x0867, "FUL", "ff", "SN"},
    {0x0468, "HAU", "ha", "NG"},
    {0x046A, "YOR", "yo", "NG"},
    {0x046B, "QUB", "qu", "BO"}, {0x086B, "QUE", "qu", "EC"}, {0x0C6B, "QUP", "qu", "PE"},
    {0x046C, "NSO", "nso", "ZA"},
    {0x046D, "BAS", "ba", "RU"},
    {0x046E, "LBX", "lb", "LU"},
    {0x046F, "KAL", "kl", "GL"},
    {0x0470, "IBO", "ig", "NG"},
    {0x0472, "ORM", "om", "ET"},
    {0x0473, "TIE", "ti", "ET"}, {0x0873, "TIR", "ti", "ER"},
    {0x0475, "HAW", "haw", "US"},
    {0x0477, "SOM", "so", "SO"},
    {0x0478, "III", "ii", "CN"},
    {0x047A, "MPD", "arn", "CL"},
    {0x047C, "MWK", "moh", "CA"},
    {0x047E, "BRE", "br", "FR"},
    {0x0480, "UIG", "ug", "CN"},
    {0x0481, "MRI", "mi", "NZ"},
    {0x0482, "OCI", "oc", "FR"},
    {0x0483, "COS", "co", "FR"},
    {0x0484, "GSW", "gsw", "FR"},
    {0x0485, "SAH", "sah", "RU"},
    {0x0487, "KIN", "rw", "RW"},
    {0x0488, "WOL", "wo", "SN"},
    {0x0491, "GLA", "gd", "GB"},
    {0x0492, "KUR", "ckb", "IQ"},
}};
// clang-format on

const LanguageEntry* Find(auto&& matches) {
    const auto it = std::find_if(kTable.begin(), kTable.end(), matches);
    return it == kTable.end() ? nullptr : &*it;
}

// The main entry of the language of a neutral id: the first with its primary id.
const LanguageEntry* MainEntryOfPrimary(std::uint16_t primary) {
    return Find([&](const LanguageEntry& e) { return PrimaryLanguage(e.Id) == primary; });
}

} // namespace

std::span<const LanguageEntry> LanguageTable() {
    return kTable;
}

std::optional<std::string_view> LanguageAbbreviation(std::uint16_t id) {
    const LanguageEntry* entry = Find([&](const LanguageEntry& e) { return e.Id == id; });
    if (!entry && SubLanguage(id) == kSubLangNeutral && PrimaryLanguage(id) != kPrimaryNeutral)
        entry = MainEntryOfPrimary(PrimaryLanguage(id));
    return entry ? std::optional(entry->Abbreviation) : std::nullopt;
}

std::uint16_t LanguageIdFromCodes(std::string_view language, std::string_view country) {
    if (const LanguageEntry* exact = Find([&](const LanguageEntry& e) {
            return EqualsNoCase(e.Language, language) && EqualsNoCase(e.Country, country);
        }))
        return exact->Id;
    // Another territory of a known language: the language's neutral id, unless that id names
    // another language sharing the primary id (Serbian and Bosnian share Croatian's).
    const LanguageEntry* known =
        Find([&](const LanguageEntry& e) { return EqualsNoCase(e.Language, language); });
    if (known && MainEntryOfPrimary(PrimaryLanguage(known->Id))->Language == known->Language)
        return PrimaryLanguage(known->Id);
    return kLangNeutralDefault;
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
