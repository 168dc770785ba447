// SPDX-License-Identifier: GPL-3.0-or-later
// Bar rectangles at the chart's size in the main window (478 x 264 pixels) and the colour
// functions of its drawing.
#include "ChartFixture.h"
#include "TestMain.h"
#include "chart/BarGeometry.h"
#include "chart/ChartColor.h"

#include <QTest>

using namespace drivo;
using namespace drivo::test;

namespace {

PlotLayoutInput Input(double timeMax, qsizetype bars, bool tl = true, bool vl = true,
                      QSize size = {kChartW, kChartH}) {
    return {size.width(), size.height(), tl, vl, timeMax, 100.0, std::size_t(bars)};
}

} // namespace

class ChartGeometryTest : public QObject {
    Q_OBJECT
private slots:
    void bands_data() {
        QTest::addColumn<bool>("tl");
        QTest::addColumn<bool>("vl");
        QTest::addColumn<int>("band");
        QTest::addColumn<int>("baseline");
        QTest::newRow("both labels") << true << true << 222 << 232;
        QTest::newRow("no time labels") << false << true << 232 << 242;
        QTest::newRow("no value labels") << true << false << 232 << 232;
        QTest::newRow("no labels") << false << false << 242 << 242;
    }
    void bands() {
        QFETCH(bool, tl);
        QFETCH(bool, vl);
        const PlotGeometry g = LayoutPlot(Input(1000, 5, tl, vl));
        QCOMPARE(g.slotWidth, kChartW / 5);
        QCOMPARE(LayoutPlot(Input(1000, 0, tl, vl)).slotWidth, 0); // no bars, no slots
        QTEST(g.valueBand, "band");
        QTEST(g.baseline, "baseline");
        // Full scale reaches 10 px below the top with value labels, the top without.
        QCOMPARE(g.BarRectangle(0, 100, 100).top, vl ? 10 : 0);
    }

    // expected: left, top, right, bottom of each bar in turn.
    void rectangles_data() {
        QTest::addColumn<double>("timeMax");
        QTest::addColumn<QList<double>>("ends");
        QTest::addColumn<QList<double>>("values");
        QTest::addColumn<QList<int>>("expected");
        QTest::newRow("defaults") << 1000.0 << QList<double>{200, 400, 600, 800, 1000}
                                  << QList<double>{5, 10, 20, 20, 20}
                                  << QList{40,  221, 123, 232, 123, 210, 207, 232, 207, 188,
                                           290, 232, 290, 188, 374, 232, 374, 188, 458, 232};
        // 226 / (226 / 418) lands just below 418: the last bar ends one pixel short of W - 20.
        QTest::newRow("end at full scale, rounded down")
            << 226.0 << QList<double>{226} << QList<double>{50} << QList{40, 121, 457, 232};
        QTest::newRow("value 100 and above")
            << 4000.0 << QList<double>{1000, 4000} << QList<double>{100, 150}
            << QList{40, 10, 144, 232, 144, -101, 458, 232};
        QTest::newRow("narrow bars")
            << 1000.0 << QList<double>{200, 201, 203, 205} << QList<double>{0, 0.5, 1, 20}
            << QList{40, 232, 123, 232, 123, 231, 124, 232, 124, 230, 124, 232, 124, 188, 125, 232};
    }
    void rectangles() {
        QFETCH(double, timeMax);
        QFETCH(QList<double>, ends);
        QFETCH(QList<double>, values);
        const PlotGeometry g = LayoutPlot(Input(timeMax, ends.size()));
        QVERIFY(g.CanPlaceBars());
        QList<int> actual;
        for (qsizetype k = 0; k < ends.size(); ++k) {
            const BarRect r = g.BarRectangle(k == 0 ? 0.0 : ends[k - 1], ends[k], values[k]);
            actual << r.left << r.top << r.right << r.bottom;
        }
        QTEST(actual, "expected");
    }

    void undefinedScales_data() {
        QTest::addColumn<double>("timeMax");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<int>("bars");
        QTest::newRow("time full scale 0") << 0.0 << QSize(kChartW, kChartH) << 5;
        QTest::newRow("negative time full scale") << -10.0 << QSize(kChartW, kChartH) << 5;
        QTest::newRow("plot no wider than its margins") << 1000.0 << QSize(60, kChartH) << 5;
        QTest::newRow("no value band") << 1000.0 << QSize(kChartW, 42) << 5;
        QTest::newRow("empty rectangle, no bars") << 1000.0 << QSize(0, 0) << 0;
    }
    void undefinedScales() {
        QFETCH(double, timeMax);
        QFETCH(int, bars);
        QFETCH(QSize, size);
        const PlotGeometry g = LayoutPlot(Input(timeMax, bars, true, true, size));
        QVERIFY(!g.CanPlaceBars());
        // Whatever asks anyway gets finite pixels, not a division by zero.
        const BarRect r = g.BarRectangle(0, 1e300, 1e300);
        QVERIFY(r.left >= 0 && r.right >= 0 && r.Height() >= 0);
    }

    // Blend is seen in the rendered pixels (corners, shades); the difference's edge cases here.
    void colorAbsDiff_data() {
        QTest::addColumn<QRgb>("c");
        QTest::addColumn<int>("d");
        QTest::addColumn<QRgb>("expected");
        QTest::newRow("below d mirrors") << qRgb(10, 0, 60) << 50 << qRgb(40, 50, 10);
        QTest::newRow("low 8 bits of d") << qRgb(0, 255, 44) << 300 << qRgb(44, 45, 0);
    }
    void colorAbsDiff() {
        QFETCH(QRgb, c);
        QFETCH(int, d);
        QTEST(ColorAbsDiff(c, d), "expected");
    }
};

#include "ChartGeometryTest.moc"
DRIVO_TEST(ChartGeometryTest);
