// SPDX-License-Identifier: GPL-3.0-or-later
#include "MainDisplay.h"

#include "ControlIds.h"
#include "RaceDisplay.h"
#include "framework/CDialog.h"
#include "i18n/ResourceModule.h"
#include "i18n/SafeFormat.h"
#include "i18n/StringIds.h"

#include <QLabel>

namespace drivo {

void MainDisplay::AttachControls() {
    m_usbIndicator = m_window.Item<CUsbStatusIndicator>(ctl::kUsbIndicator);
    m_batteryBar = m_window.Item<CPercentProgress>(ctl::kBatteryBar);
}

void MainDisplay::CreateStatusBar() {
    m_statusBar = new CStatusBar(&m_window);
    m_statusBar->SetIndicators({ctl::kPaneStatus, ctl::kPaneClock});
    m_statusBar->SetPaneInfo(0, ctl::kPaneStatus, false, m_window.width() - 100);
    m_statusBar->SetPaneInfo(1, ctl::kPaneClock, true, 0);
    m_statusBar->show();
    m_statusBar->Reposition();
}

void MainDisplay::Reposition() {
    if (m_statusBar)
        m_statusBar->Reposition();
}

void MainDisplay::PrepareBatteryBar() {
    // Without the platform look the bar is filled with exactly the battery colour.
    if (!m_batteryBar)
        return;
    m_batteryBar->setRange(0, 100);
    m_batteryBar->SetWindowTheme(QString());
}

void MainDisplay::SetStatusText(const QString& text) {
    if (m_statusBar)
        m_statusBar->SetPaneText(0, text);
}

void MainDisplay::Blink(unsigned periodMs) {
    if (m_usbIndicator)
        m_usbIndicator->Blink(periodMs);
}

void MainDisplay::ShowOutcome(bool success) {
    if (!m_usbIndicator)
        return;
    m_usbIndicator->Blink(0);
    m_usbIndicator->SetState(success ? 1 : 0);
}

void MainDisplay::ShowRaceResults(std::int32_t raceTime, std::int32_t maxSpeed) {
    if (auto* time = m_window.Item<QLabel>(ctl::kRaceTimeLabel))
        time->setText(FormatTimedRace(LoadResourceString(IDS_TIMED_RACE), raceTime));
    if (auto* speed = m_window.Item<QLabel>(ctl::kMaxSpeedLabel))
        speed->setText(
            FormatMaxSpeed(LoadResourceString(IDS_MAX_SPEED), static_cast<double>(maxSpeed)));
}

void MainDisplay::ShowBattery(std::int32_t reading) {
    if (!m_batteryBar)
        return;
    // Position, text, colour: the colour repaints the bar, which shows the new text.
    const BatteryLook look = BatteryLookFor(reading);
    m_batteryBar->setValue(look.Percent);
    m_batteryBar->SetWindowText(QString::fromStdString(look.Text));
    m_batteryBar->SetBarColor(QColor(look.Colour.R, look.Colour.G, look.Colour.B));
}

void MainDisplay::ShowTime() {
    if (m_statusBar)
        m_statusBar->SetPaneText(1, m_clock().toString(QStringLiteral("HH:mm:ss")));
}

} // namespace drivo
