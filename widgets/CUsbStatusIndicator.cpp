// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/CUsbStatusIndicator.h"

#include <QPainter>
#include <QTimerEvent>

#include <algorithm>
#include <climits>

namespace drivo {

CUsbStatusIndicator::CUsbStatusIndicator(const QImage& cellStrip, QWidget* parent)
    : QWidget(parent), m_strip(cellStrip.convertToFormat(QImage::Format_ARGB32_Premultiplied)),
      m_surface(kCellWidth, kCellHeight, QImage::Format_ARGB32_Premultiplied) {
    // A static picture: clicks go to the window underneath, and nothing is erased before
    // painting, so the parent's own painting stays around and under the cell.
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    ComposeCell();
}

CUsbStatusIndicator::~CUsbStatusIndicator() = default;

void CUsbStatusIndicator::SetState(int state) {
    m_cellIndex = state;
    m_sourceOffset = state;
    ComposeCell();
    // Synchronous, so the new colour is on screen before a long exchange starts.
    if (isVisible())
        repaint();
}

void CUsbStatusIndicator::Blink(unsigned periodMs) {
    if (IsWindowTimerRunning(kBlinkTimerId))
        KillWindowTimer(kBlinkTimerId);
    m_blinkPeriod = periodMs;
    if (periodMs != 0)
        StartWindowTimer(kBlinkTimerId, periodMs);
    else
        KillWindowTimer(kBlinkTimerId);
}

void CUsbStatusIndicator::OnTimer(int id) {
    if (id != kBlinkTimerId)
        return;
    // A tick already on its way when blinking stopped still flips once, then stops for good.
    if (m_blinkPeriod == 0)
        KillWindowTimer(kBlinkTimerId);
    SetState(m_sourceOffset == 1 ? 0 : 1);
}

void CUsbStatusIndicator::StartWindowTimer(int id, unsigned periodMs) {
    if (id == kBlinkTimerId)
        m_blinkTimer.start(static_cast<int>(std::min<unsigned>(periodMs, INT_MAX)), this);
}

void CUsbStatusIndicator::KillWindowTimer(int id) {
    if (id == kBlinkTimerId)
        m_blinkTimer.stop();
}

bool CUsbStatusIndicator::IsWindowTimerRunning(int id) const {
    return id == kBlinkTimerId && m_blinkTimer.isActive();
}

void CUsbStatusIndicator::timerEvent(QTimerEvent* event) {
    if (event->timerId() == m_blinkTimer.timerId())
        OnTimer(kBlinkTimerId);
    else
        QWidget::timerEvent(event);
}

void CUsbStatusIndicator::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(0, 0, m_surface);
}

void CUsbStatusIndicator::ComposeCell() {
    // Parts of the cell outside the strip (no strip, or an unexpected state) come out
    // transparent, as do the strip's magenta pixels.
    const qint64 left = qint64{kCellWidth} * m_cellIndex;
    const bool inside = !m_strip.isNull() && left < m_strip.width() && left + kCellWidth > 0 &&
                        m_sourceOffset < m_strip.height() && m_sourceOffset > -kCellHeight;
    if (inside)
        m_surface = m_strip.copy(static_cast<int>(left), m_sourceOffset, kCellWidth, kCellHeight);
    if (!inside || m_surface.isNull()) {
        m_surface = QImage(kCellWidth, kCellHeight, QImage::Format_ARGB32_Premultiplied);
        m_surface.fill(Qt::transparent);
        return;
    }
    for (int y = 0; y < m_surface.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(m_surface.scanLine(y));
        for (int x = 0; x < m_surface.width(); ++x) {
            if (line[x] == kTransparentColor)
                line[x] = 0;
        }
    }
}

} // namespace drivo
