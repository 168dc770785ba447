// SPDX-License-Identifier: GPL-3.0-or-later
// Language selection of the main window: the current resource module, the flags, and every
// text of the window that depends on the language.
#include "CMainDialog.h"

#include "ControlIds.h"
#include "i18n/LanguageTable.h"
#include "i18n/ResourceModule.h"
#include "i18n/StringIds.h"

namespace drivo {

namespace {

struct LanguageText {
    int StringId;
    int ControlId;
};

// The hidden placeholders of the command buttons get their texts before the tooltips are set.
constexpr LanguageText kPlaceholderTexts[] = {
    {IDS_BATTERY_BUTTON, ctl::kBattery},
    {IDS_RACEINFO_BUTTON, ctl::kRaceInfo},
    {IDS_SEND_BUTTON, ctl::kSend},
};

constexpr LanguageText kLabelTexts[] = {
    {IDS_LANGUAGE_GROUP, ctl::kLanguageGroup},    {IDS_RACE_LENGTH_LABEL, ctl::kRaceLengthLabel},
    {IDS_WHEEL_DIAM_LABEL, ctl::kWheelDiamLabel}, {IDS_TIME_MAX_LABEL, ctl::kTimeMaxLabel},
    {IDS_STAGE1_LABEL, ctl::kStage1Label},        {IDS_STAGE2_LABEL, ctl::kStage2Label},
    {IDS_STAGE3_LABEL, ctl::kStage3Label},        {IDS_STAGE4_LABEL, ctl::kStage4Label},
    {IDS_STAGE5_LABEL, ctl::kStage5Label},        {IDS_RETURN_CHECKBOX, ctl::kReturnMode},
};

// Tooltips of the visible command buttons.
constexpr LanguageText kToolTips[] = {
    {IDS_TIP_BATTERY, ctl::kBattery},
    {IDS_TIP_RACEINFO, ctl::kRaceInfo},
    {IDS_TIP_SEND, ctl::kSend},
};

} // namespace

void CMainDialog::ApplyLanguage(std::uint16_t languageId) {
    // Unknown language, or no usable bundle: the built-in French resources.
    if (!LoadLanguageBundle(ResourceModule::Current(), languageId, m_language.programPath()))
        ReleaseLanguageLibrary();
    // The picture comes from the module that is current now.
    m_skin.ReleaseBackground();
    m_skin.RegisterBackground();
    update();
    m_skin.ShowLanguage(languageId);
    WriteLanguageTexts();
    m_skin.ApplyFaces(); // named after the placeholders' new texts
    m_display.ShowRaceResults(m_controller.RaceTime(), m_controller.MaxSpeed());
    m_menu.SetItems();
    m_chart.SetTitle(LoadResourceString(IDS_CHART_TITLE));
    m_chart.Redraw();
}

void CMainDialog::ReleaseLanguageLibrary() {
    ResourceModule::Current().ReleaseBundle();
}

void CMainDialog::WriteLanguageTexts() {
    for (const LanguageText& t : kPlaceholderTexts)
        SetDlgItemText(t.ControlId, LoadResourceString(t.StringId));
    if (m_toolTips)
        for (const LanguageText& t : kToolTips)
            m_toolTips->AddTool(CommandButton(t.ControlId), LoadResourceString(t.StringId));
    for (const LanguageText& t : kLabelTexts)
        SetDlgItemText(t.ControlId, LoadResourceString(t.StringId));
}

// The flags switch the window only: LanguageId, and so the settings file, keep the user's
// default language.
void CMainDialog::OnFrenchFlag() {
    ApplyLanguage(kLangFrenchFrance);
}
void CMainDialog::OnEnglishFlag() {
    ApplyLanguage(kLangEnglishUnitedStates);
}

} // namespace drivo
