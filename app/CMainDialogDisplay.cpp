// Race results and battery display of the main window.
#include "CMainDialog.h"

#include "AppStrings.h"
#include "ControlIds.h"
#include "TextFormat.h"

#include <QLabel>

namespace drivo {

void CMainDialog::TakeSpeedReading(std::int32_t reading) {
    m_maxSpeed = MaxSpeedFromReading(reading, m_settings.WheelDiam);
}

void CMainDialog::ShowRaceResults() {
    if (auto* time = Item<QLabel>(ctl::kRaceTimeLabel))
        time->setText(LoadFormattedInt(appstr::kRaceTimeLabel, m_raceTime));
    if (auto* speed = Item<QLabel>(ctl::kMaxSpeedLabel))
        speed->setText(LoadFormattedDouble(appstr::kMaxSpeedLabel, static_cast<double>(m_maxSpeed)));
}

void CMainDialog::ShowBattery(std::int32_t reading) {
    if (m_batteryBar)
        ApplyBatteryLook(*m_batteryBar, BatteryLookFor(reading));
}

} // namespace drivo
