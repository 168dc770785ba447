// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The framework's push button: a QPushButton that carries its control id and its button
// style bits. Its own click handler (the reflected notification) runs first; unless it
// keeps the click, the owner dialog's OnCommand receives it under the button's id, after the
// lost-focus exchange of a field the click took the focus from.
#include "DialogTemplate.h"

#include <QPushButton>

namespace drivo {

class CButton : public QPushButton {
    Q_OBJECT
public:
    // Button style bits (the type in the low four bits, then image and alignment bits) and
    // the window's disabled bit, as GetStyle reports them.
    static constexpr unsigned kTypeMask = 0xF;
    static constexpr unsigned kPushButton = 0x0;
    static constexpr unsigned kDefPushButton = 0x1;
    static constexpr unsigned kCheckBox = 0x2;
    static constexpr unsigned kOwnerDraw = 0xB;
    static constexpr unsigned kIcon = 0x40;
    static constexpr unsigned kBitmap = 0x80;
    static constexpr unsigned kHorizontalMask = 0x300;
    static constexpr unsigned kLeft = 0x100;
    static constexpr unsigned kRight = 0x200;
    static constexpr unsigned kVerticalMask = 0xC00;
    static constexpr unsigned kTop = 0x400;
    static constexpr unsigned kBottom = 0x800;
    static constexpr unsigned kDisabled = 0x08000000;
    // Item-state bits of a draw request.
    static constexpr unsigned kStateSelected = 0x1;
    static constexpr unsigned kStateDisabled = 0x4;
    static constexpr unsigned kStateFocus = 0x10;
    static constexpr unsigned kStateHot = 0x40;

    explicit CButton(QWidget* parent = nullptr, int id = kNoControlId,
                     unsigned style = kPushButton);

    int ControlId() const;
    // The button style bits, plus kDisabled while the button is disabled.
    unsigned GetStyle() const;
    // Replaces the style bits (the platform's set-style message).
    virtual void SetButtonStyle(unsigned style, bool redraw = true);
    // The button's state as a draw request gives it: pressed, disabled, focused, hot.
    unsigned ItemState() const;

protected:
    // The reflected click; true keeps the click from the owner dialog.
    virtual bool OnClicked() { return false; }

private:
    unsigned m_style;
};

} // namespace drivo
