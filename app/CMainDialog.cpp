// SPDX-License-Identifier: GPL-3.0-or-later
#include "CMainDialog.h"

#include "ControlIds.h"
#include "chart/ChartSetup.h"
#include "i18n/ResourceModule.h"
#include "i18n/StringIds.h"
#include "widgets/CImageButtonWithStyle.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QResizeEvent>
#include <cstdlib>
#include <ctime>

namespace drivo {

namespace {
constexpr int kMainTemplate = 102;
constexpr int kIconMain = 128;
// The window's small and large icons (16 and 32 pixels), up to twice as large on a dense
// screen. Larger sizes only weigh on every start: under X each size goes to the server.
constexpr int kWindowIconLargest = 64;
constexpr int kBitmapUsbStrip = 131;
} // namespace

CMainDialog::CMainDialog(QWidget* parent, DeviceServices services, LanguageEnvironment language)
    : CDialog(kMainTemplate, parent), m_controller(std::move(services)),
      m_language(language.Completed()) {
    m_icon = ResourceModule::Current().LoadIcon(kIconMain, kWindowIconLargest);
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
        [this](const QString& text) { m_display.SetStatusText(text); },
    });
    ConnectController();
}

CMainDialog::~CMainDialog() {
    m_toolTips.reset();
    m_skin.DeleteButtons();
}

// The controller's notifications, shown in the order it gives them.
void CMainDialog::ConnectController() {
    RaceController* c = &m_controller;
    MainDisplay* d = &m_display;
    connect(c, &RaceController::statusText, this, [d](const QString& t) { d->SetStatusText(t); });
    connect(c, &RaceController::outcomeShown, this, [d](bool ok) { d->ShowOutcome(ok); });
    connect(c, &RaceController::blinking, this, [d](unsigned ms) { d->Blink(ms); });
    connect(c, &RaceController::commandsEnabled, this,
            [this](bool enable) { m_skin.EnableCommands(enable); });
    connect(c, &RaceController::placeholdersEnabled, this, &CMainDialog::EnablePlaceholders);
    connect(c, &RaceController::batteryShown, this,
            [d](std::int32_t reading) { d->ShowBattery(reading); });
    connect(c, &RaceController::raceResultsChanged, this,
            [d, c] { d->ShowRaceResults(c->RaceTime(), c->MaxSpeed()); });
    connect(c, &RaceController::messageBox, this,
            [this](const QString& text, MessageIcon icon) { ShowMessageBox(this, text, icon); });
    connect(c, &RaceController::fieldsChanged, this, [this] { UpdateData(false); });
    connect(c, &RaceController::profileLoaded, this, &CMainDialog::ShowLoadedProfile);
    connect(c, &RaceController::journalAppended, this, [this] {
        if (CJournalWindow* journal = m_menu.JournalWindow())
            journal->Reload();
    });
}

void CMainDialog::DestroyWindow() {
    if (m_toolTips)
        m_toolTips->DestroyWindow();
    CDialog::DestroyWindow();
}

bool CMainDialog::OnInitDialog() {
    CDialog::OnInitDialog(); // the first exchange attaches the controls
    m_skin.CreateButtons();
    setWindowIcon(m_icon);
    std::srand(static_cast<unsigned>(std::time(nullptr))); // the chart's first bars
    m_brush = QBrush(QColor(255, 255, 255));
    m_hasBrush = true;
    ApplyControlColours();
    drivo::ConfigureChart(m_chart, {10, 1, true, false});
    UpdateData(false);
    m_skin.RegisterBackground();
    m_display.CreateStatusBar();
    SetTimer(ctl::kClockTimer, 1000);
    m_skin.PrepareFlags();
    m_chart.Redraw();
    m_display.PrepareBatteryBar();
    m_display.ShowBattery(-1);
    CreateToolTips();
    // The record's defaults or the settings file, then the chart and the texts that show it.
    m_controller.LoadDefaults(m_language.userDefaultLanguage());
    SetupChart();
    ApplyLanguage(m_controller.LanguageId());
    m_controller.CheckConnection();
    UpdateData(false);
    return true; // focus to the first tab stop, the race length field
}

void CMainDialog::AttachControls() {
    m_batteryPlaceholder = Item<QPushButton>(ctl::kBattery);
    m_raceInfoPlaceholder = Item<QPushButton>(ctl::kRaceInfo);
    m_sendPlaceholder = Item<QPushButton>(ctl::kSend);
    m_display.AttachControls();
    m_attached = true;
}

void CMainDialog::EnablePlaceholders(bool enable) {
    for (QPushButton* placeholder :
         {m_batteryPlaceholder, m_raceInfoPlaceholder, m_sendPlaceholder})
        if (placeholder)
            placeholder->setEnabled(enable);
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
    if (id == ctl::kClockTimer)
        m_display.ShowTime();
}

void CMainDialog::OnSysCommand(int id) {
    switch (id & ~0xF) {
    case ctl::kAboutCommand:
        OpenAboutBox();
        break;
    case ctl::kOpenProfileCommand:
        m_menu.OpenProfile();
        break;
    case ctl::kSaveProfileCommand:
        m_menu.SaveProfile();
        break;
    case ctl::kJournalCommand:
        m_menu.OpenJournal(m_language.programPath());
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
        if (const int command = MainMenu::CommandOfKey(key)) {
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
    if (const int command = m_menu.Exec(event->globalPos()))
        OnSysCommand(command);
}

void CMainDialog::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    m_skin.DrawBackground(painter);
    painter.end();
    CDialog::paintEvent(event);
}

void CMainDialog::resizeEvent(QResizeEvent* event) {
    CDialog::resizeEvent(event);
    m_display.Reposition();
    // The first size notice comes while the window is being shown for the first time, as
    // the one during creation does: the chart keeps the placeholder's size then.
    if (m_chart.HasWindow() && event->oldSize().isValid())
        m_chart.resize(width() - 120, height() - 60);
}

void CMainDialog::RunClosingSteps() {
    m_controller.SaveSettings(); // a failed write is silent: the window closes as usual
    m_skin.ReleaseBackground();
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
