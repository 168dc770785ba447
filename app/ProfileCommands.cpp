// SPDX-License-Identifier: GPL-3.0-or-later
#include "ProfileCommands.h"

#include "i18n/ResourceModule.h"
#include "i18n/SafeFormat.h"
#include "i18n/StringIds.h"
#include "settings/RaceJournal.h"

#include <QDir>
#include <QFileDialog>

namespace drivo {

QString WithIniSuffix(const QString& path) {
    return path.endsWith(QStringLiteral(".ini"), Qt::CaseInsensitive)
               ? path
               : path + QStringLiteral(".ini");
}

QString AskProfileToSave(QWidget* parent) {
    const QString name = QFileDialog::getSaveFileName(
        parent, LoadResourceString(IDS_MENU_SAVE_PROFILE),
        QDir::current().filePath(QString::fromLatin1(kDefaultProfileName)),
        LoadResourceString(IDS_PROFILE_FILTER));
    return name.isEmpty() ? name : WithIniSuffix(name);
}

QString AskProfileToOpen(QWidget* parent) {
    return QFileDialog::getOpenFileName(parent, LoadResourceString(IDS_MENU_OPEN_PROFILE),
                                        QDir::currentPath(),
                                        LoadResourceString(IDS_PROFILE_FILTER));
}

QString ProfileRefusalText(const QString& file, const ProfileRefusal& r) {
    if (r.Key.empty())
        return FormatNumbered(LoadResourceString(IDS_PROFILE_UNREADABLE),
                              {file, QString::fromStdString(r.Reason)});
    return FormatNumbered(LoadResourceString(IDS_PROFILE_REFUSED),
                          {file, QString::fromStdString(r.Key), QString::fromStdString(r.Value),
                           QString::number(r.Low), QString::number(r.High)});
}

QString ProfileSaveFailureText(const QString& file, const std::string& reason) {
    return FormatNumbered(LoadResourceString(IDS_PROFILE_WRITE_FAILED),
                          {file, QString::fromStdString(reason)});
}

QString JournalUnwritableText(const std::string& reason) {
    return FormatNumbered(LoadResourceString(IDS_JOURNAL_UNWRITABLE),
                          {QString::fromLatin1(kJournalFileName), QString::fromStdString(reason)});
}

} // namespace drivo
