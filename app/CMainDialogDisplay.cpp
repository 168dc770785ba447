// Race results and battery display of the main window.
#include "CMainDialog.h"

#include "ControlIds.h"
#include "RaceDisplay.h"
#include "i18n/ResourceModule.h"
#include "i18n/SafeFormat.h"
#include "i18n/StringIds.h"

#include <QLabel>

namespace drivo {

void CMainDialog::TakeSpeedReading(std::int32_t reading) {
    m_maxSpeed = MaxSpeedFromReading(reading, m_settings.WheelDiam);
}

void CMainDialog::ShowRaceResults() {
    if (auto* time = Item<QLabel>(ctl::kRaceTimeLabel))
        time->setText(FormatTimedRace(LoadResourceString(IDS_TIMED_RACE), m_raceTime));
    if (auto* speed = Item<QLabel>(ctl::kMaxSpeedLabel))
        speed->setText(FormatMaxSpeed(LoadResourceString(IDS_MAX_SPEED),
                                      static_cast<double>(m_maxSpeed)));
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
