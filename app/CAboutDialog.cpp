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
constexpr unsigned kReadBlinkMs = 500;
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
    // Closed before the car answered: the answer will find no window, so what the read took
    // is given back here instead of staying locked for good: the placeholders, and the
    // indicator if it still blinks for this read. An exchange that was already running keeps
    // its own blinking (and its buttons) until its outcome comes.
    if (!m_readPending)
        return;
    m_owner.EnablePlaceholders(true);
    CUsbStatusIndicator* indicator = m_owner.UsbIndicator();
    if (!indicator || indicator->BlinkPeriod() != kReadBlinkMs)
        return;
    if (m_blinkBefore != 0)
        indicator->Blink(m_blinkBefore);
    else
        m_owner.ShowOutcome(m_owner.CarPresent());
}

bool CAboutDialog::OnInitDialog() {
    CDialog::OnInitDialog();
    if (m_owner.Device()->link.CountMatchingDevices() < 1)
        return true; // no car: the label keeps "x.x"
    m_owner.EnablePlaceholders(false);
    if (CUsbStatusIndicator* indicator = m_owner.UsbIndicator()) {
        m_blinkBefore = indicator->BlinkPeriod();
        indicator->Blink(kReadBlinkMs);
    }
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
