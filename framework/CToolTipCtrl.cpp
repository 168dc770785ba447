#include "CToolTipCtrl.h"

namespace drivo {

bool CToolTipCtrl::Create(QWidget* owner) {
    m_owner = owner;
    return owner != nullptr;
}

void CToolTipCtrl::DestroyWindow() {
    Activate(false);
    m_owner.clear();
}

void CToolTipCtrl::Activate(bool active) {
    m_active = active && HasWindow();
    Apply();
}

void CToolTipCtrl::AddTool(QWidget* tool, const QString& text) {
    if (!tool)
        return;
    for (Tool& t : m_tools) {
        if (t.Widget == tool) {
            t.Text = text;
            Apply();
            return;
        }
    }
    m_tools.push_back({tool, text});
    Apply();
}

QString CToolTipCtrl::ToolText(const QWidget* tool) const {
    for (const Tool& t : m_tools)
        if (t.Widget == tool)
            return t.Text;
    return QString();
}

void CToolTipCtrl::Apply() {
    for (const Tool& t : m_tools)
        if (t.Widget)
            t.Widget->setToolTip(m_active ? t.Text : QString());
}

} // namespace drivo
