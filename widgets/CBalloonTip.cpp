// SPDX-License-Identifier: GPL-3.0-or-later
#include "CBalloonTip.h"

#include "framework/FontFamily.h"

#include <QCursor>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>
#include <QTimerEvent>
#include <climits>

namespace drivo {

namespace {

const QColor kFrameColor(240, 210, 80);
const QColor kFillColor(255, 255, 220);
const QColor kTitleColor(255, 100, 0);
const QColor kFirstLineColor(10, 100, 10);
const QColor kLaterLineColor(150, 150, 150);
constexpr int kCornerEllipse = 10;
constexpr int kFrameThickness = 2;
constexpr int kLineStep = 26;

QFont TipFont(QFont::Weight weight) {
    return ResourceFont(QStringLiteral("Tahoma"), 20, weight);
}

QRegion RoundedRegion(const QRect& r) {
    QPainterPath path;
    path.addRoundedRect(QRectF(r), kCornerEllipse / 2.0, kCornerEllipse / 2.0);
    return QRegion(path.toFillPolygon().toPolygon());
}

// The band kFrameThickness wide along the inside of a region's outline.
QRegion FrameBand(const QRegion& r) {
    const int d = kFrameThickness;
    const QRegion inner =
        r & r.translated(d, 0) & r.translated(-d, 0) & r.translated(0, d) & r.translated(0, -d);
    return r - inner;
}

} // namespace

CBalloonTip::CBalloonTip() : m_lastCursor(INT_MIN, INT_MIN) {}

CBalloonTip::~CBalloonTip() {
    if (m_timerActive)
        StopTimer();
    if (isVisible())
        hide();
}

bool CBalloonTip::CreateTip(QWidget* owner, const bool* enableFlag, const QString* text,
                            unsigned timeoutMs) {
    if (m_created)
        return false;
    setParent(owner, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                         Qt::WindowDoesNotAcceptFocus);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setMouseTracking(true);
    setGeometry(0, 0, 0, 0);
    hide();
    m_created = true;
    m_enable = enableFlag;
    m_text = text;
    m_timeout = timeoutMs;
    m_timerActive = false;
    m_clientRect = QRect(0, 0, kWidth, kHeight);
    m_titleFont = TipFont(QFont::Bold);
    m_textFont = TipFont(QFont::Normal);
    m_windowRegion = RoundedRegion(m_clientRect);
    m_paintRegion = RoundedRegion(m_clientRect);
    setMask(m_windowRegion);
    return true;
}

void CBalloonTip::ShowAtCursor() {
    if (!m_created || !m_enable || !*m_enable)
        return;
    const QString text = m_text ? *m_text : QString();
    if (isVisible() && text == m_lastText)
        return;
    m_lastText = text;
    const QPoint cursor = CursorPos();
    if (cursor == m_lastCursor)
        return;
    m_lastCursor = cursor;
    StopTimer();
    setGeometry(QRect(PlaceNear(cursor, ScreenSize()), QSize(kWidth, kHeight)));
    show();
    raise();
    repaint();
    StartTimer();
}

void CBalloonTip::HideTip() {
    if (!m_created)
        return;
    m_lastCursor = CursorPos();
    if (m_timerActive)
        StopTimer();
    hide();
}

void CBalloonTip::OnTimer(int id) {
    if (id != kTimerId)
        return;
    StopTimer();
    HideTip();
}

QPoint CBalloonTip::PlaceNear(QPoint cursor, QSize screen) {
    int left = cursor.x() + 10;
    int top = cursor.y() + 20;
    if (left + kWidth >= screen.width())
        left = screen.width() - 4 - kWidth;
    if (top + kHeight >= screen.height())
        top = screen.height() - kHeight;
    return {left, top};
}

void CBalloonTip::paintEvent(QPaintEvent*) {
    if (!m_created || !isVisible())
        return;
    QPainter p(this);
    for (const QRect& r : m_paintRegion)
        p.fillRect(r, kFillColor);
    for (const QRect& r : FrameBand(m_paintRegion))
        p.fillRect(r, kFrameColor);

    const QString text = m_text ? *m_text : QString();
    const int flags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine;
    const QRect c = m_clientRect;
    qsizetype found = text.indexOf(QLatin1Char('\n'));
    if (found >= 0) {
        p.setFont(m_titleFont);
        p.setPen(kTitleColor);
        p.drawText(QRect(c.left() + 6, c.top() + 2, c.width() - 12, 24), flags, text.left(found));
    }
    // Only lines closed by "\n" are drawn: a trailing piece without one stays hidden.
    p.setFont(m_textFont);
    p.setPen(kFirstLineColor);
    int n = 1;
    while (found >= 0 && found + 1 < text.size()) {
        const qsizetype next = text.indexOf(QLatin1Char('\n'), found + 1);
        if (next < 0)
            break;
        const QString line = text.mid(found + 1, next - found - 1);
        const int top = c.top() + kLineStep * n + 4;
        p.drawText(QRect(c.left() + 6, top, c.width() - 12, 46), flags, line);
        ++n;
        p.setPen(kLaterLineColor);
        found = next;
    }
}

void CBalloonTip::mousePressEvent(QMouseEvent* event) {
    QWidget::mousePressEvent(event);
    HideTip();
}

void CBalloonTip::mouseMoveEvent(QMouseEvent* event) {
    QWidget::mouseMoveEvent(event);
    if (!m_clientRect.contains(event->position().toPoint()))
        return;
    const QPoint cursor = CursorPos();
    m_lastCursor = cursor;
    move(PlaceNear(cursor, ScreenSize()));
}

void CBalloonTip::timerEvent(QTimerEvent* event) {
    if (event->timerId() == m_timer.timerId())
        OnTimer(kTimerId);
    else
        QWidget::timerEvent(event);
}

QPoint CBalloonTip::CursorPos() const {
    return m_env.cursorPos ? m_env.cursorPos() : QCursor::pos();
}

QSize CBalloonTip::ScreenSize() const {
    if (m_env.screenSize)
        return m_env.screenSize();
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry().size() : QSize();
}

void CBalloonTip::StartTimer() {
    if (m_env.startTimer)
        m_env.startTimer(kTimerId, m_timeout);
    else
        m_timer.start(static_cast<int>(m_timeout), this);
    m_timerActive = true;
}

void CBalloonTip::StopTimer() {
    if (m_env.stopTimer)
        m_env.stopTimer(kTimerId);
    else
        m_timer.stop();
    m_timerActive = false;
}

} // namespace drivo
