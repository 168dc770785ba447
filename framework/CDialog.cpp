// SPDX-License-Identifier: GPL-3.0-or-later
#include "CDialog.h"

#include "CButton.h"
#include "i18n/ResourceModule.h"

#include "FontFamily.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFocusEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QTimerEvent>
#include <utility>

namespace drivo {

namespace {

// The template's font at a fixed 96 dpi, matching the fixed base units whatever the screen.
QFont TemplateFont(const DialogTemplate& t) {
    return ResourceFont(t.FontFamily, std::max(1, t.FontPoints * 96 / 72));
}

} // namespace

CDialog::CDialog(int templateId, QWidget* parent) : QDialog(parent), m_templateId(templateId) {}

CDialog::~CDialog() {
    if (qApp)
        qApp->removeEventFilter(this);
}

bool CDialog::Create() {
    if (m_created)
        return true;
    const auto parsed =
        ParseDialogTemplate(ResourceModule::Current().LoadDialogTemplate(m_templateId));
    if (!parsed)
        return false;
    m_created = true;
    setWindowTitle(parsed->Title);
    setFont(TemplateFont(*parsed));
    // A fixed frame: neither sizing border nor minimise/maximise boxes.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setFixedSize(DialogUnitsToPixels(parsed->Size));
    m_controls = m_builder.Build(*parsed, this);
    for (const CreatedControl& c : m_controls)
        WireControl(c);
    qApp->installEventFilter(this);
    if (OnInitDialog()) {
        for (const CreatedControl& c : m_controls) {
            if (c.Widget->focusPolicy() != Qt::NoFocus && !c.Widget->isHidden() &&
                c.Widget->isEnabled()) {
                c.Widget->setFocus(Qt::TabFocusReason);
                break;
            }
        }
    }
    return true;
}

int CDialog::DoModal() {
    if (!Create())
        return -1;
    const int result = exec();
    DestroyWindow();
    return result;
}

void CDialog::DestroyWindow() {
    qApp->removeEventFilter(this);
    hide();
}

QWidget* CDialog::GetDlgItem(int id) const {
    for (const CreatedControl& c : m_controls)
        if (c.Id == id && id != kNoControlId)
            return c.Widget;
    return nullptr;
}

void CDialog::SetDlgItemText(int id, const QString& text) {
    QWidget* control = GetDlgItem(id);
    if (auto* button = qobject_cast<QAbstractButton*>(control))
        button->setText(text);
    else if (auto* label = qobject_cast<QLabel*>(control))
        label->setText(text);
    else if (auto* group = qobject_cast<QGroupBox*>(control))
        group->setTitle(text);
    else if (auto* edit = qobject_cast<QLineEdit*>(control))
        edit->setText(text);
}

void CDialog::RegisterControl(int id, QWidget* control) {
    if (!control)
        return;
    control->setProperty(kControlIdProperty, id);
    m_controls.push_back({id, control});
    WireControl(m_controls.back());
}

void CDialog::WireControl(const CreatedControl& control) {
    const int id = control.Id;
    // A CButton delivers its own clicks, after its reflected handler.
    if (qobject_cast<CButton*>(control.Widget))
        return;
    if (auto* button = qobject_cast<QAbstractButton*>(control.Widget))
        connect(button, &QAbstractButton::clicked, this,
                [this, id, button] { NotifyCommand(id, button); });
}

void CDialog::NotifyCommand(int id, const QWidget* sender) {
    if (!m_pendingKillFocus.empty()) {
        const bool senderHadFocus = sender && sender->hasFocus();
        RunPendingKillFocus();
        if (senderHadFocus && !sender->hasFocus())
            return;
    }
    OnCommand(id);
}

void CDialog::RunPendingKillFocus() {
    const std::vector<int> pending = std::exchange(m_pendingKillFocus, {});
    for (int id : pending)
        if (isVisible())
            OnEditKillFocus(id);
}

bool CDialog::UpdateData(bool takeAndValidate) {
    // One exchange at a time: a message box of a refused field runs events (queued lost-focus
    // notifications among them) that must not start a second one.
    if (m_inUpdate)
        return false;
    CDataExchange dx(*this, takeAndValidate ? ExchangeDirection::Take : ExchangeDirection::Show);
    m_inUpdate = true;
    DoDataExchange(dx);
    m_inUpdate = false;
    return !dx.Failed();
}

void CDialog::EndDialog(int result) {
    done(result);
}

void CDialog::SetTimer(int id, int periodMs) {
    m_timers[id].start(periodMs, this);
}

bool CDialog::OnInitDialog() {
    UpdateData(false);
    return true;
}

void CDialog::DoDataExchange(CDataExchange&) {}

void CDialog::OnOK() {
    if (!UpdateData(true))
        return;
    EndDialog(QDialog::Accepted);
}

void CDialog::OnCancel() {
    EndDialog(QDialog::Rejected);
}

void CDialog::OnCommand(int id) {
    // The OK and Cancel buttons of every dialog take its OK and Cancel paths.
    if (id == kIdOk)
        OnOK();
    else if (id == kIdCancel)
        OnCancel();
}

void CDialog::OnEditKillFocus(int) {}

void CDialog::OnTimer(int) {}

bool CDialog::PreTranslateMessage(QObject*, QEvent*) {
    return false;
}

bool CDialog::IsOwnWidget(QObject* object) const {
    auto* widget = qobject_cast<QWidget*>(object);
    return widget && (widget == this || isAncestorOf(widget));
}

bool CDialog::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusOut && qobject_cast<QLineEdit*>(watched) &&
        IsOwnWidget(watched)) {
        // Only a move of the focus inside the window counts as leaving the field: the window
        // losing activation (another program, a message box, closing) leaves the caret where
        // it is, and so does a refused exchange putting the caret back into its field (else
        // the field it came from would start the same refusal again). The notification runs
        // once the focus change is complete, or at the latest before a command of the window.
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        if (!m_inUpdate && reason != Qt::ActiveWindowFocusReason &&
            reason != Qt::PopupFocusReason) {
            m_pendingKillFocus.push_back(ControlIdOf(watched));
            QMetaObject::invokeMethod(
                this, [this] { RunPendingKillFocus(); }, Qt::QueuedConnection);
        }
        return false;
    }
    if (IsOwnWidget(watched) && PreTranslateMessage(watched, event))
        return true;
    return QDialog::eventFilter(watched, event);
}

void CDialog::timerEvent(QTimerEvent* event) {
    for (const auto& [id, timer] : m_timers) {
        if (timer.timerId() == event->timerId()) {
            OnTimer(id);
            return;
        }
    }
    QDialog::timerEvent(event);
}

} // namespace drivo
