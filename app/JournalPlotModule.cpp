// SPDX-License-Identifier: GPL-3.0-or-later
// The journal's plot drawn with Qt Charts: the module loaded with the first journal window.
#include "app/JournalPlot.h"

#include <QChart>
#include <QChartView>
#include <QLineSeries>
#include <QValueAxis>

#include <algorithm>

namespace drivo {

namespace {

class ChartsPlot final : public JournalPlot {
public:
    explicit ChartsPlot(QWidget* parent)
        : m_chart(new QChart), m_view(new QChartView(m_chart, parent)) {
        m_view->setRenderHint(QPainter::Antialiasing);
        m_view->setMinimumSize(360, 260);
    }

    QWidget* Widget() const override { return m_view; }

    void Show(const std::vector<JournalRun>& runs, const JournalPlotTexts& texts) override {
        m_chart->removeAllSeries();
        for (QAbstractAxis* axis : m_chart->axes()) {
            m_chart->removeAxis(axis); // gives it back to us
            delete axis;
        }
        auto* times = new QLineSeries;
        auto* speeds = new QLineSeries;
        double longest = 0, fastest = 0;
        int run = 0;
        for (const JournalRun& r : runs) {
            ++run;
            times->append(run, r.raceTimeMs);
            speeds->append(run, r.topSpeed);
            longest = std::max(longest, r.raceTimeMs);
            fastest = std::max(fastest, r.topSpeed);
        }
        times->setName(texts.raceTime);
        speeds->setName(texts.topSpeed);
        for (QLineSeries* series : {times, speeds}) {
            series->setPointsVisible(true);
            m_chart->addSeries(series);
        }
        const auto axis = [this](const QString& title, double high, Qt::Alignment side) {
            auto* a = new QValueAxis;
            a->setTitleText(title);
            a->setRange(0, high);
            m_chart->addAxis(a, side);
            return a;
        };
        QValueAxis* x = axis(texts.run, std::max(run, 1) + 1, Qt::AlignBottom);
        x->setTickType(QValueAxis::TicksDynamic);
        x->setTickInterval(std::max(1, run / 10));
        x->setLabelFormat(QStringLiteral("%d"));
        QValueAxis* left = axis(texts.raceTime, std::max(longest * 1.1, 1.0), Qt::AlignLeft);
        QValueAxis* right = axis(texts.topSpeed, std::max(fastest * 1.1, 1.0), Qt::AlignRight);
        times->attachAxis(x);
        times->attachAxis(left);
        speeds->attachAxis(x);
        speeds->attachAxis(right);
    }

private:
    QChart* m_chart; // owned by the view
    QChartView* m_view;
};

} // namespace

} // namespace drivo

extern "C" Q_DECL_EXPORT drivo::JournalPlot* drivo_create_journal_plot(QWidget* parent) {
    return new drivo::ChartsPlot(parent);
}
static_assert(
    std::is_same_v<decltype(&drivo_create_journal_plot), drivo::CreateJournalPlotFunction>);
