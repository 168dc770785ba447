// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The dialog framework the windows build on: a QDialog built from a template resource,
// with controls addressed by id, data exchange, the OK/Cancel paths, command and
// lost-focus notifications, a pre-translation hook for keys and timers kept by id.
#include "CDataExchange.h"
#include "TemplateBuilder.h"

#include <QBasicTimer>
#include <QDialog>
#include <map>
#include <vector>

namespace drivo {

// The ids a template gives its OK and Cancel buttons.
inline constexpr int kIdOk = 1;
inline constexpr int kIdCancel = 2;

class CDialog : public QDialog {
    Q_OBJECT
public:
    explicit CDialog(int templateId, QWidget* parent = nullptr);
    ~CDialog() override;

    // Builds the window from the current resource module's template and runs OnInitDialog;
    // false when the template is missing or broken (nothing is shown then).
    bool Create();
    // Create, show modally until EndDialog, then DestroyWindow. -1 when Create failed.
    int DoModal();
    virtual void DestroyWindow();

    // The first control created with this id (template controls come before any control
    // registered later with the same id), or nullptr.
    QWidget* GetDlgItem(int id) const;
    template <class T> T* Item(int id) const { return qobject_cast<T*>(GetDlgItem(id)); }
    // Writes the window text of the control a lookup by id finds (button, label, group box,
    // edit); does nothing when there is none.
    void SetDlgItemText(int id, const QString& text);
    // Adds a control created after the template (it never hides a template control).
    void RegisterControl(int id, QWidget* control);

    // A command from a control of this window: lost-focus notifications still pending (the
    // click moved the focus out of a field) run first, as they do on the platform, so the
    // command sees the field's value taken. When that exchange refuses the field and takes
    // the focus back from the clicked control, the click does not complete, as on the
    // platform where the refusal's message box takes the mouse from the button.
    void NotifyCommand(int id, const QWidget* sender = nullptr);

    // Runs DoDataExchange in one direction; false when a check failed, or when called during
    // another exchange (which it leaves alone).
    bool UpdateData(bool takeAndValidate = true);
    void EndDialog(int result);

    CTemplateBuilder& Builder() { return m_builder; }

    // Window timers with the ids the program gives them.
    void SetTimer(int id, int periodMs);

    // QDialog's accept/reject (Enter on a default button, Escape, the close box) take the
    // framework's OK and Cancel paths.
    void accept() override { OnOK(); }
    void reject() override { OnCancel(); }

protected:
    virtual bool OnInitDialog();
    virtual void DoDataExchange(CDataExchange& dx);
    virtual void OnOK();
    virtual void OnCancel();
    // A button was clicked; ids kIdOk and kIdCancel run OnOK and OnCancel.
    virtual void OnCommand(int id);
    virtual void OnEditKillFocus(int id);
    virtual void OnTimer(int id);
    // Sees every event for this window and its children before they do; true eats it.
    virtual bool PreTranslateMessage(QObject* target, QEvent* event);

    bool eventFilter(QObject* watched, QEvent* event) override;
    void timerEvent(QTimerEvent* event) override;

private:
    void WireControl(const CreatedControl& control);
    bool IsOwnWidget(QObject* object) const;
    void RunPendingKillFocus();

    int m_templateId;
    CTemplateBuilder m_builder;
    std::vector<CreatedControl> m_controls;
    std::map<int, QBasicTimer> m_timers;
    std::vector<int> m_pendingKillFocus;
    bool m_created = false;
    bool m_inUpdate = false;
};

} // namespace drivo
