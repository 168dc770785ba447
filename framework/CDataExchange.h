// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One data exchange between a dialog's controls and its members. Direction Take reads and
// checks the controls; direction Show writes the members into the controls, silently.
// A failed check does not throw: the exchange is marked failed and every later step is a
// no-op, so values taken before the failure stay where they are.
#include <QString>
#include <cstdint>

class QWidget;

namespace drivo {

class CDialog;

enum class ExchangeDirection { Show, Take };

class CDataExchange {
public:
    CDataExchange(CDialog& dialog, ExchangeDirection direction);

    bool Taking() const { return m_direction == ExchangeDirection::Take; }
    bool Failed() const { return m_failed; }
    CDialog& Dialog() const { return m_dialog; }

    // Remembers the control being exchanged: the one a failure gives the focus back to.
    QWidget* PrepareControl(int id);

    // Marks the exchange failed, gives the focus to the last control and selects its text.
    void Fail();

private:
    CDialog& m_dialog;
    ExchangeDirection m_direction;
    bool m_failed = false;
    int m_lastId = 0;
};

// Edit control <-> 32-bit integer ("%d" when showing). Text that is not a whole decimal
// number within 32 bits is refused with the framework's integer message.
void ExchangeInt(CDataExchange& dx, int id, std::int32_t& value);
// The framework's range check of the value exchanged last (silent when showing).
void ValidateMinMaxInt(CDataExchange& dx, std::int32_t value, std::int32_t lower,
                       std::int32_t upper);
// Check box <-> 0/1.
void ExchangeCheck(CDataExchange& dx, int id, std::int32_t& value);

} // namespace drivo
