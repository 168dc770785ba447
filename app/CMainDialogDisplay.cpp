// SPDX-License-Identifier: GPL-3.0-or-later
// What the controller has the main window show: the status pane, the indicator, the race
// results and the battery display.
#include "CMainDialog.h"

#include "ControlIds.h"
#include "RaceDisplay.h"
#include "framework/MessageBoxes.h"
#include "i18n/ResourceModule.h"
#include "i18n/SafeFormat.h"
#include "i18n/StringIds.h"

#include <QLabel>

namespace drivo {

// The controller's notifications, shown in the order it gives them.
void CMainDialog::ConnectController() {
    RaceController* c = &m_controller;
    connect(c, &RaceController::statusText, this, &CMainDialog::SetStatusText);
    connect(c, &RaceController::outcomeShown, this, &CMainDialog::ShowOutcome);
    connect(c, &RaceController::blinking, this, [this](unsigned periodMs) {
        if (m_usbIndicator)
            m_usbIndicator->Blink(periodMs);
    });
    connect(c, &RaceController::commandsEnabled, this, &CMainDialog::EnableCommandButtons);
    connect(c, &RaceController::placeholdersEnabled, this, &CMainDialog::EnablePlaceholders);
    connect(c, &RaceController::batteryShown, this, &CMainDialog::ShowBattery);
    connect(c, &RaceController::raceResultsChanged, this, &CMainDialog::ShowRaceResults);
    connect(c, &RaceController::messageBox, this,
            [this](const QString& text, MessageIcon icon) { ShowMessageBox(this, text, icon); });
    connect(c, &RaceController::fieldsChanged, this, [this] { UpdateData(false); });
    connect(c, &RaceController::profileLoaded, this, &CMainDialog::ShowLoadedProfile);
    connect(c, &RaceController::journalAppended, this, [this] {
        if (m_journalWindow)
            m_journalWindow->Reload();
    });
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

void CMainDialog::ShowRaceResults() {
    if (auto* time = Item<QLabel>(ctl::kRaceTimeLabel))
        time->setText(FormatTimedRace(LoadResourceString(IDS_TIMED_RACE), m_controller.RaceTime()));
    if (auto* speed = Item<QLabel>(ctl::kMaxSpeedLabel))
        speed->setText(FormatMaxSpeed(LoadResourceString(IDS_MAX_SPEED),
                                      static_cast<double>(m_controller.MaxSpeed())));
}

void CMainDialog::ShowBattery(std::int32_t reading) {
    if (!m_batteryBar)
        return;
    // Position, text, colour: the colour repaints the bar, which shows the new text.
    const BatteryLook look = BatteryLookFor(reading);
    m_batteryBar->setValue(look.Percent);
    m_batteryBar->SetWindowText(QString::fromStdString(look.Text));
    m_batteryBar->SetBarColor(QColor(look.Colour.R, look.Colour.G, look.Colour.B));
}

} // namespace drivo
