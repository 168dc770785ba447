// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's side of the command flows: the send's exchange first, the About box.
#include "CAboutDialog.h"
#include "CMainDialog.h"

namespace drivo {

void CMainDialog::OnSendButton() {
    if (UpdateData(true)) // else the exchange has shown its message
        m_controller.OnSendButton();
}

void CMainDialog::OpenAboutBox() {
    CAboutDialog about(m_controller, this);
    about.DoModal(); // a bundle without template 100 opens nothing
}

} // namespace drivo
