// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's side of the command flows: the command buttons' state, the send's
// exchange first, the About box.
#include "CAboutDialog.h"
#include "CMainDialog.h"
#include "ControlIds.h"
#include "widgets/CSkinButton.h"

#include <QPushButton>

namespace drivo {

namespace {
// Command buttons in the order they are always disabled and enabled.
constexpr int kCommandIds[] = {ctl::kBattery, ctl::kRaceInfo, ctl::kSend};
} // namespace

void CMainDialog::EnableCommandButtons(bool enable) {
    QWidget* const focused = focusWidget();
    for (int id : kCommandIds) {
        if (QWidget* button = CommandButton(id)) {
            if (!enable && button == focused)
                m_focusOwner = button;
            button->setEnabled(enable);
        }
    }
    if (!enable) {
        if (m_focusOwner && m_focusOwner == focused)
            m_focusHandedTo = focusWidget();
        return;
    }
    // The button that had the keyboard gets it back, unless the user has moved it since: a
    // second Space repeats the command instead of pressing whatever came next.
    if (m_focusOwner && focusWidget() == m_focusHandedTo)
        m_focusOwner->setFocus(Qt::OtherFocusReason);
    m_focusOwner = m_focusHandedTo = nullptr;
}

void CMainDialog::EnablePlaceholders(bool enable) {
    for (QPushButton* placeholder :
         {m_batteryPlaceholder, m_raceInfoPlaceholder, m_sendPlaceholder})
        if (placeholder)
            placeholder->setEnabled(enable);
}

void CMainDialog::OnSendButton() {
    if (UpdateData(true)) // else the exchange has shown its message
        m_controller.OnSendButton();
}

void CMainDialog::OpenAboutBox() {
    CAboutDialog about(m_controller, this);
    about.DoModal(); // a bundle without template 100 opens nothing
}

} // namespace drivo
