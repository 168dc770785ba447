// SPDX-License-Identifier: GPL-3.0-or-later
// The window menu's profile commands and the race journal window.
#include "CMainDialog.h"

#include "chart/ChartSetup.h"
#include "framework/MessageBoxes.h"

#include <QFile>

namespace drivo {

namespace {
std::string FileName(const QString& path) {
    return QFile::encodeName(path).toStdString();
}
} // namespace

void CMainDialog::OnSaveProfile() {
    if (!UpdateData(true)) // the exchange has shown its message
        return;
    const QString path = m_askProfileToSave(this);
    if (path.isEmpty())
        return;
    std::string reason;
    if (!m_controller.SaveProfile(FileName(path), reason))
        ShowMessageBox(this, ProfileSaveFailureText(path, reason), MessageIcon::Exclamation);
}

void CMainDialog::OnOpenProfile() {
    const QString path = m_askProfileToOpen(this);
    if (path.isEmpty())
        return;
    const ProfileRead read = OpenProfile(FileName(path));
    if (read.Settings)
        m_controller.LoadProfile(*read.Settings);
    else
        ShowMessageBox(this, ProfileRefusalText(path, read.Refusal), MessageIcon::Exclamation);
}

void CMainDialog::ShowLoadedProfile() {
    UpdateData(false);
    ShowProfile(m_chart, m_controller.Settings());
}

void CMainDialog::OpenJournalWindow() {
    if (!m_journalWindow) // it deletes itself when closed
        m_journalWindow = new CJournalWindow(
            m_controller.JournalPath(),
            [this](const RaceSettings& settings) { m_controller.LoadProfile(settings); }, this);
    m_journalWindow->show();
    m_journalWindow->raise();
    m_journalWindow->activateWindow();
}

} // namespace drivo
