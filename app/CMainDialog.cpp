// SPDX-License-Identifier: GPL-3.0-or-later
#include "CMainDialog.h"

#include "ControlIds.h"
#include "chart/ChartSetup.h"
#include "i18n/ResourceModule.h"
#include "i18n/StringIds.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QResizeEvent>
#include <cstdlib>
#include <ctime>

namespace drivo {

namespace {
constexpr int kMainTemplate = 102;
constexpr int kIconMain = 128;
constexpr int kBitmapUsbStrip = 131;
} // namespace

CMainDialog::CMainDialog(QWidget* parent, DeviceServices services, LanguageEnvironment language)
    : CDialog(kMainTemplate, parent), m_controller(std::move(services)),
      m_language(language.Completed()), m_clock([] { return QTime::currentTime(); }) {
    m_icon = ResourceModule::Current().LoadIcon(kIconMain);
    Builder().OverrideControl(ctl::kBatteryBar,
                              [](const ControlTemplate& c, QWidget* p) -> QWidget* {
                                  auto* bar = new CPercentProgress(p);
                                  bar->SetWindowText(c.Text);
                                  return bar;
                              });
    // The hidden version button is a skinned button too; it is never shown.
    Builder().OverrideControl(ctl::kVersion, [](const ControlTemplate& c, QWidget* p) -> QWidget* {
        auto* button = new CSkinButton(p, c.Id);
        button->setText(c.Text);
        return button;
    });
    // The flag placeholders hold the languages' checked states (push-like check boxes).
    for (int flag : {ctl::kFrenchFlag, ctl::kEnglishFlag})
        Builder().OverrideControl(flag, [](const ControlTemplate& c, QWidget* p) -> QWidget* {
            auto* button = new CImageButtonWithStyle(p, c.Id, CButton::kCheckBox | CButton::kIcon);
            button->setCheckable(true);
            return button;
        });
    Builder().OverrideControl(ctl::kUsbIndicator,
                              [](const ControlTemplate&, QWidget* p) -> QWidget* {
                                  return new CUsbStatusIndicator(
                                      ResourceModule::Current().LoadBitmap(kBitmapUsbStrip), p);
                              });
    m_chart.SetOwnerHooks({
        [this](int index, double value) { m_controller.OnStageValueDragged(index, value); },
        [this](int index, double ms) { m_controller.OnStageTimeDragged(index, ms); },
        [this](const QString& text) { SetStatusText(text); },
    });
    ConnectController();
}

CMainDialog::~CMainDialog() {
    m_toolTips.reset();
    DeleteSkinButtons();
}

void CMainDialog::DestroyWindow() {
    if (m_toolTips)
        m_toolTips->DestroyWindow();
    CDialog::DestroyWindow();
}

bool CMainDialog::OnInitDialog() {
    CDialog::OnInitDialog(); // 1. first exchange, attaches the controls
    CreateSkinButtons();     // 2.
    BuildWindowMenu();       // 3.
    setWindowIcon(m_icon);   // 4.
    std::srand(static_cast<unsigned>(std::time(nullptr))); // 5. the chart's first bars
    m_brush = QBrush(QColor(255, 255, 255));               // 6.
    m_hasBrush = true;
    ApplyControlColours();
    ConfigureChart();                 // 7.
    UpdateData(false);                // 8.
    RegisterBackground();             // 9.
    CreateStatusBar();                // 10.
    SetTimer(ctl::kClockTimer, 1000); // 11.
    PrepareFlagPlaceholders();        // 12.
    m_chart.Redraw();                 // 13.
    PrepareBatteryBar();              // 14.
    ShowBattery(-1);
    CreateToolTips();                                            // 15.
    m_controller.LoadDefaults(m_language.userDefaultLanguage()); // 16.
    SetupChart();                                                // 17.
    ApplyLanguage(m_controller.LanguageId());                    // 18.
    m_controller.CheckConnection();                              // 19.
    UpdateData(false);                                           // 20.
    return true; // focus to the first tab stop, the race length field
}

void CMainDialog::AttachControls() {
    m_exitPlaceholder = Item<QPushButton>(ctl::kExit);
    m_batteryPlaceholder = Item<QPushButton>(ctl::kBattery);
    m_raceInfoPlaceholder = Item<QPushButton>(ctl::kRaceInfo);
    m_sendPlaceholder = Item<QPushButton>(ctl::kSend);
    m_versionButton = Item<QPushButton>(ctl::kVersion);
    m_raceLengthField = GetDlgItem(ctl::kRaceLength);
    m_englishFlag = Item<CImageButtonWithStyle>(ctl::kEnglishFlag);
    m_frenchFlag = Item<CImageButtonWithStyle>(ctl::kFrenchFlag);
    m_usbIndicator = Item<CUsbStatusIndicator>(ctl::kUsbIndicator);
    m_batteryBar = Item<CPercentProgress>(ctl::kBatteryBar);
    m_attached = true;
}

void CMainDialog::BuildWindowMenu() {
    // The window manager's menu is out of reach; the same items form the window's own menu
    // (right click on the background, F1 for the About item, Ctrl+O, Ctrl+S and Ctrl+J for the
    // profile and journal items from any field).
    if (!m_windowMenu)
        m_windowMenu = new QMenu(this);
    SetMenuItems();
}

void CMainDialog::ConfigureChart() {
    drivo::ConfigureChart(m_chart, {10, 1, true, false});
}

void CMainDialog::CreateStatusBar() {
    m_statusBar = new CStatusBar(this);
    m_statusBar->SetIndicators({ctl::kPaneStatus, ctl::kPaneClock});
    m_statusBar->SetPaneInfo(0, ctl::kPaneStatus, false, width() - 100);
    m_statusBar->SetPaneInfo(1, ctl::kPaneClock, true, 0);
    m_statusBar->show();
    m_statusBar->Reposition();
}

void CMainDialog::PrepareBatteryBar() {
    // Without the platform look the bar is filled with exactly the battery colour.
    if (!m_batteryBar)
        return;
    m_batteryBar->setRange(0, 100);
    m_batteryBar->SetWindowTheme(QString());
}

void CMainDialog::CreateToolTips() {
    if (!m_toolTips)
        m_toolTips = std::make_unique<CToolTipCtrl>();
    if (m_toolTips->Create(this))
        m_toolTips->Activate(true);
}

void CMainDialog::ApplyControlColours() {
    // Every child is drawn on the white background brush; once the brush is gone the
    // controls fall back to the platform's colours.
    QPalette palette = QApplication::palette();
    if (m_hasBrush) {
        palette.setBrush(QPalette::Window, m_brush);
        setAutoFillBackground(true);
    }
    setPalette(palette);
}

void CMainDialog::OnTimer(int id) {
    if (id == ctl::kClockTimer && m_statusBar)
        m_statusBar->SetPaneText(1, m_clock().toString(QStringLiteral("HH:mm:ss")));
}

void CMainDialog::OnSysCommand(int id) {
    switch (id & ~0xF) {
    case ctl::kAboutCommand:
        OpenAboutBox();
        break;
    case ctl::kOpenProfileCommand:
        OnOpenProfile();
        break;
    case ctl::kSaveProfileCommand:
        OnSaveProfile();
        break;
    case ctl::kJournalCommand:
        OpenJournalWindow();
        break;
    default:
        break;
    }
}

void CMainDialog::OnCommand(int id) {
    switch (id) {
    case ctl::kExit:
        OnOK();
        break;
    case ctl::kBattery:
        m_controller.OnBatteryButton();
        break;
    case ctl::kRaceInfo:
        m_controller.OnRaceInfoButton();
        break;
    case ctl::kRaceTimeOnly:
        m_controller.OnRaceTimeButton();
        break;
    case ctl::kSend:
        OnSendButton();
        break;
    case ctl::kFrenchFlag:
        OnFrenchFlag();
        break;
    case ctl::kEnglishFlag:
        OnEnglishFlag();
        break;
    case ctl::kVersion:
        m_controller.OnVersionButton();
        break;
    default:
        CDialog::OnCommand(id);
        break;
    }
}

bool CMainDialog::PreTranslateMessage(QObject*, QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto* keyEvent = static_cast<QKeyEvent*>(event);
    const int key = keyEvent->key();
    if (keyEvent->modifiers() == Qt::ControlModifier) {
        if (const int command = MenuCommandOfKey(key)) {
            OnSysCommand(command);
            return true;
        }
    }
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        // Enter takes the field it was pressed in and never presses a default button.
        if (QWidget* focused = focusWidget(); focused && focused->isVisible())
            OnEditKillFocus(ControlIdOf(focused));
        return true;
    }
    if (key == Qt::Key_Escape)
        return true; // never closes the window
    if (key == Qt::Key_F1) {
        OnSysCommand(ctl::kAboutCommand);
        return true;
    }
    return false;
}

void CMainDialog::contextMenuEvent(QContextMenuEvent* event) {
    if (!m_windowMenu || m_windowMenu->isEmpty())
        return;
    if (QAction* chosen = m_windowMenu->exec(event->globalPos());
        chosen && chosen->data().isValid())
        OnSysCommand(chosen->data().toInt());
}

void CMainDialog::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    DrawBackgroundPictures(painter);
    painter.end();
    CDialog::paintEvent(event);
}

void CMainDialog::resizeEvent(QResizeEvent* event) {
    CDialog::resizeEvent(event);
    if (m_statusBar)
        m_statusBar->Reposition();
    // The first size notice comes while the window is being shown for the first time, as
    // the one during creation does: the chart keeps the placeholder's size then.
    if (m_chart.HasWindow() && event->oldSize().isValid())
        m_chart.resize(width() - 120, height() - 60);
}

void CMainDialog::RunClosingSteps() {
    m_controller.SaveSettings(); // a failed write is silent: the window closes as usual
    ReleaseBackground();
    m_brush = QBrush();
    m_hasBrush = false;
    ApplyControlColours();
}

void CMainDialog::OnOK() {
    RunClosingSteps();
    CDialog::OnOK(); // validates; a refused field keeps the window open
}

void CMainDialog::OnCancel() {
    RunClosingSteps();
    CDialog::OnCancel();
}

void CMainDialog::SetupChart() {
    const QWidget* placeholder = GetDlgItem(ctl::kChartArea);
    if (!placeholder)
        return;
    drivo::SetupChart(m_chart, *placeholder, *this, LoadResourceString(IDS_CHART_TITLE),
                      m_controller.Settings());
}

} // namespace drivo
