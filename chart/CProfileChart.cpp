// SPDX-License-Identifier: GPL-3.0-or-later
#include "CProfileChart.h"

#include "ChartColor.h"

#include "framework/FontFamily.h"

#include <QPaintEvent>
#include <QPainter>
#include <QRegion>
#include <algorithm>
#include <cstring>

namespace drivo {

namespace {

constexpr QRgb kInitialBackground = 0xFFF0F0F0; // RGB(240,240,240)
constexpr QRgb kTitleShadowColor = 0xFFC8C8C8;  // RGB(200,200,200)
constexpr QRgb kTitleColor = 0xFF000000;
constexpr unsigned kTipTimeoutMs = 4000;
constexpr int kDefaultGridSpacing = 10;

// Copies the pixels of area (clipped) between two 32-bit images of one size.
void CopyArea(const QImage& from, QImage& to, QRect area) {
    area &= to.rect();
    const qsizetype stride = to.bytesPerLine();
    const qsizetype start = area.top() * stride + area.left() * qsizetype(sizeof(QRgb));
    const uchar* source = from.constBits() + start;
    uchar* target = to.bits() + start;
    for (int y = 0; y < area.height(); ++y)
        std::memcpy(target + y * stride, source + y * stride, size_t(area.width()) * sizeof(QRgb));
}

// The smallest rectangle holding both, when it costs little more than the two apart: a
// paint copies few larger rectangles faster than many small ones.
bool Mergeable(const QRect& a, const QRect& b) {
    const auto area = [](const QRect& r) { return qint64(r.width()) * r.height(); };
    return a.intersects(b) || area(a | b) <= (area(a) + area(b)) * 5 / 4;
}

std::vector<QRect> Merged(std::vector<QRect> rects) {
    for (size_t i = 0; i < rects.size(); ++i)
        for (size_t j = i + 1; j < rects.size(); ++j)
            if (Mergeable(rects[i], rects[j])) {
                rects[i] |= rects[j];
                rects.erase(rects.begin() + std::ptrdiff_t(j));
                j = i; // the grown rectangle may now take ones already passed
            }
    return rects;
}

} // namespace

CProfileChart::CProfileChart()
    : m_background(kInitialBackground), m_frameColor(ColorAbsDiff(kInitialBackground, 100)),
      m_grid(ColorAbsDiff(kInitialBackground, 50)) {
    m_plot.SetTimeLabels(true);
    m_plot.SetValueLabels(true);
    m_plot.SetValueLabelMode(1);
    // The surface covers every pixel: no background erase before a paint.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setAutoFillBackground(false);
    setMouseTracking(true);
}

CProfileChart::~CProfileChart() = default;

bool CProfileChart::Create(const QRect& rect, QWidget* owner, int controlId, const QString& title) {
    if (m_created)
        return false;
    m_creationRect = rect;
    m_title = title;
    m_controlId = controlId;
    setParent(owner);
    setGeometry(rect);
    show();
    m_created = true;
    m_tip.CreateTip(this, &m_tipsEnabled, &m_tipText, kTipTimeoutMs);
    return true;
}

void CProfileChart::SetBackgroundColor(QRgb color) {
    m_background = color;
    m_frameColor = ColorAbsDiff(color, 100);
    m_grid.SetLineColor(ColorAbsDiff(color, 50));
    if (m_created)
        update();
}

void CProfileChart::ShowGrid(bool visible, bool redraw) {
    m_gridVisible = visible;
    if (redraw)
        Redraw();
}

void CProfileChart::ShowTimeLabels(bool on, bool redraw) {
    m_plot.SetTimeLabels(on);
    if (redraw)
        Redraw();
}

void CProfileChart::ShowValueLabels(int mode, bool on, bool redraw) {
    m_plot.SetValueLabelMode(mode);
    m_plot.SetValueLabels(on);
    if (redraw)
        Redraw();
}

void CProfileChart::SetGridDivisions(unsigned rows, unsigned columns, bool useSpacing,
                                     unsigned spacing) {
    if (useSpacing) {
        m_grid.SetSpacing(spacing != 0 ? spacing : kDefaultGridSpacing);
        m_grid.SetRows(0);
        m_grid.SetColumns(0);
        return;
    }
    if (rows != 0)
        m_grid.SetRows(rows);
    if (columns != 0)
        m_grid.SetColumns(columns);
}

void CProfileChart::AddBar(double endTime, double value, const QString& label, QRgb color,
                           bool redraw) {
    m_plot.AddBar(endTime, value, label, color);
    m_plot.SetSize(m_plot.BarCount() * (m_plot.SlotWidth() + m_plot.SlotGap()), m_plot.Height());
    if (redraw) {
        Rebuild();
        if (m_created)
            update();
    }
}

void CProfileChart::SetBarValue(int index, double value) {
    if (ChartBar* bar = m_plot.Bar(index))
        bar->value = value;
}

void CProfileChart::SetBarEndTime(int index, double ms) {
    if (ChartBar* bar = m_plot.Bar(index))
        bar->endTime = ms;
}

void CProfileChart::SetMaxTime(double ms, bool redraw) {
    m_plot.SetTimeFullScale(ms);
    if (redraw) {
        Rebuild();
        if (m_created)
            update();
    }
}

double CProfileChart::GetBarValue(int index) const {
    const ChartBar* bar = m_plot.Bar(index);
    return bar ? bar->value : -1.0;
}

double CProfileChart::GetBarEndTime(int index) const {
    const ChartBar* bar = m_plot.Bar(index);
    return bar ? bar->endTime : -1.0;
}

double CProfileChart::GetBarDuration(int index) const {
    const ChartBar* bar = m_plot.Bar(index);
    if (!bar)
        return -1.0;
    return index == 0 ? bar->endTime : bar->endTime - m_plot.Bar(index - 1)->endTime;
}

QString CProfileChart::GetBarLabel(int index) const {
    const ChartBar* bar = m_plot.Bar(index);
    return bar ? bar->label : QString();
}

void CProfileChart::Reset() {
    m_plot.RemoveAllBars();
    m_plot.SetSize(0, 0);
    m_surfaceRect = QRect();
    Rebuild();
}

void CProfileChart::Rebuild() {
    // Without a window there is nothing to be compatible with, as no paint can follow.
    if (!m_created)
        return;
    RecreateSurface();
    Redraw();
}

void CProfileChart::RecreateSurface() {
    const int ws = std::max(m_plot.Width(), m_creationRect.width());
    const int hs = std::max(m_plot.Height(), m_creationRect.height());
    m_surfaceRect = QRect(0, 0, ws, hs);
    m_surface = QImage(ws, hs, QImage::Format_RGB32);
    m_drawnKnown = false;
    if (!m_surface.isNull())
        m_surface.fill(m_background);
}

PlotGeometry CProfileChart::Geometry() const {
    return m_plot.Geometry(m_creationRect.width(), m_creationRect.height());
}

QFont CProfileChart::TitleFont() {
    return ResourceFont(QStringLiteral("System"), 16, QFont::Bold);
}

void CProfileChart::Redraw() {
    if (!m_created || m_surface.isNull())
        return;
    QPainter p(&m_surface);
    const int ws = m_surfaceRect.width();
    const int hs = m_surfaceRect.height();
    std::vector<DrawnArea> previous;
    previous.swap(m_drawn);
    const bool kept = DrawBackdrop(p, previous);

    m_plot.SetBackground(m_background);
    const PlotGeometry g = m_plot.Layout(m_creationRect.width(), m_creationRect.height());
    m_plot.Draw(p, m_surface, m_text, g, m_drawn);

    DrawTitle(p);

    const QColor frame = QColor::fromRgb(m_frameColor);
    for (const QRect& edge : {QRect(0, 0, ws, 1), QRect(0, hs - 1, ws, 1), QRect(0, 0, 1, hs),
                              QRect(ws - 1, 0, 1, hs)}) {
        p.fillRect(edge, frame);
        m_drawn.push_back({edge, m_frameColor});
    }
    p.end();
    if (kept)
        UpdateChanged(previous);
    else
        update();
}

void CProfileChart::UpdateChanged(const std::vector<DrawnArea>& previous) {
    // Outside the areas drawn differently, every pixel saw the same drawings over the same
    // backdrop in the same order, so it is as shown already.
    if (previous.size() != m_drawn.size()) {
        update();
        return;
    }
    std::vector<QRect> changed;
    for (size_t i = 0; i < m_drawn.size(); ++i)
        if (!(previous[i] == m_drawn[i]))
            for (const QRect& r : {previous[i].rect, m_drawn[i].rect})
                if (!r.isEmpty())
                    changed.push_back(r);
    QRegion region;
    for (const QRect& r : Merged(std::move(changed)))
        region += r;
    if (!region.isEmpty())
        update(region);
}

bool CProfileChart::DrawBackdrop(QPainter& p, const std::vector<DrawnArea>& previous) {
    const int top = m_plot.ValueLabels() ? 0 : -10;
    const int bottom = m_surfaceRect.height() - (m_plot.TimeLabels() ? 33 : 23);
    const BackdropKey key{
        m_surface.size(), m_background,     m_gridVisible,     top, bottom, m_grid.Rows(),
        m_grid.Columns(), m_grid.Spacing(), m_grid.LineColor()};
    const bool reuse = key == m_backdropKey && !m_backdrop.isNull();
    const bool kept = reuse && m_drawnKnown;
    if (kept) {
        // Outside what the last redraw drew over it, the surface still is the backdrop.
        for (const DrawnArea& d : previous)
            CopyArea(m_backdrop, m_surface, d.rect);
    } else if (reuse) {
        std::memcpy(m_surface.bits(), m_backdrop.constBits(), size_t(m_surface.sizeInBytes()));
    } else {
        p.fillRect(m_surfaceRect, QColor::fromRgb(m_background));
        if (m_gridVisible)
            m_grid.Draw(p, 0, top, m_surfaceRect.width(), bottom);
        // Kept once the same backdrop is drawn a second time: a chart that is only shown, as
        // at start, never pays for the copy.
        m_backdrop = key == m_backdropKey ? m_surface.copy() : QImage();
        m_backdropKey = key;
    }
    m_drawnKnown = true;
    return kept;
}

void CProfileChart::DrawTitle(QPainter& p) {
    const QRect r(QPoint(m_surfaceRect.left() + 80, 0), QPoint(m_surfaceRect.right(), 19));
    const int flags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine;
    m_drawn.push_back(
        m_text.Draw(p, r.adjusted(2, 2, 0, 0), flags, m_title, m_titleFont, kTitleShadowColor));
    m_drawn.push_back(m_text.Draw(p, r, flags, m_title, m_titleFont, kTitleColor));
}

void CProfileChart::paintEvent(QPaintEvent* event) {
    if (m_surface.isNull()) {
        // The first paint only renders; the invalidation of that rendering brings the copy.
        Rebuild();
        return;
    }
    QPainter p(this);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    const QRect area(0, 0, m_creationRect.width(), m_creationRect.height());
    // Only what the paint asks for: a drag changes a small part of the surface.
    for (const QRect& r : event->region())
        if (const QRect copied = r & area; !copied.isEmpty())
            p.drawImage(copied.topLeft(), m_surface, copied);
}

} // namespace drivo
