// SPDX-License-Identifier: GPL-3.0-or-later
#include "LanguageSelection.h"

#include "i18n/LanguageTable.h"
#include "i18n/UserLanguage.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace drivo {

LanguageEnvironment LanguageEnvironment::Completed() const {
    LanguageEnvironment env = *this;
    if (!env.userDefaultLanguage)
        env.userDefaultLanguage = [] { return UserDefaultLanguageId(); };
    if (!env.programPath)
        env.programPath = [] { return QCoreApplication::applicationFilePath(); };
    return env;
}

QString LanguageBundleFor(std::uint16_t languageId, const QString& programPath) {
    const auto abbreviation = LanguageAbbreviation(languageId);
    if (!abbreviation || programPath.isEmpty())
        return QString();
    const QString beside =
        QString::fromStdString(LanguageBundlePath(programPath.toStdString(), *abbreviation));
    if (QFileInfo::exists(beside))
        return beside;
    const QFileInfo bundle(beside);
    return QDir::cleanPath(bundle.path() + QStringLiteral("/" DRIVO_INSTALLED_BUNDLES "/") +
                           bundle.fileName());
}

bool LoadLanguageBundle(ResourceModule& module, std::uint16_t languageId,
                        const QString& programPath) {
    const QString bundle = LanguageBundleFor(languageId, programPath);
    return !bundle.isEmpty() && module.LoadBundle(bundle);
}

} // namespace drivo
