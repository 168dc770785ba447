// SPDX-License-Identifier: GPL-3.0-or-later
// Editing the profile by dragging bar edges: the top edge sets the intensity, the right edge
// the end time, the top-right corner both.
#include "CProfileChart.h"

#include "i18n/ResourceModule.h"
#include "i18n/SafeFormat.h"
#include "i18n/StringIds.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <climits>
#include <cmath>

namespace drivo {

namespace {

constexpr int kHitDx = 4;
constexpr int kHitDy = 3;
constexpr int kTopZone = 3;
constexpr int kRightZone = 4;

Qt::CursorShape CursorFor(CProfileChart::HoverZone zone) {
    switch (zone) {
    case CProfileChart::HoverZone::Top:
        return Qt::SizeVerCursor;
    case CProfileChart::HoverZone::Right:
        return Qt::SizeHorCursor;
    case CProfileChart::HoverZone::Corner:
        return Qt::SizeBDiagCursor; // north-east / south-west
    case CProfileChart::HoverZone::None:
        break;
    }
    return Qt::ArrowCursor;
}

} // namespace

void CProfileChart::SetStatus(const QString& text) const {
    if (m_hooks.setStatusText)
        m_hooks.setStatusText(text);
}

void CProfileChart::SetZone(HoverZone zone) {
    m_zone = zone;
    setCursor(CursorFor(zone));
}

void CProfileChart::RebuildTipText(QPoint pt) {
    // The bar under the pointer itself, without the editing tolerance.
    const int k = m_plot.HitTest(Geometry(), pt.x(), pt.y(), 0, 0);
    const ChartBar* bar = m_plot.Bar(k);
    m_tipText = bar ? QString::asprintf("%s\n%0.04f\n%0.02f%%\n", bar->label.toUtf8().constData(),
                                        bar->value, bar->value * 100.0 / m_plot.ValueFullScale())
                    : QString();
}

void CProfileChart::MouseMove(QPoint pt, bool leftDown) {
    if (m_surfaceRect.contains(pt)) {
        m_watching = true;
        RebuildTipText(pt);
        if (!m_tipText.isEmpty())
            m_tip.ShowAtCursor();
        else
            m_tip.HideTip();
    } else {
        m_tip.HideTip();
    }

    if (leftDown) {
        const PlotGeometry g = Geometry();
        if (m_dragValue && m_hoveredBar >= 0) {
            const double v = m_plot.ValueFromY(g, m_creationRect.height() - pt.y());
            SetBarValue(m_pressedBar, v);
            if (m_hooks.onStageValueDragged)
                m_hooks.onStageValueDragged(m_pressedBar, v);
        }
        if (m_dragTime && m_hoveredBar >= 0) {
            const double t = m_plot.TimeFromX(g, m_hoveredBar, pt.x());
            SetBarEndTime(m_pressedBar, t);
            if (m_hooks.onStageTimeDragged)
                m_hooks.onStageTimeDragged(m_pressedBar, t);
        }
        if ((m_dragValue || m_dragTime) && m_hoveredBar >= 0) {
            // String 1047 of the active language.
            SetStatus(FormatChartStatus(LoadResourceString(IDS_CHART_STATUS),
                                        static_cast<int>(GetBarValue(m_pressedBar)),
                                        static_cast<int>(GetBarDuration(m_pressedBar))));
            Redraw();
        }
    } else {
        m_dragValue = false;
        m_dragTime = false;
    }

    if (!m_dragValue && !m_dragTime)
        UpdateHover(pt);
}

void CProfileChart::UpdateHover(QPoint pt) {
    const PlotGeometry g = Geometry();
    const int hit = m_plot.HitTest(g, pt.x(), pt.y(), kHitDx, kHitDy);
    if (hit >= 0) {
        const ChartBar& bar = *m_plot.Bar(hit);
        const bool nearTop =
            std::abs(g.TopEdgeLine(m_creationRect.height(), bar.value) - pt.y()) <= kTopZone;
        const bool nearRight = std::abs(g.RightEdgeLine(bar.endTime) - pt.x()) <= kRightZone;
        const HoverZone zone = nearTop && nearRight ? HoverZone::Corner
                               : nearTop            ? HoverZone::Top
                               : nearRight          ? HoverZone::Right
                                                    : HoverZone::None;
        // The cursor changes only with the zone.
        if (zone != m_zone)
            SetZone(zone);
        if (m_hoveredBar != hit) {
            m_hoveredBar = hit;
            m_plot.SetHighlightedBar(hit);
            Redraw();
        }
    } else if (m_hoveredBar != -1) {
        SetZone(HoverZone::None);
        m_hoveredBar = -1;
        m_plot.SetHighlightedBar(-1);
        SetStatus(QString());
        Redraw();
    }
}

void CProfileChart::LeftButtonDown(QPoint pt) {
    switch (m_zone) {
    case HoverZone::Top:
        m_dragValue = true;
        break;
    case HoverZone::Right:
        m_dragTime = true;
        break;
    case HoverZone::Corner:
        m_dragValue = m_dragTime = true;
        break;
    case HoverZone::None:
        return;
    }
    m_pressedBar = m_plot.HitTest(Geometry(), pt.x(), pt.y(), kHitDx, kHitDy);
}

void CProfileChart::LeftButtonUp(QPoint pt) {
    const bool onBar = m_plot.HitTest(Geometry(), pt.x(), pt.y(), kHitDx, kHitDy) >= 0;
    if (m_dragValue && m_dragTime) {
        if (onBar)
            setCursor(CursorFor(HoverZone::Corner));
    } else if (m_dragValue) {
        if (onBar)
            setCursor(CursorFor(HoverZone::Top));
    } else if (m_dragTime) {
        if (onBar)
            setCursor(CursorFor(HoverZone::Right));
    }
    // The end of a drag lets the pointer go: released outside, the chart keeps its hover and
    // highlight and does nothing more until the pointer comes back.
    if (m_dragValue || m_dragTime)
        m_watching = false;
    m_dragValue = false;
    m_dragTime = false;
}

void CProfileChart::LeaveChart() {
    if (!m_watching)
        return;
    m_watching = false;
    m_tip.HideTip();
    m_dragValue = false;
    m_dragTime = false;
    UpdateHover(QPoint(INT_MIN / 2, INT_MIN / 2));
}

// Qt keeps delivering moves to the chart while a button pressed over it is held (the
// implicit grab), which is the capture a drag needs; without a button, leaving the chart
// ends the hover.
void CProfileChart::mouseMoveEvent(QMouseEvent* event) {
    QWidget::mouseMoveEvent(event);
    MouseMove(event->position().toPoint(), event->buttons().testFlag(Qt::LeftButton));
}

void CProfileChart::mousePressEvent(QMouseEvent* event) {
    QWidget::mousePressEvent(event);
    if (event->button() == Qt::LeftButton)
        LeftButtonDown(event->position().toPoint());
}

void CProfileChart::mouseReleaseEvent(QMouseEvent* event) {
    QWidget::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton)
        LeftButtonUp(event->position().toPoint());
}

void CProfileChart::leaveEvent(QEvent* event) {
    QWidget::leaveEvent(event);
    if (!QGuiApplication::mouseButtons().testFlag(Qt::LeftButton))
        LeaveChart();
}

} // namespace drivo
