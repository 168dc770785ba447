// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main window's skin: the background picture over control 1069, the skinned buttons over
// the hidden template buttons, and the flags that show which language is on. Every piece is
// optional: one that cannot be made leaves the window working without it, silently.
#include "widgets/CSkinButton.h"

#include <QPointer>
#include <cstdint>
#include <vector>

class QPainter;

namespace drivo {

class CDialog;

class MainSkin {
public:
    explicit MainSkin(CDialog& window) : m_window(window) {}
    ~MainSkin() { DeleteButtons(); }
    MainSkin(const MainSkin&) = delete;
    MainSkin& operator=(const MainSkin&) = delete;

    // Faceless until the first language is applied: their faces depend on it.
    void CreateButtons();
    void DeleteButtons();
    // Faces and spoken names of the skinned buttons, in the current language.
    void ApplyFaces();
    // The visible skinned button of a placeholder id, or nullptr.
    CSkinButton* Button(int id) const;
    // The command buttons off and on; on again, the keyboard goes back where it was.
    void EnableCommands(bool enable);

    // The picture of the current resource module.
    void RegisterBackground();
    void ReleaseBackground();
    void DrawBackground(QPainter& painter);

    // The flags' icons, French on; then the flag of the language shown.
    void PrepareFlags();
    void ShowLanguage(std::uint16_t languageId);

private:
    // The transparent skinned buttons take the window's pixels under them anew.
    void RefreshBackgrounds();

    CDialog& m_window;
    std::vector<QPointer<CSkinButton>> m_buttons; // over 1038, 1041, 1042, 8, 1054, 1055
    // The command button that had the keyboard when the command buttons were disabled, and
    // the control the disabling handed it to.
    QPointer<QWidget> m_focusOwner, m_focusHandedTo;
};

} // namespace drivo
