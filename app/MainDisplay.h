// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the main window shows of the car: the status bar with its clock, the red/green USB
// symbol over control 1031, the battery display and the race results.
#include "framework/CStatusBar.h"
#include "widgets/CPercentProgress.h"
#include "widgets/CUsbStatusIndicator.h"

#include <QPointer>
#include <QTime>
#include <cstdint>
#include <functional>

namespace drivo {

class CDialog;

class MainDisplay {
public:
    explicit MainDisplay(CDialog& window)
        : m_window(window), m_clock([] { return QTime::currentTime(); }) {}

    // The battery bar and the indicator, once the first exchange has attached the controls.
    void AttachControls();
    void CreateStatusBar();
    // Keeps the status bar at the window's foot.
    void Reposition();
    void PrepareBatteryBar();

    void SetStatusText(const QString& text);
    void Blink(unsigned periodMs);
    // The indicator, still, red (false) or green (true).
    void ShowOutcome(bool success);
    // A battery reading, or a negative value for "no reading".
    void ShowBattery(std::int32_t reading);
    void ShowRaceResults(std::int32_t raceTime, std::int32_t maxSpeed);
    // The clock pane shows the local time.
    void ShowTime();

    CStatusBar* StatusBar() const { return m_statusBar; }
    CPercentProgress* BatteryBar() const { return m_batteryBar; }
    CUsbStatusIndicator* UsbIndicator() const { return m_usbIndicator; }
    // Local time source of the clock pane.
    void SetClock(std::function<QTime()> clock) { m_clock = std::move(clock); }

private:
    CDialog& m_window;
    CStatusBar* m_statusBar = nullptr;
    QPointer<CUsbStatusIndicator> m_usbIndicator;
    QPointer<CPercentProgress> m_batteryBar;
    std::function<QTime()> m_clock;
};

} // namespace drivo
