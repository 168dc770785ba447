// SPDX-License-Identifier: GPL-3.0-or-later
#include "CToolTipCtrl.h"

#include <QEvent>
#include <QHelpEvent>
#include <QPainter>
#include <QPainterPath>
#include <QToolTip>
#include <algorithm>

namespace drivo {

// A tip: the text on the toolkit's tip colours, wrapped at a width, framed; as a balloon with
// rounded corners, the window itself cut to them.
class CTipWindow final : public QWidget {
public:
    CTipWindow() : QWidget(nullptr, Qt::ToolTip | Qt::BypassGraphicsProxyWidget) {
        setPalette(QToolTip::palette());
        setFont(QToolTip::font());
    }

    void Show(const QString& text, int maxWidth, bool balloon, QPoint cursor) {
        m_text = text;
        m_balloon = balloon;
        const int padding = balloon ? kRadius : 4; // the text keeps clear of the corners
        const int wrap = maxWidth > 0 ? std::max(1, maxWidth - 2 * padding) : QWIDGETSIZE_MAX;
        m_textRect = fontMetrics().boundingRect(QRect(0, 0, wrap, QWIDGETSIZE_MAX), kFlags, text);
        m_textRect.moveTopLeft(QPoint(padding, padding));
        resize(m_textRect.size() + 2 * QSize(padding, padding));
        if (balloon)
            setMask(QRegion(Outline().toFillPolygon().toPolygon()));
        else
            clearMask();
        move(cursor + QPoint(2, 16)); // below the cursor, where the toolkit puts its tips
        show();
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing, m_balloon);
        p.setPen(palette().color(QPalette::ToolTipText));
        p.setBrush(palette().color(QPalette::ToolTipBase));
        const QRectF frame = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
        if (m_balloon)
            p.drawPath(Outline().translated(0.5, 0.5));
        else
            p.drawRect(frame);
        p.drawText(m_textRect, kFlags, m_text);
    }

private:
    static constexpr int kRadius = 8;
    static constexpr int kFlags = Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop;

    QPainterPath Outline() const {
        QPainterPath path;
        path.addRoundedRect(QRectF(0, 0, width() - 1, height() - 1), kRadius, kRadius);
        return path;
    }

    QString m_text;
    QRect m_textRect;
    bool m_balloon = false;
};

CToolTipCtrl::CToolTipCtrl() = default;
CToolTipCtrl::~CToolTipCtrl() = default;

bool CToolTipCtrl::Create(QWidget* owner, unsigned style) {
    m_owner = owner;
    m_style = style;
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
    tool->installEventFilter(this);
    Apply();
}

QString CToolTipCtrl::ToolText(const QWidget* tool) const {
    for (const Tool& t : m_tools)
        if (t.Widget == tool)
            return t.Text;
    return QString();
}

const QWidget* CToolTipCtrl::ShownTip() const {
    return m_tip && m_tip->isVisible() ? m_tip.get() : nullptr;
}

void CToolTipCtrl::Apply() {
    for (const Tool& t : m_tools)
        if (t.Widget)
            t.Widget->setToolTip(m_active ? t.Text : QString());
    if (!m_active)
        HideTip();
}

void CToolTipCtrl::HideTip() {
    if (m_tip)
        m_tip->hide();
}

bool CToolTipCtrl::eventFilter(QObject* watched, QEvent* event) {
    if (!OwnLook())
        return false; // the toolkit shows the tool's tip
    switch (event->type()) {
    case QEvent::ToolTip: {
        const QString text = m_active ? ToolText(qobject_cast<QWidget*>(watched)) : QString();
        if (text.isEmpty()) {
            HideTip();
            event->ignore();
            return true;
        }
        if (!m_tip)
            m_tip = std::make_unique<CTipWindow>();
        m_tip->Show(text, m_maxWidth, (m_style & kBalloonStyle) != 0,
                    static_cast<QHelpEvent*>(event)->globalPos());
        return true;
    }
    case QEvent::Leave:
    case QEvent::Hide:
    case QEvent::MouseButtonPress:
    case QEvent::Wheel:
    case QEvent::KeyPress:
        HideTip();
        break;
    default:
        break;
    }
    return false;
}

} // namespace drivo
