// SPDX-License-Identifier: GPL-3.0-or-later
#include "MainMenu.h"

#include "ControlIds.h"
#include "RaceController.h"
#include "framework/CDialog.h"
#include "framework/MessageBoxes.h"
#include "i18n/ResourceModule.h"
#include "i18n/StringIds.h"

#include <QFile>
#include <QKeySequence>
#include <QMenu>

namespace drivo {

namespace {

// The menu items above the separator, with their Ctrl+key.
struct MenuCommand {
    int StringId;
    int Command;
    Qt::Key Key;
};
constexpr MenuCommand kMenuCommands[] = {
    {IDS_MENU_OPEN_PROFILE, ctl::kOpenProfileCommand, Qt::Key_O},
    {IDS_MENU_SAVE_PROFILE, ctl::kSaveProfileCommand, Qt::Key_S},
    {IDS_MENU_JOURNAL, ctl::kJournalCommand, Qt::Key_J},
};

std::string FileName(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

} // namespace

QMenu* MainMenu::Menu() {
    if (!m_menu) {
        m_menu = new QMenu(&m_window);
        FillMenu();
    }
    return m_menu;
}

void MainMenu::SetItems() {
    if (m_menu)
        FillMenu();
    if (m_journalWindow)
        m_journalWindow->Retranslate();
}

void MainMenu::FillMenu() {
    m_menu->clear();
    for (const MenuCommand& c : kMenuCommands) {
        const QString text = LoadResourceString(c.StringId);
        if (!text.isEmpty())
            m_menu
                ->addAction(text + u'\t' +
                            QKeySequence(Qt::CTRL | c.Key).toString(QKeySequence::NativeText))
                ->setData(c.Command);
    }
    m_menu->addSeparator();
    const QString about = LoadResourceString(IDS_ABOUTBOX);
    if (!about.isEmpty())
        m_menu->addAction(about)->setData(ctl::kAboutCommand);
}

int MainMenu::Exec(const QPoint& globalPos) {
    if (Menu()->isEmpty())
        return 0;
    const QAction* chosen = m_menu->exec(globalPos);
    return chosen && chosen->data().isValid() ? chosen->data().toInt() : 0;
}

int MainMenu::CommandOfKey(int key) {
    for (const MenuCommand& c : kMenuCommands)
        if (c.Key == key)
            return c.Command;
    return 0;
}

void MainMenu::SaveProfile() {
    if (!m_window.UpdateData(true)) // the exchange has shown its message
        return;
    const QString path = m_askToSave(&m_window);
    if (path.isEmpty())
        return;
    std::string reason;
    if (!m_controller.SaveProfile(FileName(path), reason))
        ShowMessageBox(&m_window, ProfileSaveFailureText(path, reason), MessageIcon::Exclamation);
}

void MainMenu::OpenProfile() {
    const QString path = m_askToOpen(&m_window);
    if (path.isEmpty())
        return;
    const ProfileRead read = drivo::OpenProfile(FileName(path));
    if (read.Settings)
        m_controller.LoadProfile(*read.Settings);
    else
        ShowMessageBox(&m_window, ProfileRefusalText(path, read.Refusal), MessageIcon::Exclamation);
}

void MainMenu::OpenJournal(const QString& programPath) {
    if (!m_journalWindow) // it deletes itself when closed
        m_journalWindow = new CJournalWindow(
            kJournalFileName, programPath,
            [this](const RaceSettings& settings) { m_controller.LoadProfile(settings); },
            &m_window);
    m_journalWindow->show();
    m_journalWindow->raise();
    m_journalWindow->activateWindow();
}

} // namespace drivo
