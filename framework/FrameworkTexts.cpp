#include "FrameworkTexts.h"

#include <QLibraryInfo>

namespace drivo {

namespace {
bool IsFrench(const QLocale& locale) {
    return locale.language() == QLocale::French;
}
} // namespace

QString ParseIntMessage(const QLocale& system) {
    return IsFrench(system) ? QStringLiteral("Veuillez entrer un entier.")
                            : QStringLiteral("Please enter an integer.");
}

QString RangeIntMessage(std::int64_t lower, std::int64_t upper, const QLocale& system) {
    const QString text = IsFrench(system)
                             ? QStringLiteral("Veuillez entrer un entier compris entre %1 et %2.")
                             : QStringLiteral("Please enter an integer between %1 and %2.");
    return text.arg(lower).arg(upper);
}

std::unique_ptr<QTranslator> LoadToolkitTranslations(const QLocale& system) {
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(system, QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return nullptr;
    return translator;
}

} // namespace drivo
