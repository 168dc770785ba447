// SPDX-License-Identifier: GPL-3.0-or-later
#include "CStatusBar.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>

namespace drivo {

CStatusPane::CStatusPane(QWidget* parent) : QFrame(parent) {
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    // Opaque in the bar's face colour: a new text repaints nothing beneath the pane.
    setAutoFillBackground(true);
}

void CStatusPane::SetText(const QString& text) {
    if (text == m_text)
        return;
    m_text = text;
    setAccessibleName(text);
    update(contentsRect());
}

// Half an x from the frame, as a framed label indents its text.
int CStatusPane::Indent() const {
    return frameWidth() > 0 ? fontMetrics().horizontalAdvance(u'x') / 2 : 0;
}

QSize CStatusPane::sizeHint() const {
    const int frame = 2 * frameWidth();
    return {frame + 2 * Indent(), frame + fontMetrics().height()};
}

void CStatusPane::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    QPainter p(this);
    const int indent = Indent();
    style()->drawItemText(&p, contentsRect().adjusted(indent, 0, -indent, 0),
                          Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, palette(),
                          isEnabled(), m_text, foregroundRole());
}

CStatusBar::CStatusBar(QWidget* parent) : QStatusBar(parent) {
    setSizeGripEnabled(false);
    // The bar keeps the platform's face colour even on a window painted white.
    QPalette face = palette();
    face.setColor(QPalette::Window, QApplication::palette().color(QPalette::Button));
    setPalette(face);
    setAutoFillBackground(true);
}

void CStatusBar::SetIndicators(const std::vector<int>& ids) {
    for (Pane& p : m_panes) {
        removeWidget(p.Label);
        delete p.Label;
    }
    m_panes.clear();
    for (int id : ids) {
        auto* label = new CStatusPane(this);
        addWidget(label, 1);
        m_panes.push_back({id, label, true, 0});
    }
}

void CStatusBar::SetPaneInfo(int index, int id, bool stretch, int width) {
    if (index < 0 || index >= PaneCount())
        return;
    Pane& p = m_panes[index];
    p.Id = id;
    p.Stretch = stretch;
    p.Width = width;
    removeWidget(p.Label);
    if (stretch) {
        p.Label->setMinimumWidth(width);
        p.Label->setMaximumWidth(QWIDGETSIZE_MAX);
    } else {
        p.Label->setFixedWidth(std::max(0, width));
    }
    insertWidget(index, p.Label, stretch ? 1 : 0);
    p.Label->show();
}

void CStatusBar::SetPaneText(int index, const QString& text) {
    if (index >= 0 && index < PaneCount())
        m_panes[index].Label->SetText(QString(text).replace(u'\r', u' ').replace(u'\n', u' '));
}

QString CStatusBar::PaneText(int index) const {
    return index >= 0 && index < PaneCount() ? m_panes[index].Label->Text() : QString();
}

int CStatusBar::PaneWidth(int index) const {
    if (index < 0 || index >= PaneCount())
        return 0;
    const Pane& p = m_panes[index];
    return p.Stretch ? p.Label->width() : p.Width;
}

int CStatusBar::PaneId(int index) const {
    return index >= 0 && index < PaneCount() ? m_panes[index].Id : 0;
}

void CStatusBar::Reposition() {
    QWidget* parent = parentWidget();
    if (!parent)
        return;
    const int h = sizeHint().height();
    setGeometry(0, parent->height() - h, parent->width(), h);
    raise();
}

} // namespace drivo
