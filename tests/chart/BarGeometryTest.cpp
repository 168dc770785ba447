// Bar rectangles at the chart's size in the main window: control 1049, 319 x 163 dialog
// units, is 478 x 264 pixels.
#include "chart/BarGeometry.h"
#include "TestMain.h"

#include <QTest>
#include <array>
#include <vector>

using namespace drivo;

Q_DECLARE_METATYPE(std::vector<double>)
Q_DECLARE_METATYPE(std::vector<BarRect>)

namespace {

constexpr int kWc = 478;
constexpr int kHc = 264;

PlotLayoutInput Input(double timeMax, std::size_t bars, bool tl = true, bool vl = true) {
    PlotLayoutInput in;
    in.chartWidth = kWc;
    in.chartHeight = kHc;
    in.timeLabels = tl;
    in.valueLabels = vl;
    in.timeFullScale = timeMax;
    in.barCount = bars;
    return in;
}

} // namespace

class BarGeometryTest : public QObject {
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
        QFETCH(int, band);
        QFETCH(int, baseline);
        const PlotGeometry g = LayoutPlot(Input(1000, 5, tl, vl));
        QCOMPARE(g.width, kWc);
        QCOMPARE(g.height, kHc - 2);
        QCOMPARE(g.slotWidth, kWc / 5);
        QCOMPARE(g.valueBand, band);
        QCOMPARE(g.baseline, baseline);
        // A full-scale value reaches 10 px below the surface top with value labels, the top
        // without.
        QCOMPARE(g.BarRectangle(0, 100, 100).top, vl ? 10 : 0);
    }

    void rectangles_data() {
        QTest::addColumn<double>("timeMax");
        QTest::addColumn<std::vector<double>>("ends");
        QTest::addColumn<std::vector<double>>("values");
        QTest::addColumn<std::vector<BarRect>>("expected");
        QTest::newRow("defaults") << 1000.0 << std::vector<double>{200, 400, 600, 800, 1000}
                                  << std::vector<double>{5, 10, 20, 20, 20}
                                  << std::vector<BarRect>{{40, 221, 123, 232},
                                                          {123, 210, 207, 232},
                                                          {207, 188, 290, 232},
                                                          {290, 188, 374, 232},
                                                          {374, 188, 458, 232}};
        // 226 / (226 / 418) lands just below 418: the last bar ends one pixel short of W - 20.
        QTest::newRow("end at full scale, rounded down")
            << 226.0 << std::vector<double>{226} << std::vector<double>{50}
            << std::vector<BarRect>{{40, 121, 457, 232}};
        QTest::newRow("value 100 and above")
            << 4000.0 << std::vector<double>{1000, 4000} << std::vector<double>{100, 150}
            << std::vector<BarRect>{{40, 10, 144, 232}, {144, -101, 458, 232}};
        QTest::newRow("narrow bars") << 1000.0 << std::vector<double>{200, 201, 203, 205}
                                     << std::vector<double>{0, 0.5, 1, 20}
                                     << std::vector<BarRect>{{40, 232, 123, 232},
                                                             {123, 231, 124, 232},
                                                             {124, 230, 124, 232},
                                                             {124, 188, 125, 232}};
        // Unsorted end times are not corrected: the bar comes out inverted.
        QTest::newRow("unsorted ends")
            << 1000.0 << std::vector<double>{600, 400} << std::vector<double>{10, 10}
            << std::vector<BarRect>{{40, 210, 290, 232}, {290, 210, 207, 232}};
    }
    void rectangles() {
        QFETCH(double, timeMax);
        QFETCH(std::vector<double>, ends);
        QFETCH(std::vector<double>, values);
        QFETCH(std::vector<BarRect>, expected);
        const PlotGeometry g = LayoutPlot(Input(timeMax, ends.size()));
        QVERIFY(g.CanPlaceBars());
        for (std::size_t k = 0; k < ends.size(); ++k) {
            const BarRect r = g.BarRectangle(k == 0 ? 0.0 : ends[k - 1], ends[k], values[k]);
            const BarRect& e = expected[k];
            QVERIFY2(r == e, qPrintable(QStringLiteral("bar %1: %2,%3,%4,%5")
                                            .arg(k)
                                            .arg(r.left)
                                            .arg(r.top)
                                            .arg(r.right)
                                            .arg(r.bottom)));
        }
    }

    void undefinedScales_data() {
        QTest::addColumn<double>("timeMax");
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::addColumn<int>("bars");
        QTest::newRow("time full scale 0") << 0.0 << kWc << kHc << 5;
        QTest::newRow("negative time full scale") << -10.0 << kWc << kHc << 5;
        QTest::newRow("plot no wider than its margins") << 1000.0 << 60 << kHc << 5;
        QTest::newRow("no value band") << 1000.0 << kWc << 42 << 5;
        QTest::newRow("empty rectangle, no bars") << 1000.0 << 0 << 0 << 0;
    }
    void undefinedScales() {
        QFETCH(double, timeMax);
        QFETCH(int, width);
        QFETCH(int, height);
        QFETCH(int, bars);
        PlotLayoutInput in = Input(timeMax, static_cast<std::size_t>(bars));
        in.chartWidth = width;
        in.chartHeight = height;
        const PlotGeometry g = LayoutPlot(in);
        QVERIFY(!g.CanPlaceBars());
        // Whatever asks anyway gets finite pixels, not a division by zero.
        const BarRect r = g.BarRectangle(0, 1e300, 1e300);
        QVERIFY(r.left >= 0 && r.right >= 0);
        QVERIFY(r.Height() >= 0);
    }

    void noBarsHaveNoSlots() { QCOMPARE(LayoutPlot(Input(1000, 0)).slotWidth, 0); }
};

#include "BarGeometryTest.moc"
DRIVO_TEST(BarGeometryTest);
