// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main window: template 102, its fields against the controller's record, the chart, the
// texts of the current language and the ways the window closes. Its skin, what it shows of
// the car and its menu are parts of their own.
#include "MainDisplay.h"
#include "MainMenu.h"
#include "MainSkin.h"
#include "RaceController.h"
#include "chart/CProfileChart.h"
#include "framework/CDialog.h"
#include "framework/CToolTipCtrl.h"
#include "i18n/LanguageSelection.h"

#include <QBrush>
#include <QIcon>
#include <QPointer>
#include <QPushButton>
#include <cstdint>
#include <memory>

namespace drivo {

class CMainDialog : public CDialog {
    Q_OBJECT
public:
    explicit CMainDialog(QWidget* parent = nullptr, DeviceServices services = {},
                         LanguageEnvironment language = {});
    ~CMainDialog() override;

    void DestroyWindow() override;

    // The record, the device and the command flows behind the window.
    RaceController& Controller() { return m_controller; }
    // Back to the built-in French resources when a language bundle is loaded.
    void ReleaseLanguageLibrary();

    // Lost-focus handlers of the eight fields (also run by Enter in the field).
    void OnKillFocusTime(int index); // Time1..Time5
    void OnKillFocusTimeMax();
    void OnKillFocusRaceLength();
    void OnKillFocusWheelDiam();

    // The visible skinned button of a placeholder id, or nullptr.
    CSkinButton* CommandButton(int id) const { return m_skin.Button(id); }

    void OnTimer(int id) override;
    void OnSysCommand(int id);
    void OnCommand(int id) override;

    // The status bar, the USB symbol, the battery display and the race results.
    MainDisplay& Display() { return m_display; }
    // The window menu, the profile commands and the journal window.
    MainMenu& Menu() { return m_menu; }
    CToolTipCtrl* ToolTips() const { return m_toolTips.get(); }
    // The profile chart over control 1049; it draws the controller's record.
    CProfileChart& Chart() { return m_chart; }

protected:
    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;
    void OnOK() override;
    void OnCancel() override;
    void OnEditKillFocus(int id) override;
    bool PreTranslateMessage(QObject* target, QEvent* event) override;

    // The first pass's check against the neighbours, with message 1067.
    void CheckRange(CDataExchange& dx, std::int32_t value, std::int32_t lower, std::int32_t upper);

    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    // What the controller tells the window to show.
    void ConnectController();
    void EnablePlaceholders(bool enable);
    void ShowLoadedProfile();
    void SetupChart();
    void ApplyLanguage(std::uint16_t languageId);
    void WriteLanguageTexts();
    void OpenAboutBox();
    // The send takes the fields first; the flags switch the language.
    void OnSendButton();
    void OnFrenchFlag();
    void OnEnglishFlag();

    void AttachControls();
    void CreateToolTips();
    void ApplyControlColours();
    void RunClosingSteps();

    RaceController m_controller;
    MainSkin m_skin{*this};
    MainDisplay m_display{*this};
    MainMenu m_menu{*this, m_controller};
    QPointer<QPushButton> m_batteryPlaceholder, m_raceInfoPlaceholder, m_sendPlaceholder;
    QIcon m_icon;
    CProfileChart m_chart;
    QBrush m_brush;
    bool m_hasBrush = false;
    std::unique_ptr<CToolTipCtrl> m_toolTips;
    LanguageEnvironment m_language;
    bool m_attached = false;
};

} // namespace drivo
