#include "CBarPlot.h"

#include "ChartColor.h"
#include "PixelLines.h"

#include <QPainter>
#include <algorithm>

namespace drivo {

namespace {

constexpr QRgb kOutlineColor = 0xFF000000;
constexpr QRgb kEndTickColor = 0xFFCDCDCD; // ColorAbsDiff(white, 50), whatever the background
constexpr int kEndTickPenWidth = 3;
constexpr int kEndTickHeight = 5;

inline void SetPixel(QPainter& p, int x, int y, QRgb c) {
    p.fillRect(x, y, 1, 1, QColor::fromRgb(c));
}

} // namespace

CBarPlot::CBarPlot() : m_labelFont(LabelFont()) {}

QFont CBarPlot::LabelFont() {
    QFont f(QStringLiteral("Tahoma"));
    f.setPixelSize(10);
    f.setWeight(QFont::Normal);
    f.setItalic(false);
    f.setUnderline(false);
    f.setStrikeOut(false);
    f.setStyleHint(QFont::SansSerif);
    return f;
}

void CBarPlot::AddBar(double endTime, double value, const QString& label, QRgb color) {
    auto bar = std::make_unique<ChartBar>();
    bar->label = label;
    bar->value = value;
    bar->endTime = endTime;
    bar->color = color;
    m_bars.push_back(std::move(bar));
}

void CBarPlot::RemoveAllBars() {
    m_bars.clear();
}

const ChartBar* CBarPlot::Bar(int index) const {
    return index >= 0 && index < BarCount() ? m_bars[static_cast<size_t>(index)].get() : nullptr;
}

ChartBar* CBarPlot::Bar(int index) {
    return index >= 0 && index < BarCount() ? m_bars[static_cast<size_t>(index)].get() : nullptr;
}

PlotGeometry CBarPlot::Geometry(int chartWidth, int chartHeight) const {
    PlotLayoutInput in;
    in.chartWidth = chartWidth;
    in.chartHeight = chartHeight;
    in.timeLabels = m_timeLabels;
    in.valueLabels = m_valueLabels;
    in.timeFullScale = m_timeFullScale;
    in.valueFullScale = m_valueFullScale;
    in.barCount = m_bars.size();
    return LayoutPlot(in);
}

PlotGeometry CBarPlot::Layout(int chartWidth, int chartHeight) {
    const PlotGeometry g = Geometry(chartWidth, chartHeight);
    m_width = g.width;
    m_height = g.height;
    m_slotWidth = g.slotWidth;
    m_slotGap = 0;
    return g;
}

BarRect CBarPlot::BarRectangle(const PlotGeometry& g, int index) const {
    const ChartBar* bar = Bar(index);
    if (!bar)
        return {};
    const double previousEnd = index == 0 ? 0.0 : m_bars[static_cast<size_t>(index) - 1]->endTime;
    return g.BarRectangle(previousEnd, bar->endTime, bar->value);
}

int CBarPlot::HitTest(const PlotGeometry& g, int x, int y, int dx, int dy) const {
    if (!g.CanPlaceBars())
        return -1;
    for (int k = 0; k < BarCount(); ++k)
        if (HitsEnlarged(BarRectangle(g, k), x, y, dx, dy))
            return k;
    return -1;
}

double CBarPlot::TimeFromX(const PlotGeometry& g, int k, int x) const {
    const bool last = k >= BarCount() - 1;
    const ChartBar* next = Bar(k + 1);
    const ChartBar* previous = Bar(k - 1);
    const double upper = !last && next ? next->endTime : m_timeFullScale;
    const double lower = k > 0 && previous ? previous->endTime : 0.0;
    return g.TimeFromX(x, lower, upper, last);
}

void CBarPlot::Draw(QPainter& p, const PlotGeometry& g) const {
    if (m_bars.empty() || !g.CanPlaceBars())
        return;
    for (int k = 0; k < BarCount(); ++k) {
        const BarRect r = BarRectangle(g, k);
        DrawBar(p, r, *m_bars[static_cast<size_t>(k)], k == m_highlightedBar);
        if (m_valueLabels || m_timeLabels)
            DrawLabels(p, g, r, k);
    }
}

void CBarPlot::DrawBar(QPainter& p, const BarRect& r, const ChartBar& bar, bool highlighted) const {
    const int L = r.left;
    const int T = r.top;
    const int w = r.Width();
    const int hb = r.Height();
    // Nothing to fill for a bar of no width or height (end times out of order, value 0 or less).
    if (w <= 0 || hb <= 0)
        return;

    const QRgb start = highlighted ? bar.color : ColorAbsDiff(bar.color, 50);
    const QRgb end = bar.color;
    const QRgb corner = Blend(kOutlineColor, m_background, 40);

    p.fillRect(L, T, w, hb, QColor::fromRgb(kOutlineColor));

    const int n = highlighted ? 2 : 1;
    const int columnTop = highlighted ? T + 2 : T + 1;
    const int columnHeight = highlighted ? hb - 3 : hb - 2;
    if (columnHeight > 0) {
        auto step = [w](int s, int e, int i) { return s + i * (e - s) / w; };
        for (int i = n; i <= w - 1 - n; ++i) {
            const QRgb c =
                qRgb(step(qRed(start), qRed(end), i), step(qGreen(start), qGreen(end), i),
                     step(qBlue(start), qBlue(end), i));
            const QRgb column = i < w / 2 ? Blend(c, kBarShadeColor, std::min(5 * i + 32, 100)) : c;
            p.fillRect(L + i, columnTop, 1, columnHeight, QColor::fromRgb(column));
        }
    }

    // Rounded top corners: background at the very corner, a grey step beside it.
    SetPixel(p, L, T, m_background);
    SetPixel(p, L + w - 1, T, m_background);
    SetPixel(p, L + 1, T, corner);
    SetPixel(p, L, T + 1, corner);
    SetPixel(p, L + w - 2, T, corner);
    SetPixel(p, L + w - 1, T + 1, corner);
    SetPixel(p, L + w - 2, T + 1, kOutlineColor);
    SetPixel(p, L + 1, T + 1, kOutlineColor);
}

void CBarPlot::DrawLabels(QPainter& p, const PlotGeometry& g, const BarRect& r, int index) const {
    const ChartBar& bar = *m_bars[static_cast<size_t>(index)];
    const int L = r.left;
    const int T = r.top;
    const int w = r.Width();
    p.save();
    p.setFont(m_labelFont);
    p.setPen(Qt::black);
    if (m_valueLabels) {
        const double shown =
            m_valueLabelMode == 0 ? bar.value * 100.0 / m_valueFullScale : bar.value;
        p.drawText(QRect(L, T - 10, w, 10), Qt::AlignCenter | Qt::TextSingleLine,
                   QString::asprintf("%0.00f", shown));
    }
    if (m_timeLabels) {
        const int B = T + r.Height();
        p.drawText(QRect(L, B, w, 10), Qt::AlignRight | Qt::AlignVCenter | Qt::TextSingleLine,
                   QString::number(static_cast<long long>(bar.endTime)));
        if (index == 0)
            p.drawText(QRect(L, B, g.width - L, 10),
                       Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, QStringLiteral("0"));
        if (index == BarCount() - 1)
            VerticalLine(p, g.width - kPlotRightMargin, B, B - kEndTickHeight, kEndTickPenWidth,
                         QColor::fromRgb(kEndTickColor));
    }
    p.restore();
}

} // namespace drivo
