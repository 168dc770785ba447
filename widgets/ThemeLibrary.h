// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A visual-styles library as CThemeApi sees it: entry points found by name. The one the
// program loads answers with the application's QStyle.
#include "CThemeApi.h"

#include <map>
#include <string>

namespace drivo {

template <class Member> struct FreeFunction;
template <class R, class... A> struct FreeFunction<R (CThemeApi::*)(A...) const> {
    using Type = R (*)(A...);
};

class ThemeLibrary {
public:
    using Entry = void (*)();

    // Exports fn under the name of the CThemeApi member whose signature it has.
    template <auto Member>
    void Export(const char* name, typename FreeFunction<decltype(Member)>::Type fn) {
        m_entries[name] = reinterpret_cast<Entry>(fn);
    }
    // The entry point of that name, or null when the library has none.
    Entry Find(const char* name) const {
        const auto it = m_entries.find(name);
        return it == m_entries.end() ? nullptr : it->second;
    }

private:
    std::map<std::string, Entry> m_entries;
};

} // namespace drivo
