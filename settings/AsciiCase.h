// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Letter case folding for the ASCII names of INI files and language codes. Standard library
// only.
#include <algorithm>
#include <string_view>

namespace drivo {

// Equal when only the case of ASCII letters differs; other bytes must match exactly.
inline bool EqualsNoCase(std::string_view a, std::string_view b) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [&](char x, char y) { return lower(x) == lower(y); });
}

} // namespace drivo
