// The main window's exchanges with the car: the launchers, the outcome handlers and the
// connection check. Everything here runs on the window thread; jobs report through the
// messenger.
#include "CAboutDialog.h"
#include "CMainDialog.h"
#include "ControlIds.h"
#include "device/DeviceJobs.h"
#include "framework/DeviceChange.h"
#include "framework/MessageBoxes.h"
#include "i18n/ResourceModule.h"
#include "i18n/SafeFormat.h"
#include "i18n/StringIds.h"
#include "widgets/CSkinButton.h"

#include <QPushButton>

namespace drivo {

namespace {
// Command buttons in the order they are always disabled and enabled.
constexpr int kCommandIds[] = {ctl::kBattery, ctl::kRaceInfo, ctl::kSend};
} // namespace

void CMainDialog::ConnectDevice() {
    m_device = std::make_shared<DeviceContext>(m_services.driver, m_services.messenger,
                                               m_services.sleeper);
    RenewHandle();
}

// Jobs report to the handle they were started with. A new handle makes the messenger drop
// whatever the jobs started before still report, so their outcomes cannot undo what a later
// connection check has shown.
void CMainDialog::RenewHandle() {
    if (m_handle != 0)
        m_services.messenger->Unregister(m_handle);
    m_handle = m_services.messenger->Register(
        this, [this](unsigned message, std::intptr_t w, std::intptr_t l) {
            OnDeviceMessage(message, w, l);
        });
}

void CMainDialog::DisconnectDevice() {
    m_services.messenger->Unregister(m_handle);
    if (m_ownsMessenger)
        m_services.messenger->Shutdown();
}

void CMainDialog::CreateLinkMutex() {
    m_device->link.CreateLinkMutex();
}

// Jobs still running keep the context alive; with the mutex closed they fail cleanly.
void CMainDialog::CloseLinkMutex() {
    m_device->link.CloseLinkMutex();
}

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

void CMainDialog::SetStatusText(const QString& text) {
    if (m_statusBar)
        m_statusBar->SetPaneText(0, text);
}

void CMainDialog::ShowOutcome(bool success) {
    if (!m_usbIndicator)
        return;
    m_usbIndicator->Blink(0);
    m_usbIndicator->SetState(success ? 1 : 0);
}

void CMainDialog::ReportError() {
    ShowOutcome(false);
    SetStatusText(LoadResourceString(IDS_COMM_ERROR));
    ShowMessageBox(this, LoadResourceString(IDS_COMM_ERROR), MessageIcon::Stop);
}

bool CMainDialog::Launch(const QWidget* guard, int statusTextId) {
    if (guard && !guard->isEnabled())
        return false;
    EnableCommandButtons(false);
    if (statusTextId)
        SetStatusText(LoadResourceString(statusTextId));
    if (m_usbIndicator)
        m_usbIndicator->Blink(200);
    return true;
}

void CMainDialog::OnBatteryButton() {
    if (Launch(m_batteryPlaceholder, IDS_BATTERY_LOADING))
        StartBatteryJob(m_device, m_handle);
}

void CMainDialog::OnRaceInfoButton() {
    if (Launch(m_raceInfoPlaceholder, IDS_RACEINFO_LOADING))
        StartRaceInfoJob(m_device, m_handle);
}

void CMainDialog::OnRaceTimeButton() {
    if (Launch(nullptr, IDS_RACETIME_LOADING))
        StartRaceTimeJob(m_device, m_handle);
}

void CMainDialog::OnVersionButton() {
    if (Launch(nullptr, IDS_VERSION_LOADING))
        StartVersionJob(m_device, m_handle);
}

void CMainDialog::StartConfigStateRead() {
    if (Launch(nullptr, 0))
        StartConfigStateJob(m_device, m_handle);
}

void CMainDialog::OnSendButton() {
    if (!UpdateData(true))
        return; // the exchange has shown its message
    if (!Launch(m_sendPlaceholder, IDS_SENDING))
        return;
    auto request = std::make_unique<SendRequest>();
    request->target = m_handle;
    for (int i = 0; i < kSendStages; ++i) {
        request->times[i] = m_settings.Time[i];
        request->values[i] = static_cast<std::int32_t>(Chart().GetBarValue(i));
    }
    request->distance = RaceDistance(m_settings.RaceLength, m_settings.WheelDiam);
    request->timeMax = m_settings.TimeMax();
    request->returnMode = m_settings.ReturnMode != 0 ? 1 : 0;
    StartSendJob(m_device, std::move(request));
}

void CMainDialog::OnDeviceMessage(unsigned message, std::intptr_t w, std::intptr_t l) {
    switch (message) {
    case WM_BATTERY_DONE:
        OnBatteryDone(w);
        break;
    case WM_RACEINFO_DONE:
        OnRaceInfoDone(w, l);
        break;
    case WM_RACETIME_DONE:
        OnRaceTimeDone(w);
        break;
    case WM_SEND_DONE:
        OnSendDone(w);
        break;
    case WM_CONFIG_DONE:
        OnConfigDone(w);
        break;
    case WM_VERSION_DONE:
        OnVersionDone(w);
        break;
    default:
        return;
    }
    FinishOutcome();
}

void CMainDialog::FinishOutcome() {
    if (m_usbIndicator)
        m_usbIndicator->Blink(0);
    EnableCommandButtons(true);
}

void CMainDialog::OnBatteryDone(std::intptr_t value) {
    if (value < 0)
        return ReportError();
    ShowBattery(static_cast<std::int32_t>(value));
    SetStatusText(LoadResourceString(IDS_BATTERY_LOADED));
    ShowOutcome(true);
}

void CMainDialog::OnRaceInfoDone(std::intptr_t raceTime, std::intptr_t speedReading) {
    if (raceTime < 0 || speedReading < 0)
        return ReportError();
    m_raceTime = static_cast<std::int32_t>(raceTime);
    TakeSpeedReading(static_cast<std::int32_t>(speedReading));
    ShowRaceResults();
    SetStatusText(LoadResourceString(IDS_RACEINFO_LOADED));
    ShowOutcome(true);
}

void CMainDialog::OnRaceTimeDone(std::intptr_t raceTime) {
    if (raceTime < 0)
        return ReportError();
    ShowOutcome(true);
    const QString text =
        FormatRaceTimeLoaded(LoadResourceString(IDS_RACETIME_LOADED), static_cast<int>(raceTime));
    SetStatusText(text);
    ShowMessageBox(this, text, MessageIcon::None);
}

void CMainDialog::OnSendDone(std::intptr_t result) {
    if (result == 0)
        return ReportError();
    ShowOutcome(true);
    SetStatusText(LoadResourceString(IDS_SENT));
    ShowMessageBox(this, LoadResourceString(IDS_SENT), MessageIcon::Information);
}

void CMainDialog::OnConfigDone(std::intptr_t state) {
    if (state < 0)
        return ReportError();
    if (state == 0) {
        SetStatusText(LoadResourceString(IDS_DEFAULTS_WARNING));
        ShowMessageBox(this, LoadResourceString(IDS_DEFAULTS_WARNING), MessageIcon::Warning);
    }
    ShowOutcome(true);
}

QString VersionText(std::intptr_t version) {
    return QStringLiteral("%1.%2").arg((version >> 8) & 0xFF).arg(version & 0xFF);
}

void CMainDialog::OnVersionDone(std::intptr_t version) {
    if (version < 0)
        return ReportError();
    SetStatusText(QStringLiteral("Release: ") + VersionText(version));
    ShowOutcome(true);
}

void CMainDialog::OnDeviceChange(unsigned eventCode) {
    if (eventCode == DBT_DEVNODES_CHANGED)
        CheckConnection();
}

void CMainDialog::CheckConnection() {
    SetStatusText(LoadResourceString(IDS_USB_CHECKING));
    int inaccessible = 0;
    if (m_device->link.CountMatchingDevices(&inaccessible) >= 1) {
        SetStatusText(QString());
        if (m_carPresent)
            return;
        m_carPresent = true;
        ShowOutcome(true);
        OnBatteryButton();
        StartConfigStateRead();
        EnableCommandButtons(true); // they stay usable while the two first reads run
        return;
    }
    m_carPresent = false;
    RenewHandle(); // the car is gone: what its jobs still report is out of date
    // A bridge the user may not open is most likely the car without its udev rule: say so.
    SetStatusText(LoadResourceString(inaccessible > 0 ? IDS_CAR_INACCESSIBLE : IDS_NO_CAR_FOUND));
    ShowOutcome(false);
    ShowBattery(-1);
    EnableCommandButtons(false);
}

void CMainDialog::OpenAboutBox() {
    CAboutDialog about(*this);
    about.DoModal(); // a bundle without template 100 opens nothing
}

} // namespace drivo
