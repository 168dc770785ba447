// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main window: template 102, the settings fields, the status bar with its clock, the
// race results and the battery display, and the ways the window closes.
#include "CJournalWindow.h"
#include "ProfileCommands.h"
#include "RaceController.h"
#include "chart/CProfileChart.h"
#include "framework/CDialog.h"
#include "framework/CStatusBar.h"
#include "framework/CToolTipCtrl.h"
#include "i18n/LanguageSelection.h"
#include "widgets/CImageButtonWithStyle.h"
#include "widgets/CPercentProgress.h"
#include "widgets/CSkinButton.h"
#include "widgets/CUsbStatusIndicator.h"

#include <QBrush>
#include <QIcon>
#include <QPointer>
#include <QPushButton>
#include <QTime>
#include <cstdint>
#include <functional>
#include <memory>

class QMenu;

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
    const RaceController& Controller() const { return m_controller; }
    // Back to the built-in French resources when a language bundle is loaded.
    void ReleaseLanguageLibrary();

    // Lost-focus handlers of the eight fields (also run by Enter in the field).
    void OnKillFocusTime(int index); // Time1..Time5
    void OnKillFocusTimeMax();
    void OnKillFocusRaceLength();
    void OnKillFocusWheelDiam();

    // The platform's device-change message, for the controller's connection check.
    void OnDeviceChange(unsigned eventCode) { m_controller.OnDeviceChange(eventCode); }
    // The visible skinned button of a placeholder id, or nullptr.
    CSkinButton* CommandButton(int id) const;

    void OnTimer(int id) override;
    void OnSysCommand(int id);
    void OnCommand(int id) override;

    CStatusBar* StatusBar() const { return m_statusBar; }
    CPercentProgress* BatteryBar() const { return m_batteryBar; }
    // The red/green USB symbol over control 1031; the command flows blink and set it.
    CUsbStatusIndicator* UsbIndicator() const { return m_usbIndicator; }
    CToolTipCtrl* ToolTips() const { return m_toolTips.get(); }
    QMenu* WindowMenu() const { return m_windowMenu; }

    // Local time source of the clock pane.
    void SetClock(std::function<QTime()> clock) { m_clock = std::move(clock); }
    // The profile chart over control 1049; it draws the controller's record.
    CProfileChart& Chart() { return m_chart; }

    // The file dialogs of the profile commands (Qt's by default): the name, or empty.
    using AskFile = std::function<QString(QWidget* parent)>;
    void SetProfileDialogs(AskFile askToSave, AskFile askToOpen) {
        m_askProfileToSave = std::move(askToSave);
        m_askProfileToOpen = std::move(askToOpen);
    }
    // The race journal window while it is open, else nullptr.
    CJournalWindow* JournalWindow() const { return m_journalWindow; }

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
    void ShowRaceResults();
    void ShowBattery(std::int32_t reading);
    void ShowOutcome(bool success);
    void SetStatusText(const QString& text);
    void EnablePlaceholders(bool enable);
    void EnableCommandButtons(bool enable);
    // Skin: buttons, background picture, flags.
    void CreateSkinButtons();
    void DeleteSkinButtons();
    // Faces and spoken names of the skinned buttons, in the current language.
    void ApplySkinFaces();
    void RegisterBackground();
    void ReleaseBackground();
    void DrawBackgroundPictures(QPainter& painter);
    // The transparent skinned buttons take the window's pixels under them anew.
    void RefreshSkinBackgrounds();
    void PrepareFlagPlaceholders();
    // Chart, language, About box.
    void ConfigureChart();
    void SetupChart();
    void ApplyLanguage(std::uint16_t languageId);
    void SetFlagPlaceholders(std::uint16_t languageId);
    void WriteLanguageTexts();
    // The window menu's items in the current language: the profile and journal items, the
    // separator, the About item.
    void SetMenuItems();
    // The menu command of a Ctrl+key, or 0.
    static int MenuCommandOfKey(int key);
    // The profile commands and the journal window.
    void OnSaveProfile();
    void OnOpenProfile();
    void OpenJournalWindow();
    void ShowLoadedProfile();
    void OpenAboutBox();
    // The send takes the fields first; the flags switch the language.
    void OnSendButton();
    void OnFrenchFlag();
    void OnEnglishFlag();

    void AttachControls();
    void BuildWindowMenu();
    void CreateStatusBar();
    void PrepareBatteryBar();
    void CreateToolTips();
    void ApplyControlColours();
    void RunClosingSteps();

    RaceController m_controller;
    CStatusBar* m_statusBar = nullptr;
    QPointer<QPushButton> m_exitPlaceholder, m_batteryPlaceholder, m_raceInfoPlaceholder,
        m_sendPlaceholder, m_versionButton;
    QPointer<CImageButtonWithStyle> m_frenchFlag, m_englishFlag;
    QPointer<QWidget> m_raceLengthField;
    QPointer<CUsbStatusIndicator> m_usbIndicator;
    QPointer<CPercentProgress> m_batteryBar;
    QIcon m_icon;
    CProfileChart m_chart;
    QBrush m_brush;
    bool m_hasBrush = false;
    std::unique_ptr<CToolTipCtrl> m_toolTips;

    LanguageEnvironment m_language;
    std::vector<QPointer<CSkinButton>> m_skinButtons; // over 1038, 1041, 1042, 8, 1054, 1055
    // The command button that had the keyboard when the command buttons were disabled, and
    // the control the disabling handed it to.
    QPointer<QWidget> m_focusOwner, m_focusHandedTo;

    QMenu* m_windowMenu = nullptr;
    AskFile m_askProfileToSave = AskProfileToSave;
    AskFile m_askProfileToOpen = AskProfileToOpen;
    QPointer<CJournalWindow> m_journalWindow;
    std::function<QTime()> m_clock;
    bool m_attached = false;
};

} // namespace drivo
