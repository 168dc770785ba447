// Pixels of the rendered chart surface at its real size.
#include "ChartFixture.h"
#include "TestMain.h"

#include <QTest>

using namespace drivo;
using namespace drivo::test;

namespace {

constexpr QRgb kWhite = 0xFFFFFFFF;
constexpr QRgb kBlack = 0xFF000000;
constexpr QRgb kGridGrey = 0xFFCDCDCD;   // |255 - 50|
constexpr QRgb kCornerGrey = 0xFF999999; // 40 % black over white

QString Hex(QRgb c) {
    return QStringLiteral("#%1").arg(c & 0xFFFFFF, 6, 16, QLatin1Char('0'));
}

#define COMPARE_RGB(actual, expected) QCOMPARE(Hex(actual), Hex(expected))

int CountColor(const QImage& img, const QRect& r, QRgb c) {
    int n = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            n += img.pixel(x, y) == c ? 1 : 0;
    return n;
}

ChartProfile NarrowFirstStage() {
    ChartProfile p;
    p.endTimes = {48, 400, 600, 800, 1000}; // 48 ms is 20 px wide
    return p;
}

} // namespace

class ChartRenderTest : public QObject {
    Q_OBJECT
private slots:
    // Bars of the default profile: bar 0 spans x 40..122, top 221; bar 2 x 207..289, top 188.
    void gradientColumns_data() {
        QTest::addColumn<bool>("narrow");
        QTest::addColumn<int>("bar");
        QTest::addColumn<bool>("highlighted");
        QTest::addColumn<int>("column");
        QTest::addColumn<QRgb>("expected");
        QTest::newRow("normal i=0 is outline") << false << 0 << false << 0 << kBlack;
        QTest::newRow("normal i=13 shade 97%") << false << 0 << false << 13 << qRgb(55, 102, 180);
        QTest::newRow("normal i=w/2-1 unshaded") << false << 0 << false << 40 << qRgb(74, 121, 199);
        QTest::newRow("normal i=w/2") << false << 0 << false << 41 << qRgb(74, 121, 199);
        QTest::newRow("narrow i=13 past the middle")
            << true << 0 << false << 13 << qRgb(82, 129, 207);
        QTest::newRow("narrow i=w/2-1 shaded") << true << 0 << false << 9 << qRgb(55, 107, 185);
        QTest::newRow("narrow i=w/2 unshaded") << true << 0 << false << 10 << qRgb(75, 122, 200);
        QTest::newRow("highlighted i=0 outline") << false << 2 << true << 0 << kBlack;
        QTest::newRow("highlighted i=1 outline") << false << 2 << true << 1 << kBlack;
        QTest::newRow("highlighted i=13 shade only")
            << false << 2 << true << 13 << qRgb(97, 144, 222);
        QTest::newRow("highlighted i=w/2-1") << false << 2 << true << 40 << qRgb(100, 147, 225);
        QTest::newRow("highlighted i=w/2") << false << 2 << true << 41 << qRgb(100, 147, 225);
        QTest::newRow("highlighted i=w-2 outline") << false << 2 << true << 81 << kBlack;
        QTest::newRow("narrow highlighted i=w/2-1") << true << 0 << true << 9 << qRgb(77, 128, 207);
    }
    void gradientColumns() {
        QFETCH(bool, narrow);
        QFETCH(int, bar);
        QFETCH(bool, highlighted);
        QFETCH(int, column);
        QFETCH(QRgb, expected);
        ChartFixture f(narrow ? NarrowFirstStage() : ChartProfile{});
        f.chart.SetHighlightedBar(highlighted ? bar : -1);
        const QImage& img = f.Render();
        const BarRect r = f.chart.Plot().BarRectangle(f.chart.Geometry(), bar);
        COMPARE_RGB(img.pixel(r.left + column, r.top + r.Height() / 2), expected);
    }

    void cornersAndOutline_data() {
        QTest::addColumn<QRgb>("background");
        QTest::addColumn<bool>("highlighted");
        QTest::newRow("white") << kWhite << false;
        QTest::newRow("white, highlighted") << kWhite << true;
        QTest::newRow("grey background") << qRgb(240, 240, 240) << false;
    }
    void cornersAndOutline() {
        QFETCH(QRgb, background);
        QFETCH(bool, highlighted);
        ChartFixture f;
        f.chart.SetBackgroundColor(background);
        f.chart.SetHighlightedBar(highlighted ? 0 : -1);
        const QImage& img = f.Render();
        const int L = 40, T = 221, R = 122, B = 231; // bar 0, inclusive edges
        const QRgb corner = background == kWhite ? kCornerGrey : qRgb(144, 144, 144);
        COMPARE_RGB(img.pixel(L, T), background);
        COMPARE_RGB(img.pixel(R, T), background);
        COMPARE_RGB(img.pixel(L + 1, T), corner);
        COMPARE_RGB(img.pixel(L, T + 1), corner);
        COMPARE_RGB(img.pixel(R - 1, T), corner);
        COMPARE_RGB(img.pixel(R, T + 1), corner);
        COMPARE_RGB(img.pixel(L + 1, T + 1), kBlack);
        COMPARE_RGB(img.pixel(R - 1, T + 1), kBlack);
        // Outline: 1 px, or 2 px on the left, top and right when highlighted; always 1 px below.
        const int mid = (L + R) / 2;
        COMPARE_RGB(img.pixel(L, T + 5), kBlack);
        COMPARE_RGB(img.pixel(R, T + 5), kBlack);
        COMPARE_RGB(img.pixel(mid, T), kBlack);
        COMPARE_RGB(img.pixel(mid, B), kBlack);
        const bool inner = img.pixel(L + 1, T + 5) == kBlack && img.pixel(R - 1, T + 5) == kBlack &&
                           img.pixel(mid, T + 1) == kBlack;
        QCOMPARE(inner, highlighted);
        QVERIFY(img.pixel(mid, B - 1) != kBlack);
        // The bar stands on the 0% line.
        COMPARE_RGB(img.pixel(mid, B + 1), background == kWhite ? kGridGrey : qRgb(190, 190, 190));
    }

    // Grid of 10 rows over y 0..231 (dy 23): 2 px major lines at trunc(y) + 2 and the row
    // above, 1 px minor lines half-way. x = 470 lies right of every bar and label.
    void gridRows_data() {
        QTest::addColumn<bool>("valueLabels");
        QTest::addColumn<int>("row");
        QTest::addColumn<QRgb>("expected");
        QTest::newRow("0% major, lower row") << true << 233 << kGridGrey;
        QTest::newRow("0% major, upper row") << true << 232 << kGridGrey;
        QTest::newRow("below 0% line") << true << 234 << kWhite;
        QTest::newRow("above 0% line") << true << 231 << kWhite;
        QTest::newRow("minor 5%") << true << 221 << kGridGrey;
        QTest::newRow("above minor 5%") << true << 220 << kWhite;
        QTest::newRow("below minor 5%") << true << 222 << kWhite;
        QTest::newRow("10% major") << true << 210 << kGridGrey;
        QTest::newRow("10% major upper") << true << 209 << kGridGrey;
        QTest::newRow("minor 15%") << true << 198 << kGridGrey;
        QTest::newRow("100% major") << true << 3 << kGridGrey;
        QTest::newRow("100% major upper") << true << 2 << kGridGrey;
        QTest::newRow("above 100%") << true << 1 << kWhite;
        // Without value labels the grid starts 10 px above the surface: dy 24.
        QTest::newRow("no value labels: 10% major") << false << 209 << kGridGrey;
        QTest::newRow("no value labels: 10% major upper") << false << 208 << kGridGrey;
        QTest::newRow("no value labels: old 10% row") << false << 210 << kWhite;
    }
    void gridRows() {
        QFETCH(bool, valueLabels);
        QFETCH(int, row);
        QFETCH(QRgb, expected);
        ChartFixture f;
        f.chart.ShowValueLabels(1, valueLabels, false);
        COMPARE_RGB(f.Render().pixel(470, row), expected);
    }

    void frame_data() {
        QTest::addColumn<QRgb>("background");
        QTest::addColumn<QRgb>("frame");
        QTest::newRow("white") << kWhite << qRgb(155, 155, 155);
        QTest::newRow("construction grey") << qRgb(240, 240, 240) << qRgb(140, 140, 140);
    }
    void frame() {
        QFETCH(QRgb, background);
        QFETCH(QRgb, frame);
        ChartFixture f;
        f.chart.SetBackgroundColor(background);
        const QImage& img = f.Render();
        QCOMPARE(img.size(), QSize(kChartW, kChartH));
        for (const QPoint& p : {QPoint(0, 0), QPoint(kChartW - 1, 0), QPoint(0, kChartH - 1),
                                QPoint(kChartW - 1, kChartH - 1), QPoint(240, 0),
                                QPoint(240, kChartH - 1), QPoint(0, 233), QPoint(kChartW - 1, 120)})
            COMPARE_RGB(img.pixel(p), frame);
        COMPARE_RGB(img.pixel(470, 100), background);
    }

    // The 3 px end tick at W - 20 = 458, from the baseline 5 px up.
    void endTick_data() {
        QTest::addColumn<bool>("timeLabels");
        QTest::newRow("time labels") << true;
        QTest::newRow("no time labels") << false;
    }
    void endTick() {
        QFETCH(bool, timeLabels);
        ChartFixture f;
        f.chart.ShowTimeLabels(timeLabels, false);
        const QImage& img = f.Render();
        const QRgb tick = timeLabels ? kGridGrey : kWhite;
        COMPARE_RGB(img.pixel(459, 228), tick);
        COMPARE_RGB(img.pixel(458, 229), tick);
        COMPARE_RGB(img.pixel(460, 229), kWhite);
        COMPARE_RGB(img.pixel(459, 227), kWhite);
    }

    void tallBarReachesAboveTheBand() {
        ChartProfile p;
        p.values = {5, 10, 20, 20, 150};
        ChartFixture f(p);
        const QImage& img = f.Render();
        // Bar 4 spans x 374..457; column 46 is past the shade.
        COMPARE_RGB(img.pixel(374 + 46, 15), qRgb(77, 124, 202));
        COMPARE_RGB(img.pixel(374 + 46, 0), qRgb(155, 155, 155)); // the frame stays on top
    }

    void nothingToPlace_data() {
        QTest::addColumn<int>("timeMax");
        QTest::addColumn<bool>("reset");
        QTest::newRow("time full scale 0") << 0 << false;
        QTest::newRow("no bars") << 1000 << true;
    }
    void nothingToPlace() {
        QFETCH(int, timeMax);
        QFETCH(bool, reset);
        ChartProfile p;
        p.timeMax = timeMax;
        ChartFixture f(p);
        if (reset)
            f.chart.Reset();
        const QImage& img = f.Render();
        QVERIFY(!img.isNull());
        // Right of the percent labels and below the title only grid and background remain.
        const QRect plot(100, 20, 370, 230);
        QCOMPARE(CountColor(img, plot, kBlack), 0);
        QCOMPARE(CountColor(img, plot, kWhite) + CountColor(img, plot, kGridGrey),
                 plot.width() * plot.height());
    }

    void titleWithShadow() {
        ChartFixture f;
        const QRect title(80, 1, 120, 19);
        QVERIFY(CountColor(f.Render(), title, kBlack) > 10);
        QVERIFY(CountColor(f.Render(), title, qRgb(200, 200, 200)) > 5);
        f.chart.SetTitle(QString());
        f.chart.Redraw();
        QCOMPARE(CountColor(f.chart.Surface(), title, kBlack), 0);
    }

    void redrawBeforeTheFirstPaintDoesNothing() {
        ChartFixture f; // SetupChart ends with Redraw
        QVERIFY(f.chart.Surface().isNull());
        f.chart.Redraw();
        QVERIFY(f.chart.Surface().isNull());
    }

    void firstPaintRendersSecondShows() {
        ChartFixture f;
        f.chart.grab();
        QVERIFY(!f.chart.Surface().isNull());
        const QImage shown = f.chart.grab().toImage().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(shown.size(), QSize(kChartW, kChartH));
        QCOMPARE(shown, f.chart.Surface());
        // A paint copies what was rendered; it does not render on its own.
        f.chart.SetBarValue(4, 100);
        QCOMPARE(f.chart.grab().toImage().convertToFormat(QImage::Format_RGB32), shown);
        f.chart.Redraw();
        QVERIFY(f.chart.grab().toImage().convertToFormat(QImage::Format_RGB32) != shown);
        QVERIFY(f.chart.testAttribute(Qt::WA_OpaquePaintEvent));
    }
};

#include "ChartRenderTest.moc"
DRIVO_TEST(ChartRenderTest);
