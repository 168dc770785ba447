// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the profile commands and the race journal need from the window layer: Qt's file
// dialogs and the texts of their messages, from the current resource module.
#include "settings/ProfileReader.h"

#include <QString>

#include <string>

class QWidget;

namespace drivo {

inline constexpr const char* kDefaultProfileName = "profil.ini"; // in the working directory

// The name with ".ini" added unless it ends so already (in any letter case).
QString WithIniSuffix(const QString& path);

// The file dialogs, filter "*.ini"; an empty name when the user cancelled. Saving offers
// kDefaultProfileName and gives the name WithIniSuffix.
QString AskProfileToSave(QWidget* parent);
QString AskProfileToOpen(QWidget* parent);

// The message of a refused profile file: the key, its value and the range, or the file's reason.
QString ProfileRefusalText(const QString& file, const ProfileRefusal& refusal);
// The message of a failed save.
QString ProfileSaveFailureText(const QString& file, const std::string& reason);
// Pane 0's text when the race journal could not be written.
QString JournalUnwritableText(const std::string& reason);

} // namespace drivo
