// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The window's tooltip control: one tool per control, its text replaceable. Until the
// control is activated its tools show nothing. Its tips are the toolkit's own, unless it was
// given a maximum width or the balloon style: then it shows them in a window of its own, the
// text wrapped at that width, and as a balloon with rounded corners.
#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <memory>
#include <vector>

namespace drivo {

class CTipWindow;

class CToolTipCtrl : public QObject {
public:
    static constexpr unsigned kBalloonStyle = 0x40;

    CToolTipCtrl();
    ~CToolTipCtrl() override;

    // Creates the control for an owner window with its style bits; false when there is none.
    bool Create(QWidget* owner, unsigned style = 0);
    void DestroyWindow();
    bool HasWindow() const { return !m_owner.isNull(); }
    void Activate(bool active);
    // Longer tips wrap at this width in pixels; 0 for none.
    void SetMaxTipWidth(int pixels) { m_maxWidth = pixels; }

    // Adds the tool or replaces its text.
    void AddTool(QWidget* tool, const QString& text);
    QString ToolText(const QWidget* tool) const;
    int ToolCount() const { return int(m_tools.size()); }

    // The control's own tip window while it shows a tip; null otherwise.
    const QWidget* ShownTip() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Apply();
    bool OwnLook() const { return m_maxWidth > 0 || (m_style & kBalloonStyle) != 0; }
    void HideTip();

    struct Tool {
        QPointer<QWidget> Widget;
        QString Text;
    };
    QPointer<QWidget> m_owner;
    bool m_active = false;
    unsigned m_style = 0;
    int m_maxWidth = 0;
    std::vector<Tool> m_tools;
    std::unique_ptr<CTipWindow> m_tip;
};

} // namespace drivo
