// Data exchange of the main window: the eight fields and the return box against the
// record, the lost-focus handlers and the chart's drag callbacks.
#include "CMainDialog.h"

#include "ControlIds.h"
#include "framework/MessageBoxes.h"
#include "i18n/ResourceModule.h"
#include "i18n/SafeFormat.h"
#include "i18n/StringIds.h"
#include "settings/RaceLimits.h"

#include <cmath>
#include <limits>

namespace drivo {

namespace {

constexpr int kTimeFields[5] = {ctl::kTime1, ctl::kTime2, ctl::kTime3, ctl::kTime4, ctl::kTime5};

// A dragged position becomes a record value truncated toward zero; a value no 32-bit
// field can hold (or not a number) is not stored.
bool TruncateToInt32(double v, std::int32_t& out) {
    const double t = std::trunc(v);
    if (!(t >= std::numeric_limits<std::int32_t>::min() && t <= std::numeric_limits<std::int32_t>::max()))
        return false;
    out = static_cast<std::int32_t>(t);
    return true;
}

} // namespace

void CMainDialog::CheckRange(CDataExchange& dx, std::int32_t value, std::int32_t lower, std::int32_t upper) {
    if (dx.Failed() || (lower <= value && value <= upper) || !dx.Taking())
        return;
    const QString text =
        FormatRangeMessage(LoadResourceString(IDS_RANGE_MESSAGE), lower, upper);
    ShowMessageBox(this, text, MessageIcon::Exclamation);
    dx.Fail();
}

void CMainDialog::DoDataExchange(CDataExchange& dx) {
    CDialog::DoDataExchange(dx);
    std::int32_t* t = m_settings.Time.data(); // t[5] is TimeMax
    // First pass: each stage time between its neighbours, as far as they are in order.
    ExchangeInt(dx, ctl::kTime1, t[0]);
    if (t[1] > 0)
        CheckRange(dx, t[0], 0, t[1]);
    for (int i = 1; i < 5; ++i) {
        ExchangeInt(dx, kTimeFields[i], t[i]);
        if (t[i - 1] < t[i + 1])
            CheckRange(dx, t[i], t[i - 1], t[i + 1]);
    }
    ExchangeInt(dx, ctl::kTimeMax, t[5]);
    if (t[4] < limits::kTimeMaxNeighbourBelow)
        CheckRange(dx, t[5], t[4], limits::kTimeHigh);
    ExchangeInt(dx, ctl::kRaceLength, m_settings.RaceLength);
    CheckRange(dx, m_settings.RaceLength, limits::kRaceLengthLow,
               limits::kRaceLengthFirstCheckHigh);
    ExchangeInt(dx, ctl::kWheelDiam, m_settings.WheelDiam);
    CheckRange(dx, m_settings.WheelDiam, limits::kWheelDiamLow, limits::kWheelDiamHigh);

    if (!m_attached && !dx.Failed())
        AttachControls();

    // Second pass: the fixed limits, with the framework's own message.
    for (int i = 0; i < 5; ++i) {
        ExchangeInt(dx, kTimeFields[i], t[i]);
        ValidateMinMaxInt(dx, t[i], limits::kTimeLow, limits::kTimeHigh);
    }
    ExchangeInt(dx, ctl::kTimeMax, t[5]);
    ValidateMinMaxInt(dx, t[5], limits::kTimeLow, limits::kTimeHigh);
    ExchangeInt(dx, ctl::kRaceLength, m_settings.RaceLength);
    ValidateMinMaxInt(dx, m_settings.RaceLength, limits::kRaceLengthLow, limits::kRaceLengthHigh);
    ExchangeInt(dx, ctl::kWheelDiam, m_settings.WheelDiam);
    ValidateMinMaxInt(dx, m_settings.WheelDiam, limits::kWheelDiamLow, limits::kWheelDiamHigh);

    ExchangeCheck(dx, ctl::kReturnMode, m_settings.ReturnMode);
}

void CMainDialog::OnEditKillFocus(int id) {
    for (int i = 0; i < 5; ++i)
        if (id == kTimeFields[i])
            return OnKillFocusTime(i);
    if (id == ctl::kTimeMax)
        OnKillFocusTimeMax();
    else if (id == ctl::kRaceLength)
        OnKillFocusRaceLength();
    else if (id == ctl::kWheelDiam)
        OnKillFocusWheelDiam();
}

void CMainDialog::OnKillFocusTime(int index) {
    if (index < 0 || index >= kStageCount || !UpdateData(true))
        return;
    m_chart.SetBarEndTime(index, static_cast<double>(m_settings.Time[static_cast<size_t>(index)]));
    m_chart.Redraw();
}

void CMainDialog::OnKillFocusTimeMax() {
    if (!UpdateData(true))
        return;
    m_chart.SetMaxTime(static_cast<double>(m_settings.TimeMax()), false);
    m_chart.Redraw();
}

void CMainDialog::OnKillFocusRaceLength() { UpdateData(true); }

void CMainDialog::OnKillFocusWheelDiam() { UpdateData(true); }

void CMainDialog::OnStageTimeDragged(int index, double time) {
    std::int32_t v = 0;
    if (static_cast<unsigned>(index) < kStageCount && TruncateToInt32(time, v))
        m_settings.Time[static_cast<size_t>(index)] = v;
    UpdateData(false);
}

void CMainDialog::OnStageValueDragged(int index, double value) {
    std::int32_t v = 0;
    if (static_cast<unsigned>(index) < kStageCount && TruncateToInt32(value, v))
        m_settings.Value[static_cast<size_t>(index)] = v;
    UpdateData(false);
}

} // namespace drivo
