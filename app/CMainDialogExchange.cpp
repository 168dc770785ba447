// SPDX-License-Identifier: GPL-3.0-or-later
// Data exchange of the main window: the eight fields and the return box against the
// controller's record, and the lost-focus handlers.
#include "CMainDialog.h"

#include "ControlIds.h"
#include "chart/ChartSetup.h"
#include "framework/MessageBoxes.h"
#include "i18n/ResourceModule.h"
#include "i18n/SafeFormat.h"
#include "i18n/StringIds.h"
#include "settings/RaceLimits.h"

namespace drivo {

namespace {
constexpr int kTimeFields[kStageCount] = {ctl::kTime1, ctl::kTime2, ctl::kTime3, ctl::kTime4,
                                          ctl::kTime5};
} // namespace

void CMainDialog::CheckRange(CDataExchange& dx, std::int32_t value, std::int32_t lower,
                             std::int32_t upper) {
    if (dx.Failed() || (lower <= value && value <= upper) || !dx.Taking())
        return;
    const QString text = FormatRangeMessage(LoadResourceString(IDS_RANGE_MESSAGE), lower, upper);
    ShowMessageBox(this, text, MessageIcon::Exclamation);
    dx.Fail();
}

void CMainDialog::DoDataExchange(CDataExchange& dx) {
    CDialog::DoDataExchange(dx);
    RaceSettings& settings = m_controller.Settings();
    std::int32_t* t = settings.Time.data(); // t[kTimeMaxIndex] is TimeMax
    // First pass: each stage time between its neighbours, as far as they are in order.
    ExchangeInt(dx, ctl::kTime1, t[0]);
    if (t[1] > 0)
        CheckRange(dx, t[0], 0, t[1]);
    for (int i = 1; i < kStageCount; ++i) {
        ExchangeInt(dx, kTimeFields[i], t[i]);
        if (t[i - 1] < t[i + 1])
            CheckRange(dx, t[i], t[i - 1], t[i + 1]);
    }
    ExchangeInt(dx, ctl::kTimeMax, t[kTimeMaxIndex]);
    if (t[kTimeMaxIndex - 1] < limits::kTimeMaxNeighbourBelow)
        CheckRange(dx, t[kTimeMaxIndex], t[kTimeMaxIndex - 1], limits::kTimeHigh);
    ExchangeInt(dx, ctl::kRaceLength, settings.RaceLength);
    CheckRange(dx, settings.RaceLength, limits::kRaceLengthLow, limits::kRaceLengthFirstCheckHigh);
    ExchangeInt(dx, ctl::kWheelDiam, settings.WheelDiam);
    CheckRange(dx, settings.WheelDiam, limits::kWheelDiamLow, limits::kWheelDiamHigh);

    if (!m_attached && !dx.Failed())
        AttachControls();

    // Second pass: the fixed limits, with the framework's own message.
    for (int i = 0; i < kStageCount; ++i) {
        ExchangeInt(dx, kTimeFields[i], t[i]);
        ValidateMinMaxInt(dx, t[i], limits::kTimeLow, limits::kTimeHigh);
    }
    ExchangeInt(dx, ctl::kTimeMax, t[kTimeMaxIndex]);
    ValidateMinMaxInt(dx, t[kTimeMaxIndex], limits::kTimeLow, limits::kTimeHigh);
    ExchangeInt(dx, ctl::kRaceLength, settings.RaceLength);
    ValidateMinMaxInt(dx, settings.RaceLength, limits::kRaceLengthLow, limits::kRaceLengthHigh);
    ExchangeInt(dx, ctl::kWheelDiam, settings.WheelDiam);
    ValidateMinMaxInt(dx, settings.WheelDiam, limits::kWheelDiamLow, limits::kWheelDiamHigh);

    ExchangeCheck(dx, ctl::kReturnMode, settings.ReturnMode);
}

void CMainDialog::OnEditKillFocus(int id) {
    for (int i = 0; i < kStageCount; ++i)
        if (id == kTimeFields[i])
            return OnKillFocusTime(i);
    if (id == ctl::kTimeMax)
        OnKillFocusTimeMax();
    else if (id == ctl::kRaceLength)
        OnKillFocusRaceLength();
    else if (id == ctl::kWheelDiam)
        OnKillFocusWheelDiam();
}

// A time taken from its field shows in the chart, which draws the record.
void CMainDialog::OnKillFocusTime(int index) {
    if (index >= 0 && index < kStageCount && UpdateData(true))
        ShowProfile(m_chart, m_controller.Settings());
}

void CMainDialog::OnKillFocusTimeMax() {
    if (UpdateData(true))
        ShowProfile(m_chart, m_controller.Settings());
}

// A profile replaced the record: the fields and the chart show it.
void CMainDialog::ShowLoadedProfile() {
    UpdateData(false);
    ShowProfile(m_chart, m_controller.Settings());
}

void CMainDialog::OnKillFocusRaceLength() {
    UpdateData(true);
}

void CMainDialog::OnKillFocusWheelDiam() {
    UpdateData(true);
}

} // namespace drivo
