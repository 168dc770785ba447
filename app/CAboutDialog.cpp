// SPDX-License-Identifier: GPL-3.0-or-later
#include "CAboutDialog.h"

#include "RaceController.h"
#include "device/DeviceJobs.h"
#include "framework/MessageBoxes.h"
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

CAboutDialog::CAboutDialog(RaceController& controller, QWidget* parent)
    : CDialog(kAboutTemplate, parent), m_controller(controller) {
    m_handle = controller.Services().messenger->Register(this, [this](const JobOutcome& outcome) {
        if (outcome.message == WM_VERSION_DONE)
            OnVersionDone(outcome.value);
    });
}

CAboutDialog::~CAboutDialog() {
    m_controller.Services().messenger->Unregister(m_handle);
    // Closed before the car answered: the answer will find no window, so what the read took
    // is given back here instead of staying locked for good: the placeholders, and the
    // indicator if it still blinks for this read. An exchange that was already running keeps
    // its own blinking (and its buttons) until its outcome comes.
    if (!m_readPending)
        return;
    m_controller.EnablePlaceholders(true);
    if (m_controller.BlinkPeriod() != kReadBlinkMs)
        return;
    if (m_blinkBefore != 0)
        m_controller.Blink(m_blinkBefore);
    else
        m_controller.ShowOutcome(m_controller.CarPresent());
}

bool CAboutDialog::OnInitDialog() {
    CDialog::OnInitDialog();
    if (m_controller.Device()->link.CountMatchingDevices() < 1)
        return true; // no car: the label keeps "x.x"
    m_controller.EnablePlaceholders(false);
    m_blinkBefore = m_controller.BlinkPeriod();
    m_controller.Blink(kReadBlinkMs);
    m_readPending = true;
    StartVersionJob(m_controller.Device(), m_handle);
    return true;
}

void CAboutDialog::OnVersionDone(std::optional<int> version) {
    if (!version) {
        const QString error = LoadResourceString(IDS_COMM_ERROR);
        m_controller.ShowOutcome(false);
        m_controller.SetStatusText(error);
        SetVersionLabel(kNoVersion);
        ShowMessageBox(this, error, MessageIcon::Stop);
    } else {
        const QString text = VersionText(*version);
        m_controller.ShowOutcome(true);
        m_controller.SetStatusText(text);
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
    m_controller.Blink(0);
    m_controller.EnablePlaceholders(true);
}

} // namespace drivo
