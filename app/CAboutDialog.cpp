#include "CAboutDialog.h"

#include "CMainDialog.h"
#include "framework/MessageBoxes.h"
#include "device/DeviceJobs.h"
#include "i18n/ResourceModule.h"
#include "i18n/StringIds.h"

#include <QLabel>

namespace drivo {

namespace {
constexpr int kAboutTemplate = 100;
constexpr int kCarVersionLabel = 1073;
const QString kNoVersion = QStringLiteral("x.x");
} // namespace

CAboutDialog::CAboutDialog(CMainDialog& owner) : CDialog(kAboutTemplate, &owner), m_owner(owner) {
    m_handle = owner.Services().messenger->Register(
        this, [this](unsigned message, std::intptr_t w, std::intptr_t) {
            if (message == WM_VERSION_DONE)
                OnVersionDone(w);
        });
}

CAboutDialog::~CAboutDialog() {
    m_owner.Services().messenger->Unregister(m_handle);
    // Closed before the car answered: the answer will find no window, so the main window's
    // buttons and indicator are released here instead of staying locked for good.
    if (m_readPending) {
        EndVersionRead();
        m_owner.ShowOutcome(m_owner.CarPresent());
    }
}

bool CAboutDialog::OnInitDialog() {
    CDialog::OnInitDialog();
    if (m_owner.Device()->link.CountMatchingDevices() < 1)
        return true; // no car: the label keeps "x.x"
    m_owner.EnablePlaceholders(false);
    if (CUsbStatusIndicator* indicator = m_owner.UsbIndicator())
        indicator->Blink(500);
    m_readPending = true;
    StartVersionJob(m_owner.Device(), m_handle);
    return true;
}

void CAboutDialog::OnVersionDone(std::intptr_t version) {
    if (version < 0) {
        const QString error = LoadResourceString(IDS_COMM_ERROR);
        m_owner.ShowOutcome(false);
        m_owner.SetStatusText(error);
        SetVersionLabel(kNoVersion);
        ShowMessageBox(this, error, MessageIcon::Stop);
    } else {
        const QString text = VersionText(version);
        m_owner.ShowOutcome(true);
        m_owner.SetStatusText(text);
        SetVersionLabel(text);
    }
    EndVersionRead();
}

void CAboutDialog::SetVersionLabel(const QString& text) {
    if (auto* label = Item<QLabel>(kCarVersionLabel))
        label->setText(text);
}

void CAboutDialog::EndVersionRead() {
    m_readPending = false;
    if (CUsbStatusIndicator* indicator = m_owner.UsbIndicator())
        indicator->Blink(0);
    m_owner.EnablePlaceholders(true);
}

} // namespace drivo
