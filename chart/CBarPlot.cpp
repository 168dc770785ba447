// SPDX-License-Identifier: GPL-3.0-or-later
#include "CBarPlot.h"

#include "ChartColor.h"
#include "TextStamps.h"

#include "framework/FontFamily.h"
#include "widgets/PixelLines.h"

#include <QHashFunctions>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <vector>

namespace drivo {

namespace {

constexpr QRgb kOutlineColor = 0xFF000000;
constexpr QRgb kEndTickColor = 0xFFCDCDCD; // ColorAbsDiff(white, 50), whatever the background
constexpr int kEndTickPenWidth = 3;
constexpr int kEndTickHeight = 5;

// Writes straight into the rows of a 32-bit surface, clipped to it, as an unclipped painter
// fill of the same rectangle would. A bar is a hundred one-pixel columns; filled one by one
// through the painter they cost most of a redraw.
class SurfaceRows {
public:
    // bits() once: scanLine() on a non-const image checks for sharing at every call.
    explicit SurfaceRows(QImage& surface)
        : m_rect(surface.rect()), m_bits(surface.bits()), m_stride(surface.bytesPerLine()) {}

    void Fill(int x, int y, int w, int h, QRgb c) {
        const QRect r = QRect(x, y, w, h) & m_rect;
        for (int row = r.top(); row <= r.bottom(); ++row)
            std::fill_n(Row(row) + r.left(), r.width(), Opaque(c));
    }
    void Set(int x, int y, QRgb c) { Fill(x, y, 1, 1, c); }
    // colors[i] goes to column x + i of each row y .. y + h - 1.
    void Columns(int x, int y, int h, const std::vector<QRgb>& colors) {
        const int count = static_cast<int>(colors.size());
        const QRect r = QRect(x, y, count, h) & m_rect;
        for (int row = r.top(); row <= r.bottom(); ++row)
            std::copy_n(colors.begin() + (r.left() - x), r.width(), Row(row) + r.left());
    }

private:
    static QRgb Opaque(QRgb c) { return c | 0xFF000000u; }
    QRgb* Row(int y) { return reinterpret_cast<QRgb*>(m_bits + y * m_stride); }

    QRect m_rect;
    uchar* m_bits;
    qsizetype m_stride;
};

} // namespace

CBarPlot::CBarPlot() : m_labelFont(LabelFont()) {}

QFont CBarPlot::LabelFont() {
    return ResourceFont(QStringLiteral("Tahoma"), 10);
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

void CBarPlot::Draw(QPainter& p, QImage& surface, CTextStamps& text, const PlotGeometry& g,
                    std::vector<DrawnArea>& drawn) const {
    if (m_bars.empty() || !g.CanPlaceBars())
        return;
    Q_ASSERT(surface.depth() == 32 && p.device() == &surface && p.transform().isIdentity());
    for (int k = 0; k < BarCount(); ++k) {
        const BarRect r = BarRectangle(g, k);
        const ChartBar& bar = *m_bars[static_cast<size_t>(k)];
        DrawBar(surface, r, bar, k == m_highlightedBar);
        drawn.push_back({QRect(r.left, r.top, r.Width(), r.Height()),
                         qHashMulti(0, bar.color, k == m_highlightedBar, m_background)});
        if (m_valueLabels || m_timeLabels)
            DrawLabels(p, text, g, r, k, drawn);
    }
}

void CBarPlot::DrawBar(QImage& surface, const BarRect& r, const ChartBar& bar,
                       bool highlighted) const {
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

    SurfaceRows rows(surface);
    const int n = highlighted ? 2 : 1;
    const int columnTop = highlighted ? T + 2 : T + 1;
    const int columnHeight = highlighted ? hb - 3 : hb - 2;
    if (columnHeight <= 0 || w - 2 * n <= 0) {
        rows.Fill(L, T, w, hb, kOutlineColor);
    } else {
        // The outline: what the gradient columns leave of the bar's rectangle.
        const int columnBottom = columnTop + columnHeight;
        rows.Fill(L, T, w, columnTop - T, kOutlineColor);
        rows.Fill(L, columnTop, n, columnHeight, kOutlineColor);
        rows.Fill(L + w - n, columnTop, n, columnHeight, kOutlineColor);
        rows.Fill(L, columnBottom, w, T + hb - columnBottom, kOutlineColor);

        auto step = [w](int s, int e, int i) { return s + i * (e - s) / w; };
        std::vector<QRgb> columns;
        columns.reserve(static_cast<size_t>(w - 2 * n));
        for (int i = n; i <= w - 1 - n; ++i) {
            const QRgb c =
                qRgb(step(qRed(start), qRed(end), i), step(qGreen(start), qGreen(end), i),
                     step(qBlue(start), qBlue(end), i));
            columns.push_back(i < w / 2 ? Blend(c, kBarShadeColor, std::min(5 * i + 32, 100)) : c);
        }
        rows.Columns(L + n, columnTop, columnHeight, columns);
    }

    // Rounded top corners: background at the very corner, a grey step beside it.
    rows.Set(L, T, m_background);
    rows.Set(L + w - 1, T, m_background);
    rows.Set(L + 1, T, corner);
    rows.Set(L, T + 1, corner);
    rows.Set(L + w - 2, T, corner);
    rows.Set(L + w - 1, T + 1, corner);
    rows.Set(L + w - 2, T + 1, kOutlineColor);
    rows.Set(L + 1, T + 1, kOutlineColor);
}

void CBarPlot::DrawLabels(QPainter& p, CTextStamps& text, const PlotGeometry& g, const BarRect& r,
                          int index, std::vector<DrawnArea>& drawn) const {
    const ChartBar& bar = *m_bars[static_cast<size_t>(index)];
    const int L = r.left;
    const int T = r.top;
    const int w = r.Width();
    if (m_valueLabels) {
        const double shown =
            m_valueLabelMode == 0 ? bar.value * 100.0 / m_valueFullScale : bar.value;
        drawn.push_back(text.Draw(p, QRect(L, T - 10, w, 10), Qt::AlignCenter | Qt::TextSingleLine,
                                  QString::asprintf("%0.00f", shown), m_labelFont, kLabelColor));
    }
    if (m_timeLabels) {
        const int B = T + r.Height();
        drawn.push_back(text.Draw(
            p, QRect(L, B, w, 10), Qt::AlignRight | Qt::AlignVCenter | Qt::TextSingleLine,
            QString::number(static_cast<long long>(bar.endTime)), m_labelFont, kLabelColor));
        if (index == 0)
            drawn.push_back(text.Draw(p, QRect(L, B, g.width - L, 10),
                                      Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                                      QStringLiteral("0"), m_labelFont, kLabelColor));
        if (index == BarCount() - 1) {
            const int x = g.width - kPlotRightMargin;
            // The tick stands on the bars' bottom row and rises kEndTickHeight pixels.
            VerticalLine(p, x, B - kEndTickHeight + 1, B + 1, QColor::fromRgb(kEndTickColor),
                         kEndTickPenWidth);
            drawn.push_back({QRect(x - kEndTickPenWidth, B - kEndTickHeight,
                                   2 * kEndTickPenWidth + 1, kEndTickHeight + 1),
                             kEndTickColor});
        }
    }
}

} // namespace drivo
