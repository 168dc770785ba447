// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main window's own menu and its commands: the profile files, the race journal window,
// the About item. The window manager's menu is out of reach; the same items open with a right
// click on the background, F1 for the About item, Ctrl+O, Ctrl+S and Ctrl+J from any field.
#include "CJournalWindow.h"
#include "ProfileCommands.h"

#include <QPointer>
#include <functional>

class QMenu;
class QPoint;

namespace drivo {

class CDialog;
class RaceController;

class MainMenu {
public:
    MainMenu(CDialog& window, RaceController& controller)
        : m_window(window), m_controller(controller) {}

    // The menu with its items in the current language: the profile and journal items, the
    // separator, the About item. Made when first asked for: a hidden menu lays its items out at
    // its first resize, which the window's first frame would otherwise pay for.
    QMenu* Menu();
    // The texts of a new language, the journal window's too.
    void SetItems();
    // The command the user chose in the menu opened there, or 0.
    int Exec(const QPoint& globalPos);
    // The menu command of a Ctrl+key, or 0.
    static int CommandOfKey(int key);

    // A profile file from the fields' values, or into the record; the journal window, its
    // plot from beside or installed with the program at programPath.
    void SaveProfile();
    void OpenProfile();
    void OpenJournal(const QString& programPath);
    // The race journal window while it is open, else nullptr.
    CJournalWindow* JournalWindow() const { return m_journalWindow; }

    // The file dialogs of the profile commands (Qt's by default): the name, or empty.
    using AskFile = std::function<QString(QWidget* parent)>;
    void SetProfileDialogs(AskFile askToSave, AskFile askToOpen) {
        m_askToSave = std::move(askToSave);
        m_askToOpen = std::move(askToOpen);
    }

private:
    // The items in the current language.
    void FillMenu();

    CDialog& m_window;
    RaceController& m_controller;
    QMenu* m_menu = nullptr;
    AskFile m_askToSave = AskProfileToSave;
    AskFile m_askToOpen = AskProfileToOpen;
    QPointer<CJournalWindow> m_journalWindow;
};

} // namespace drivo
