#pragma once
// The main window: template 102, the settings fields, the status bar with its clock, the
// race results and the battery display, and the ways the window closes.
#include "DeviceServices.h"
#include "chart/CProfileChart.h"
#include "device/DeviceContext.h"
#include "framework/CDialog.h"
#include "framework/CStatusBar.h"
#include "framework/CToolTipCtrl.h"
#include "i18n/LanguageSelection.h"
#include "settings/RaceSettings.h"
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

// A car software version (major * 256 + minor) as "major.minor".
QString VersionText(std::intptr_t version);

class CMainDialog : public CDialog {
    Q_OBJECT
public:
    explicit CMainDialog(QWidget* parent = nullptr, DeviceServices services = {},
                         LanguageEnvironment language = {});
    ~CMainDialog() override;

    void DestroyWindow() override;

    RaceSettings& Settings() { return m_settings; }
    const RaceSettings& Settings() const { return m_settings; }
    std::uint16_t LanguageId() const { return m_languageId; }
    // Back to the built-in French resources when a language bundle is loaded.
    void ReleaseLanguageLibrary();

    // Race results held by the window; shown by ShowRaceResults.
    std::int32_t RaceTime() const { return m_raceTime; }
    std::int32_t MaxSpeed() const { return m_maxSpeed; }
    void SetRaceTime(std::int32_t ms) { m_raceTime = ms; }
    // Turns a speed reading into the maximum speed with the current wheel diameter.
    void TakeSpeedReading(std::int32_t reading);
    void ShowRaceResults();
    // A battery reading, or a negative value for "no reading".
    void ShowBattery(std::int32_t reading);

    // Callbacks of the chart while a stage is dragged.
    void OnStageTimeDragged(int index, double time);
    void OnStageValueDragged(int index, double value);

    // Lost-focus handlers of the eight fields (also run by Enter in the field).
    void OnKillFocusTime(int index); // Time1..Time5
    void OnKillFocusTimeMax();
    void OnKillFocusRaceLength();
    void OnKillFocusWheelDiam();

    // The platform's device-change message; "device nodes changed" runs the connection check.
    void OnDeviceChange(unsigned eventCode);
    bool CarPresent() const { return m_carPresent; }
    WindowHandle Handle() const { return m_handle; }
    const DeviceServices& Services() const { return m_services; }
    const std::shared_ptr<DeviceContext>& Device() const { return m_device; }
    // The pieces the About box's version read works on.
    void ShowOutcome(bool success);
    void SetStatusText(const QString& text);
    void EnablePlaceholders(bool enable);
    // The visible skinned button of a placeholder id, or nullptr.
    CSkinButton* CommandButton(int id) const;

    void OnTimer(int id) override;
    void OnSysCommand(int id);
    void OnCommand(int id) override;
    QIcon QueryDragIcon() const { return m_icon; }

    CStatusBar* StatusBar() const { return m_statusBar; }
    CPercentProgress* BatteryBar() const { return m_batteryBar; }
    // The red/green USB symbol over control 1031; the command flows blink and set it.
    CUsbStatusIndicator* UsbIndicator() const { return m_usbIndicator; }
    CToolTipCtrl* ToolTips() const { return m_toolTips.get(); }
    QMenu* WindowMenu() const { return m_windowMenu; }
    bool HasBackgroundBrush() const { return m_hasBrush; }

    // Local time source of the clock pane.
    void SetClock(std::function<QTime()> clock) { m_clock = std::move(clock); }
    // The profile chart over control 1049; the send flow reads the intensities from it.
    CProfileChart& Chart() { return m_chart; }
    const CProfileChart& Chart() const { return m_chart; }

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
    // Record and persistence (settings library).
    void LoadDefaults();
    void SaveSettings();
    // The device context of the jobs and the window's place in the messenger; the link mutex.
    void ConnectDevice();
    void RenewHandle();
    void DisconnectDevice();
    void CreateLinkMutex();
    void CloseLinkMutex();
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
    // Chart, language, connection, About box.
    void ConfigureChart();
    void SetupChart();
    void ApplyLanguage(std::uint16_t languageId);
    void SetFlagPlaceholders(std::uint16_t languageId);
    void WriteLanguageTexts();
    void SetAboutItem();
    void CheckConnection();
    void OpenAboutBox();
    // Command buttons and flags.
    void OnBatteryButton();
    void OnRaceInfoButton();
    void OnRaceTimeButton();
    void OnSendButton();
    void OnFrenchFlag();
    void OnEnglishFlag();
    void OnVersionButton();

    // Outcome messages of the jobs.
    void OnDeviceMessage(unsigned message, std::intptr_t wParam, std::intptr_t lParam);
    void OnBatteryDone(std::intptr_t value);
    void OnRaceInfoDone(std::intptr_t raceTime, std::intptr_t speedReading);
    void OnRaceTimeDone(std::intptr_t raceTime);
    void OnSendDone(std::intptr_t result);
    void OnConfigDone(std::intptr_t state);
    void OnVersionDone(std::intptr_t version);
    // The common launcher steps; false when its guard (a placeholder, or none) is disabled.
    bool Launch(const QWidget* guard, int statusTextId);
    void FinishOutcome();
    void ReportError();
    void EnableCommandButtons(bool enable);
    void StartConfigStateRead();

    void AttachControls();
    void BuildWindowMenu();
    void CreateStatusBar();
    void PrepareBatteryBar();
    void CreateToolTips();
    void ApplyControlColours();
    void RunClosingSteps();

    CStatusBar* m_statusBar = nullptr;
    std::uint16_t m_languageId = 0;
    std::int32_t m_raceTime = 0;
    std::int32_t m_maxSpeed = 0;
    QPointer<QPushButton> m_exitPlaceholder, m_batteryPlaceholder, m_raceInfoPlaceholder,
        m_sendPlaceholder, m_versionButton;
    QPointer<CImageButtonWithStyle> m_frenchFlag, m_englishFlag;
    QPointer<QWidget> m_raceLengthField;
    QPointer<CUsbStatusIndicator> m_usbIndicator;
    QPointer<CPercentProgress> m_batteryBar;
    RaceSettings m_settings{};
    QIcon m_icon;
    CProfileChart m_chart;
    QBrush m_brush;
    bool m_hasBrush = false;
    std::unique_ptr<CToolTipCtrl> m_toolTips;

    DeviceServices m_services;
    LanguageEnvironment m_language;
    bool m_ownsMessenger = false;
    std::shared_ptr<DeviceContext> m_device;
    WindowHandle m_handle = 0;
    bool m_carPresent = false;
    std::vector<QPointer<CSkinButton>> m_skinButtons; // over 1038, 1041, 1042, 8, 1054, 1055
    // The command button that had the keyboard when the command buttons were disabled, and
    // the control the disabling handed it to.
    QPointer<QWidget> m_focusOwner, m_focusHandedTo;

    QMenu* m_windowMenu = nullptr;
    std::function<QTime()> m_clock;
    bool m_attached = false;
};

} // namespace drivo
