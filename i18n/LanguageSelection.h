#pragma once
// Choosing the current resource module for a language: the bundle named after the program
// and the language's abbreviation, or the built-in French resources.
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

// The bundle of a language beside the program; empty when the language table lacks the id.
QString LanguageBundleFor(std::uint16_t languageId, const QString& programPath);

// Makes the language's bundle the current module, freeing the one loaded before. When the id
// is unknown or its bundle is missing or refused, the built-in resources become current.
// True when a bundle was loaded.
bool SelectLanguageModule(ResourceModule& module, std::uint16_t languageId,
                          const QString& programPath);

} // namespace drivo
