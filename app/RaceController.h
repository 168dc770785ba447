// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The race controller: the settings record the fields and the chart show, the device context
// of the jobs, the command flows from their launch to their outcome, and the connection
// check. It holds no widget; it tells its window what to show through its signals, in the
// order the window must show it.
#include "DeviceServices.h"
#include "device/DeviceContext.h"
#include "framework/MessageBoxes.h"
#include "settings/RaceJournal.h"
#include "settings/RaceSettings.h"

#include <QObject>
#include <QString>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace drivo {

// A car software version (major * 256 + minor) as "major.minor".
QString VersionText(int version);

class RaceController : public QObject {
    Q_OBJECT
public:
    explicit RaceController(DeviceServices services = {});
    ~RaceController() override;

    RaceSettings& Settings() { return m_settings; }
    const RaceSettings& Settings() const { return m_settings; }
    std::uint16_t LanguageId() const { return m_languageId; }
    // The record's built-in defaults, or what the settings file holds.
    void LoadDefaults(std::uint16_t userDefaultLanguage);
    // A failed write is silent: the old file stays as it was.
    void SaveSettings() const;
    // A profile file: the record as it is, or, on failure, the system's reason.
    bool SaveProfile(const std::string& path, std::string& reason) const;
    // A profile that passed the profile checks replaces the record; the window shows it.
    void LoadProfile(const RaceSettings& settings);

    // Race results, shown by the window on raceResultsChanged.
    std::int32_t RaceTime() const { return m_raceTime; }
    std::int32_t MaxSpeed() const { return m_maxSpeed; }

    // A stage dragged in the chart: the record takes the whole value; one no 32-bit field
    // can hold is not stored.
    void OnStageTimeDragged(int index, double time);
    void OnStageValueDragged(int index, double value);

    // The command flows. A flow guarded by its placeholder does not start while the
    // placeholders are locked; the window has validated its fields before a send.
    void OnBatteryButton();
    void OnRaceInfoButton();
    void OnRaceTimeButton();
    void OnVersionButton();
    void OnSendButton();
    // The platform's device-change message; "device nodes changed" runs the connection check.
    void OnDeviceChange(unsigned eventCode);
    void CheckConnection();
    bool CarPresent() const { return m_carPresent; }

    // What the About box's version read works on: the messenger and the context of the jobs,
    // the placeholders' lock and the indicator.
    const DeviceServices& Services() const { return m_services; }
    const std::shared_ptr<DeviceContext>& Device() const { return m_device; }
    WindowHandle Handle() const { return m_handle; }
    void EnablePlaceholders(bool enable);
    unsigned BlinkPeriod() const { return m_blinkPeriod; }
    void Blink(unsigned periodMs);
    void ShowOutcome(bool success);
    void SetStatusText(const QString& text) { emit statusText(text); }

signals:
    void statusText(const QString& text);
    // The indicator, still, red (false) or green (true).
    void outcomeShown(bool success);
    void blinking(unsigned periodMs);
    void commandsEnabled(bool enable);
    void placeholdersEnabled(bool enable);
    // A battery reading, or a negative value for "no reading".
    void batteryShown(std::int32_t reading);
    void raceResultsChanged();
    void messageBox(const QString& text, MessageIcon icon);
    // The record changed outside the fields (a drag): the fields show it anew.
    void fieldsChanged();
    // The record was replaced by a profile: the fields and the chart show it anew.
    void profileLoaded();
    // A line was added to the race journal.
    void journalAppended();

private:
    void RenewHandle();
    // The common launcher steps; false when the flow is guarded and the placeholders locked.
    bool Launch(bool guarded, int statusTextId);
    // Each outcome goes to its job's handler; an empty value is a failed read.
    void OnJobOutcome(const JobOutcome& outcome);
    void OnBatteryDone(std::optional<int> value);
    void OnRaceInfoDone(std::optional<int> raceTime, std::optional<int> speedReading);
    void OnRaceTimeDone(std::optional<int> raceTime);
    void OnSendDone(std::optional<int> result);
    void OnConfigDone(std::optional<int> state);
    void OnVersionDone(std::optional<int> version);
    void ReportError();
    // Adds the race results, with the profile the car last took in this run, to the race
    // journal in the working directory.
    void AddToJournal();

    RaceSettings m_settings{};
    std::uint16_t m_languageId = 0;
    std::int32_t m_raceTime = 0;
    std::int32_t m_maxSpeed = 0;
    RaceSettings m_sending{};               // what the send under way gives the car
    std::optional<RaceSettings> m_lastSent; // none before the first send
    bool m_journalFailureShown = false;     // pane 0 says it once, not on every read
    DeviceServices m_services;
    bool m_ownsMessenger = false;
    std::shared_ptr<DeviceContext> m_device;
    WindowHandle m_handle = 0;
    bool m_carPresent = false;
    bool m_placeholdersEnabled = true;
    unsigned m_blinkPeriod = 0;
};

} // namespace drivo
