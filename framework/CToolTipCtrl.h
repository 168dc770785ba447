#pragma once
// The window's tooltip control: one tool per control, its text replaceable. Until the
// control is activated its tools show nothing.
#include <QPointer>
#include <QString>
#include <QWidget>
#include <vector>

namespace drivo {

class CToolTipCtrl {
public:
    // Creates the control for an owner window; false when there is none.
    bool Create(QWidget* owner);
    void DestroyWindow();
    bool HasWindow() const { return !m_owner.isNull(); }
    void Activate(bool active);
    bool IsActive() const { return m_active; }

    // Adds the tool or replaces its text.
    void AddTool(QWidget* tool, const QString& text);
    QString ToolText(const QWidget* tool) const;
    int ToolCount() const { return int(m_tools.size()); }

private:
    void Apply();

    struct Tool {
        QPointer<QWidget> Widget;
        QString Text;
    };
    QPointer<QWidget> m_owner;
    bool m_active = false;
    std::vector<Tool> m_tools;
};

} // namespace drivo
