// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The motor current profile as a bar chart: time on the horizontal axis up to the maximum
// time, intensity in percent of Imax vertically. Renders into an off-screen surface only on
// changes; painting copies that surface.
#include "CBarPlot.h"
#include "CChartGrid.h"
#include "TextStamps.h"
#include "widgets/CBalloonTip.h"

#include <QImage>
#include <QRect>
#include <QRgb>
#include <QString>
#include <QWidget>
#include <functional>
#include <vector>

namespace drivo {

// What the chart tells its owner while the user drags a bar (mouse editing).
struct ChartOwnerHooks {
    std::function<void(int index, double value)> onStageValueDragged;
    std::function<void(int index, double ms)> onStageTimeDragged;
    // Text of the owner's status pane 0, to be shown at once.
    std::function<void(const QString& text)> setStatusText;
};

class CProfileChart : public QWidget {
    Q_OBJECT
public:
    CProfileChart();
    ~CProfileChart() override;

    // Becomes a visible child of owner at rect (owner's client coordinates) and creates the
    // balloon tip. False, changing nothing, when the chart has its window already.
    bool Create(const QRect& rect, QWidget* owner, int controlId, const QString& title);
    bool HasWindow() const { return m_created; }
    int ControlId() const { return m_controlId; }

    void SetTitle(const QString& text) { m_title = text; }
    QString Title() const { return m_title; }
    // Also recolours the frame and the grid lines; the surface keeps its old pixels until
    // the next Redraw.
    void SetBackgroundColor(QRgb color);

    void ShowGrid(bool visible, bool redraw);
    void ShowTimeLabels(bool on, bool redraw);
    void ShowValueLabels(int mode, bool on, bool redraw);
    void EnableTips(bool on) { m_tipsEnabled = on; }
    // With useSpacing: lines every spacing px (10 for 0) and no fixed counts. Otherwise the
    // counts, each kept when its new value is 0.
    void SetGridDivisions(unsigned rows, unsigned columns, bool useSpacing, unsigned spacing);

    void AddBar(double endTime, double value, const QString& label, QRgb color, bool redraw);
    // Indexes outside the bar list are ignored; no drawing.
    void SetBarValue(int index, double value);
    void SetBarEndTime(int index, double ms);
    void SetMaxTime(double ms, bool redraw);
    // -1.0 (label: empty) for an index outside the list.
    double GetBarValue(int index) const;
    double GetBarEndTime(int index) const;
    double GetBarDuration(int index) const;
    QString GetBarLabel(int index) const;
    int BarCount() const { return m_plot.BarCount(); }
    // -1 for none. Takes effect at the next Redraw.
    void SetHighlightedBar(int index) { m_plot.SetHighlightedBar(index); }

    // Removes all bars and rebuilds the surface.
    void Reset();
    // Creates the surface if there is none, resizes it to the plot and renders.
    void Rebuild();
    // Renders into the surface and schedules a paint; does nothing before the surface exists.
    void Redraw();

    // The rendered surface; null until the first paint or Rebuild.
    const QImage& Surface() const { return m_surface; }
    const CBarPlot& Plot() const { return m_plot; }
    const CChartGrid& Grid() const { return m_grid; }
    // Geometry of the bars at the chart's creation size, as the last Redraw laid them out.
    PlotGeometry Geometry() const;

    void SetOwnerHooks(ChartOwnerHooks hooks) { m_hooks = std::move(hooks); }
    const ChartOwnerHooks& OwnerHooks() const { return m_hooks; }
    CBalloonTip& Tip() { return m_tip; }
    const QString& TipText() const { return m_tipText; }

    // Mouse editing, in the chart's client coordinates; the event handlers call these.
    enum class HoverZone { None, Top, Right, Corner };
    void MouseMove(QPoint pt, bool leftDown);
    void LeftButtonDown(QPoint pt);
    void LeftButtonUp(QPoint pt);
    // The pointer left the chart with no button held; nothing happens when the chart had let
    // it go at the end of a drag.
    void LeaveChart();
    int HoveredBar() const { return m_hoveredBar; }
    HoverZone Zone() const { return m_zone; }
    bool DraggingValue() const { return m_dragValue; }
    bool DraggingTime() const { return m_dragTime; }

    // The font of the title: what a fresh drawing surface selects by default.
    static QFont TitleFont();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void RebuildTipText(QPoint pt);
    void UpdateHover(QPoint pt);
    void SetZone(HoverZone zone);
    void SetStatus(const QString& text) const;

    void RecreateSurface();
    // The background and the grid, copied from their last rendering while nothing they depend
    // on has changed. True when only the areas previously drawn over it were copied: the rest
    // of the surface is as it was.
    bool DrawBackdrop(QPainter& p, const std::vector<DrawnArea>& previous);
    // A paint of what changed: the areas whose drawing differs from the previous one's.
    void UpdateChanged(const std::vector<DrawnArea>& previous);
    void DrawTitle(QPainter& p);

    QRgb m_background;
    QRect m_creationRect;
    QRgb m_frameColor;
    CChartGrid m_grid;
    bool m_gridVisible = true;
    bool m_tipsEnabled = true;
    CBarPlot m_plot;
    QImage m_surface;
    struct BackdropKey {
        QSize size;
        QRgb background = 0;
        bool grid = false;
        int top = 0;
        int bottom = 0;
        unsigned rows = 0;
        unsigned columns = 0;
        unsigned spacing = 0;
        QRgb lineColor = 0;
        bool operator==(const BackdropKey&) const = default;
    };
    QImage m_backdrop;
    BackdropKey m_backdropKey;
    // What the last redraw drew over the backdrop, in drawing order; unknown after the surface
    // was recreated.
    std::vector<DrawnArea> m_drawn;
    bool m_drawnKnown = false;
    CTextStamps m_text;
    QFont m_titleFont = TitleFont();
    QRect m_surfaceRect;
    QString m_title;
    QString m_tipText;
    CBalloonTip m_tip;
    bool m_created = false;
    int m_controlId = 0;
    ChartOwnerHooks m_hooks;
    HoverZone m_zone = HoverZone::None;
    bool m_dragValue = false;
    bool m_dragTime = false;
    int m_pressedBar = -1;
    int m_hoveredBar = -1;
    bool m_watching = false; // follows the pointer: since a move over it, until a drag ends
};

} // namespace drivo
