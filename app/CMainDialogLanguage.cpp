// SPDX-License-Identifier: GPL-3.0-or-later
// Language selection of the main window: the current resource module, the flags, and every
// text of the window that depends on the language.
#include "CMainDialog.h"

#include "ControlIds.h"
#include "i18n/LanguageTable.h"
#include "i18n/ResourceModule.h"
#include "i18n/StringIds.h"

#include <QKeySequence>
#include <QMenu>

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

// The menu items above the separator, with their Ctrl+key.
struct MenuCommand {
    int StringId;
    int Command;
    Qt::Key Key;
};
constexpr MenuCommand kMenuCommands[] = {
    {IDS_MENU_OPEN_PROFILE, ctl::kOpenProfileCommand, Qt::Key_O},
    {IDS_MENU_SAVE_PROFILE, ctl::kSaveProfileCommand, Qt::Key_S},
    {IDS_MENU_JOURNAL, ctl::kJournalCommand, Qt::Key_J},
};

} // namespace

void CMainDialog::ApplyLanguage(std::uint16_t languageId) {
    // Unknown language, or no usable bundle: the built-in French resources.
    if (!LoadLanguageBundle(ResourceModule::Current(), languageId, m_language.programPath()))
        ReleaseLanguageLibrary();
    // The picture comes from the module that is current now.
    ReleaseBackground();
    RegisterBackground();
    update();
    SetFlagPlaceholders(languageId);
    WriteLanguageTexts();
    ApplySkinFaces(); // named after the placeholders' new texts
    ShowRaceResults();
    SetMenuItems();
    if (m_journalWindow)
        m_journalWindow->Retranslate();
    m_chart.SetTitle(LoadResourceString(IDS_CHART_TITLE));
    m_chart.Redraw();
}

void CMainDialog::ReleaseLanguageLibrary() {
    ResourceModule::Current().ReleaseBundle();
}

void CMainDialog::SetFlagPlaceholders(std::uint16_t languageId) {
    const std::uint16_t primary = PrimaryLanguage(languageId);
    if (primary != kPrimaryFrench && primary != kPrimaryEnglish)
        return;
    const bool french = primary == kPrimaryFrench;
    for (auto [flag, on] : {std::pair{m_englishFlag, !french}, std::pair{m_frenchFlag, french}}) {
        if (!flag)
            continue;
        flag->setDown(on);
        flag->setChecked(on);
    }
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

void CMainDialog::SetMenuItems() {
    if (!m_windowMenu)
        return;
    m_windowMenu->clear();
    for (const MenuCommand& c : kMenuCommands) {
        const QString text = LoadResourceString(c.StringId);
        if (!text.isEmpty())
            m_windowMenu
                ->addAction(text + u'\t' +
                            QKeySequence(Qt::CTRL | c.Key).toString(QKeySequence::NativeText))
                ->setData(c.Command);
    }
    m_windowMenu->addSeparator();
    const QString about = LoadResourceString(IDS_ABOUTBOX);
    if (!about.isEmpty())
        m_windowMenu->addAction(about)->setData(ctl::kAboutCommand);
}

int CMainDialog::MenuCommandOfKey(int key) {
    for (const MenuCommand& c : kMenuCommands)
        if (c.Key == key)
            return c.Command;
    return 0;
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
