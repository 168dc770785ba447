// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Turns a dialog template into child widgets of a window, in template order (which is also
// the tab order and the stacking order, first on top).
#include "DialogTemplate.h"

#include <QWidget>
#include <functional>
#include <map>
#include <vector>

namespace drivo {

// One created control with its id; the list keeps creation order so that a lookup by id
// finds the first control created with it.
struct CreatedControl {
    int Id = kNoControlId;
    QWidget* Widget = nullptr;
};

class CTemplateBuilder {
public:
    using Factory = std::function<QWidget*(const ControlTemplate&, QWidget* parent)>;

    // Creates the control of this id with the given factory instead of the standard widget
    // of its kind (a custom control taking the place of a template control).
    void OverrideControl(int id, Factory factory);

    // Creates every control of the template as a child of parent, geometry converted to
    // pixels; returns them in creation order.
    std::vector<CreatedControl> Build(const DialogTemplate& t, QWidget* parent) const;

    // The standard widget of a control's kind, configured from its text and styles.
    static QWidget* CreateStandard(const ControlTemplate& c, QWidget* parent);

private:
    std::map<int, Factory> m_overrides;
};

// The property under which each created control carries its id.
inline constexpr const char* kControlIdProperty = "drivoControlId";
int ControlIdOf(const QObject* widget);

} // namespace drivo
