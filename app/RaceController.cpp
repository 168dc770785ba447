// SPDX-License-Identifier: GPL-3.0-or-later
// The command flows with the car: the launchers, the outcome handlers and the connection
// check. Everything here runs on the window thread; jobs report through the messenger.
#include "RaceController.h"

#include "ProfileCommands.h"
#include "RaceDisplay.h"
#include "device/DeviceJobs.h"
#include "device/Drive.h"
#include "framework/DeviceChange.h"
#include "i18n/ResourceModule.h"
#include "i18n/SafeFormat.h"
#include "i18n/StringIds.h"
#include "settings/SettingsFile.h"

#include <cmath>
#include <ctime>
#include <limits>
#include <utility>

namespace drivo {

namespace {

constexpr unsigned kCommandBlinkMs = 200;

// A dragged position becomes a record value truncated toward zero; a value no 32-bit
// field can hold (or not a number) is not stored.
bool TruncateToInt32(double v, std::int32_t& out) {
    const double t = std::trunc(v);
    if (!(t >= std::numeric_limits<std::int32_t>::min() &&
          t <= std::numeric_limits<std::int32_t>::max()))
        return false;
    out = static_cast<std::int32_t>(t);
    return true;
}

} // namespace

QString VersionText(int version) {
    return QStringLiteral("%1.%2").arg((version >> 8) & 0xFF).arg(version & 0xFF);
}

RaceController::RaceController(DeviceServices services)
    : m_services(services.Completed()), m_ownsMessenger(!services.messenger) {
    m_device = std::make_shared<DeviceContext>(m_services.driver, m_services.messenger,
                                               m_services.sleeper);
    RenewHandle();
    m_device->link.CreateLinkMutex();
}

// Jobs still running keep the context alive; with the mutex closed they fail cleanly.
RaceController::~RaceController() {
    m_device->link.CloseLinkMutex();
    m_services.messenger->Unregister(m_handle);
    if (m_ownsMessenger)
        m_services.messenger->Shutdown();
}

void RaceController::LoadDefaults(std::uint16_t userDefaultLanguage) {
    drivo::LoadDefaults(m_settings, m_languageId, userDefaultLanguage);
}

void RaceController::SaveSettings() const {
    drivo::SaveSettings(m_settings, m_languageId);
}

bool RaceController::SaveProfile(const std::string& path, std::string& reason) const {
    return drivo::SaveProfile(m_settings, m_languageId, path, reason);
}

void RaceController::LoadProfile(const RaceSettings& settings) {
    m_settings = settings;
    emit profileLoaded();
}

void RaceController::OnStageTimeDragged(int index, double time) {
    std::int32_t v = 0;
    if (static_cast<unsigned>(index) < kStageCount && TruncateToInt32(time, v))
        m_settings.Time[static_cast<size_t>(index)] = v;
    emit fieldsChanged();
}

void RaceController::OnStageValueDragged(int index, double value) {
    std::int32_t v = 0;
    if (static_cast<unsigned>(index) < kStageCount && TruncateToInt32(value, v))
        m_settings.Value[static_cast<size_t>(index)] = v;
    emit fieldsChanged();
}

// Jobs report to the handle they were started with. A new handle makes the messenger drop
// whatever the jobs started before still report, so their outcomes cannot undo what a later
// connection check has shown.
void RaceController::RenewHandle() {
    if (m_handle != 0)
        m_services.messenger->Unregister(m_handle);
    m_handle = m_services.messenger->Register(
        this, [this](const JobOutcome& outcome) { OnJobOutcome(outcome); });
}

void RaceController::EnablePlaceholders(bool enable) {
    m_placeholdersEnabled = enable;
    emit placeholdersEnabled(enable);
}

void RaceController::Blink(unsigned periodMs) {
    m_blinkPeriod = periodMs;
    emit blinking(periodMs);
}

void RaceController::ShowOutcome(bool success) {
    m_blinkPeriod = 0;
    emit outcomeShown(success);
}

void RaceController::ReportError() {
    ShowOutcome(false);
    SetStatusText(LoadResourceString(IDS_COMM_ERROR));
    emit messageBox(LoadResourceString(IDS_COMM_ERROR), MessageIcon::Stop);
}

bool RaceController::Launch(bool guarded, int statusTextId) {
    if (guarded && !m_placeholdersEnabled)
        return false;
    emit commandsEnabled(false);
    if (statusTextId)
        SetStatusText(LoadResourceString(statusTextId));
    Blink(kCommandBlinkMs);
    return true;
}

void RaceController::OnBatteryButton() {
    if (Launch(true, IDS_BATTERY_LOADING))
        StartBatteryJob(m_device, m_handle);
}

void RaceController::OnRaceInfoButton() {
    if (Launch(true, IDS_RACEINFO_LOADING))
        StartRaceInfoJob(m_device, m_handle);
}

void RaceController::OnRaceTimeButton() {
    if (Launch(false, IDS_RACETIME_LOADING))
        StartRaceTimeJob(m_device, m_handle);
}

void RaceController::OnVersionButton() {
    if (Launch(false, IDS_VERSION_LOADING))
        StartVersionJob(m_device, m_handle);
}

void RaceController::OnSendButton() {
    if (!Launch(true, IDS_SENDING))
        return;
    auto request = std::make_unique<SendRequest>();
    request->target = m_handle;
    for (int i = 0; i < kStageCount; ++i) {
        request->times[i] = m_settings.Time[static_cast<size_t>(i)];
        request->values[i] = m_settings.Value[static_cast<size_t>(i)];
    }
    request->distance = RaceDistance(m_settings.RaceLength, m_settings.WheelDiam);
    request->timeMax = m_settings.TimeMax();
    request->returnMode = m_settings.ReturnMode != 0 ? 1 : 0;
    m_sending = m_settings;
    StartSendJob(m_device, std::move(request));
}

void RaceController::OnJobOutcome(const JobOutcome& outcome) {
    const std::optional<int> value = outcome.value;
    switch (outcome.message) {
    case WM_BATTERY_DONE:
        OnBatteryDone(value);
        break;
    case WM_RACEINFO_DONE:
        OnRaceInfoDone(value, outcome.speedReading);
        break;
    case WM_RACETIME_DONE:
        OnRaceTimeDone(value);
        break;
    case WM_SEND_DONE:
        OnSendDone(value);
        break;
    case WM_CONFIG_DONE:
        OnConfigDone(value);
        break;
    case WM_VERSION_DONE:
        OnVersionDone(value);
        break;
    default:
        return;
    }
    Blink(0);
    emit commandsEnabled(true);
}

void RaceController::OnBatteryDone(std::optional<int> value) {
    if (!value)
        return ReportError();
    emit batteryShown(*value);
    SetStatusText(LoadResourceString(IDS_BATTERY_LOADED));
    ShowOutcome(true);
}

void RaceController::OnRaceInfoDone(std::optional<int> raceTime, std::optional<int> speedReading) {
    if (!raceTime || !speedReading)
        return ReportError();
    m_raceTime = *raceTime;
    m_maxSpeed = TopSpeedFromReading(*speedReading, m_settings.WheelDiam);
    emit raceResultsChanged();
    SetStatusText(LoadResourceString(IDS_RACEINFO_LOADED));
    ShowOutcome(true);
    AddToJournal();
}

void RaceController::AddToJournal() {
    const JournalEntry entry{LocalTimeText(std::time(nullptr)), m_raceTime,
                             static_cast<double>(m_maxSpeed), m_lastSent};
    const JournalAppend append = AppendToJournal(kJournalFileName, entry);
    if (append.Outcome == JournalOutcome::Added)
        emit journalAppended();
    if (append.Outcome != JournalOutcome::Failed) {
        m_journalFailureShown = false;
        return;
    }
    if (!std::exchange(m_journalFailureShown, true))
        SetStatusText(JournalUnwritableText(append.Reason));
}

void RaceController::OnRaceTimeDone(std::optional<int> raceTime) {
    if (!raceTime)
        return ReportError();
    ShowOutcome(true);
    const QString text = FormatRaceTimeLoaded(LoadResourceString(IDS_RACETIME_LOADED), *raceTime);
    SetStatusText(text);
    emit messageBox(text, MessageIcon::None);
}

void RaceController::OnSendDone(std::optional<int> result) {
    if (!result)
        return ReportError();
    m_lastSent = m_sending;
    ShowOutcome(true);
    SetStatusText(LoadResourceString(IDS_SENT));
    emit messageBox(LoadResourceString(IDS_SENT), MessageIcon::Information);
}

void RaceController::OnConfigDone(std::optional<int> state) {
    if (!state)
        return ReportError();
    if (*state == 0) {
        SetStatusText(LoadResourceString(IDS_DEFAULTS_WARNING));
        emit messageBox(LoadResourceString(IDS_DEFAULTS_WARNING), MessageIcon::Warning);
    }
    ShowOutcome(true);
}

void RaceController::OnVersionDone(std::optional<int> version) {
    if (!version)
        return ReportError();
    SetStatusText(QStringLiteral("Release: ") + VersionText(*version));
    ShowOutcome(true);
}

void RaceController::OnDeviceChange(unsigned eventCode) {
    if (eventCode == DBT_DEVNODES_CHANGED)
        CheckConnection();
}

void RaceController::CheckConnection() {
    SetStatusText(LoadResourceString(IDS_USB_CHECKING));
    int inaccessible = 0;
    if (m_device->link.CountMatchingDevices(&inaccessible) >= 1) {
        SetStatusText(QString());
        if (m_carPresent)
            return;
        m_carPresent = true;
        ShowOutcome(true);
        OnBatteryButton();
        if (Launch(false, 0)) // the configuration state: is the car on its defaults?
            StartConfigStateJob(m_device, m_handle);
        emit commandsEnabled(true); // they stay usable while the two first reads run
        return;
    }
    m_carPresent = false;
    RenewHandle(); // the car is gone: what its jobs still report is out of date
    // A bridge the user may not open is most likely the car without its udev rule: say so.
    SetStatusText(LoadResourceString(inaccessible > 0 ? IDS_CAR_INACCESSIBLE : IDS_NO_CAR_FOUND));
    ShowOutcome(false);
    emit batteryShown(-1);
    emit commandsEnabled(false);
}

} // namespace drivo
