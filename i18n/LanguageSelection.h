// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The language bundle of a language: named after the program and the language's
// abbreviation, beside the program (a build tree) or in the data folder of its installation.
#include "i18n/ResourceModule.h"

#include <QString>
#include <cstdint>
#include <functional>

namespace drivo {

// Where the window learns the user's default language and its own program file. The program
// asks the desktop's locale and the running executable; tests give their own answers.
struct LanguageEnvironment {
    std::function<std::uint16_t()> userDefaultLanguage;
    std::function<QString()> programPath;

    // The same environment with every missing answer taken from the running program.
    LanguageEnvironment Completed() const;
};

// The bundle of a language beside the program if it is there, otherwise the one in the
// installation's data folder (<prefix>/share/drivo for <prefix>/bin/drivo); empty when the
// language table lacks the id.
QString LanguageBundleFor(std::uint16_t languageId, const QString& programPath);

// Loads the language's bundle and makes it the current module, freeing the
// one loaded before. False, with the module unchanged, when the language table lacks the id
// or the bundle is missing or refused.
bool LoadLanguageBundle(ResourceModule& module, std::uint16_t languageId,
                        const QString& programPath);

} // namespace drivo
