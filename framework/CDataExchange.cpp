// SPDX-License-Identifier: GPL-3.0-or-later
#include "CDataExchange.h"

#include "CDialog.h"
#include "FrameworkTexts.h"
#include "MessageBoxes.h"

#include <QAbstractButton>
#include <QLineEdit>

namespace drivo {

CDataExchange::CDataExchange(CDialog& dialog, ExchangeDirection direction)
    : m_dialog(dialog), m_direction(direction) {}

QWidget* CDataExchange::PrepareControl(int id) {
    m_lastId = id;
    return m_dialog.GetDlgItem(id);
}

void CDataExchange::Fail() {
    m_failed = true;
    QWidget* control = m_dialog.GetDlgItem(m_lastId);
    if (!control)
        return;
    // Only the field that gets the caret back shows a selection: the field the focus had moved
    // to lost it to the message box, which leaves a selection in place.
    for (QLineEdit* other : m_dialog.findChildren<QLineEdit*>())
        if (other != control)
            other->deselect();
    control->setFocus(Qt::OtherFocusReason);
    if (auto* edit = qobject_cast<QLineEdit*>(control))
        edit->selectAll();
}

void ExchangeInt(CDataExchange& dx, int id, std::int32_t& value) {
    if (dx.Failed())
        return;
    auto* edit = qobject_cast<QLineEdit*>(dx.PrepareControl(id));
    if (!dx.Taking()) {
        // A field already showing the value is left alone, as the platform's exchange does:
        // setting it again would lay its text out anew and repaint it (every step of a drag).
        const QString text = QString::number(value);
        if (edit && edit->text() != text)
            edit->setText(text);
        return;
    }
    bool ok = false;
    const int parsed = edit ? edit->text().trimmed().toInt(&ok, 10) : 0;
    if (!ok) {
        ShowMessageBox(&dx.Dialog(), ParseIntMessage(), MessageIcon::Exclamation);
        dx.Fail();
        return;
    }
    value = parsed;
}

void ValidateMinMaxInt(CDataExchange& dx, std::int32_t value, std::int32_t lower,
                       std::int32_t upper) {
    if (dx.Failed() || !dx.Taking() || (value >= lower && value <= upper))
        return;
    ShowMessageBox(&dx.Dialog(), RangeIntMessage(lower, upper), MessageIcon::Exclamation);
    dx.Fail();
}

void ExchangeCheck(CDataExchange& dx, int id, std::int32_t& value) {
    if (dx.Failed())
        return;
    auto* box = qobject_cast<QAbstractButton*>(dx.PrepareControl(id));
    if (!box)
        return;
    if (dx.Taking())
        value = box->isChecked() ? 1 : 0;
    else
        box->setChecked(value != 0);
}

} // namespace drivo
