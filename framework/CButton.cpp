// SPDX-License-Identifier: GPL-3.0-or-later
#include "CButton.h"

#include "CDialog.h"
#include "TemplateBuilder.h"

namespace drivo {

CButton::CButton(QWidget* parent, int id, unsigned style) : QPushButton(parent), m_style(style) {
    setAutoDefault(false);
    if (id != kNoControlId)
        setProperty(kControlIdProperty, id);
    // Connected before anyone else can connect: the button sees its click first.
    connect(this, &QAbstractButton::clicked, this, [this] {
        if (OnClicked())
            return;
        for (QWidget* w = parentWidget(); w; w = w->parentWidget()) {
            if (auto* dialog = qobject_cast<CDialog*>(w)) {
                dialog->NotifyCommand(ControlId(), this);
                return;
            }
        }
    });
}

int CButton::ControlId() const {
    return ControlIdOf(this);
}

unsigned CButton::GetStyle() const {
    return m_style | (isEnabled() ? 0u : kDisabled);
}

unsigned CButton::ItemState() const {
    return (isDown() ? kStateSelected : 0u) | (isEnabled() ? 0u : kStateDisabled) |
           (hasFocus() ? kStateFocus : 0u) | (underMouse() ? kStateHot : 0u);
}

void CButton::SetButtonStyle(unsigned style, bool redraw) {
    m_style = style & ~kDisabled;
    if (redraw)
        update();
}

} // namespace drivo
