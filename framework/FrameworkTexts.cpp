// SPDX-License-Identifier: GPL-3.0-or-later
#include "FrameworkTexts.h"

#include <QLibraryInfo>

namespace drivo {

namespace {
struct Texts {
    const char16_t* parseInt;
    const char16_t* rangeInt; // %1 lower, %2 upper bound
};

// One entry per language the program ships a bundle for, English for every other.
Texts TextsFor(const QLocale& locale) {
    switch (locale.language()) {
    case QLocale::French:
        return {u"Veuillez entrer un entier.",
                u"Veuillez entrer un entier compris entre %1 et %2."};
    case QLocale::German:
        return {u"Bitte geben Sie eine ganze Zahl ein.",
                u"Bitte geben Sie eine ganze Zahl zwischen %1 und %2 ein."};
    default:
        return {u"Please enter an integer.", u"Please enter an integer between %1 and %2."};
    }
}
} // namespace

QString ParseIntMessage(const QLocale& system) {
    return QString::fromUtf16(TextsFor(system).parseInt);
}

QString RangeIntMessage(std::int64_t lower, std::int64_t upper, const QLocale& system) {
    return QString::fromUtf16(TextsFor(system).rangeInt).arg(lower).arg(upper);
}

std::unique_ptr<QTranslator> LoadToolkitTranslations(const QLocale& system) {
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(system, QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return nullptr;
    return translator;
}

} // namespace drivo
