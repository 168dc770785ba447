// The chart's data operations, its colour functions and the owner's setup calls.
#include "ChartFixture.h"
#include "TestMain.h"
#include "chart/ChartColor.h"

#include <QTest>

using namespace drivo;
using namespace drivo::test;

class ChartModelTest : public QObject {
    Q_OBJECT
private slots:
    void colorAbsDiff_data() {
        QTest::addColumn<QRgb>("color");
        QTest::addColumn<int>("d");
        QTest::addColumn<QRgb>("expected");
        QTest::newRow("white 100") << qRgb(255, 255, 255) << 100 << qRgb(155, 155, 155);
        QTest::newRow("white 50") << qRgb(255, 255, 255) << 50 << qRgb(205, 205, 205);
        QTest::newRow("bar colour 50") << qRgb(100, 147, 225) << 50 << qRgb(50, 97, 175);
        QTest::newRow("below d mirrors") << qRgb(10, 0, 60) << 50 << qRgb(40, 50, 10);
        QTest::newRow("low 8 bits") << qRgb(0, 255, 44) << 300 << qRgb(44, 45, 0);
    }
    void colorAbsDiff() {
        QFETCH(QRgb, color);
        QFETCH(int, d);
        QFETCH(QRgb, expected);
        QCOMPARE(ColorAbsDiff(color, d), expected);
    }

    void blend_data() {
        QTest::addColumn<QRgb>("c1");
        QTest::addColumn<QRgb>("c2");
        QTest::addColumn<int>("p");
        QTest::addColumn<QRgb>("expected");
        QTest::newRow("corner on white")
            << qRgb(0, 0, 0) << qRgb(255, 255, 255) << 40 << qRgb(153, 153, 153);
        QTest::newRow("corner on grey")
            << qRgb(0, 0, 0) << qRgb(240, 240, 240) << 40 << qRgb(144, 144, 144);
        QTest::newRow("p 100 gives c1")
            << qRgb(1, 2, 3) << qRgb(200, 100, 50) << 100 << qRgb(1, 2, 3);
        QTest::newRow("truncates")
            << qRgb(57, 104, 182) << qRgb(0, 68, 148) << 97 << qRgb(55, 102, 180);
    }
    void blend() {
        QFETCH(QRgb, c1);
        QFETCH(QRgb, c2);
        QFETCH(int, p);
        QFETCH(QRgb, expected);
        QCOMPARE(Blend(c1, c2, p), expected);
    }

    void createOnce() {
        QWidget owner;
        CProfileChart chart;
        QVERIFY(chart.Create(QRect(5, 6, 100, 50), &owner, 7, QStringLiteral("t")));
        QCOMPARE(chart.parentWidget(), &owner);
        QCOMPARE(chart.geometry(), QRect(5, 6, 100, 50));
        QCOMPARE(chart.ControlId(), 7);
        QVERIFY(chart.Tip().HasWindow());
        QCOMPARE(chart.Tip().Timeout(), 4000u);
        QVERIFY(!chart.Create(QRect(0, 0, 10, 10), &owner, 8, QStringLiteral("u")));
        QCOMPARE(chart.CreationRect(), QRect(5, 6, 100, 50));
        QCOMPARE(chart.Title(), QStringLiteral("t"));
    }

    void gridDivisions_data() {
        QTest::addColumn<unsigned>("rows");
        QTest::addColumn<unsigned>("columns");
        QTest::addColumn<bool>("useSpacing");
        QTest::addColumn<unsigned>("spacing");
        QTest::addColumn<unsigned>("expRows");
        QTest::addColumn<unsigned>("expColumns");
        QTest::addColumn<unsigned>("expSpacing");
        // Starting from 4 rows and 3 columns at spacing 10.
        QTest::newRow("counts") << 10u << 1u << false << 0u << 10u << 1u << 10u;
        QTest::newRow("0 keeps rows") << 0u << 2u << false << 0u << 4u << 2u << 10u;
        QTest::newRow("0 keeps columns") << 6u << 0u << false << 99u << 6u << 3u << 10u;
        QTest::newRow("spacing clears counts") << 10u << 1u << true << 15u << 0u << 0u << 15u;
        QTest::newRow("spacing 0 means 10") << 10u << 1u << true << 0u << 0u << 0u << 10u;
    }
    void gridDivisions() {
        QFETCH(unsigned, rows);
        QFETCH(unsigned, columns);
        QFETCH(bool, useSpacing);
        QFETCH(unsigned, spacing);
        CProfileChart chart;
        chart.SetGridDivisions(4, 3, false, 0);
        chart.SetGridDivisions(rows, columns, useSpacing, spacing);
        QTEST(chart.Grid().Rows(), "expRows");
        QTEST(chart.Grid().Columns(), "expColumns");
        QTEST(chart.Grid().Spacing(), "expSpacing");
    }

    void barAccessOutsideTheList_data() {
        QTest::addColumn<int>("index");
        QTest::newRow("-1") << -1;
        QTest::newRow("count") << 5;
    }
    void barAccessOutsideTheList() {
        QFETCH(int, index);
        ChartFixture f;
        f.chart.SetBarValue(index, 77);
        f.chart.SetBarEndTime(index, 77);
        QCOMPARE(f.chart.GetBarValue(index), -1.0);
        QCOMPARE(f.chart.GetBarEndTime(index), -1.0);
        QCOMPARE(f.chart.GetBarDuration(index), -1.0);
        QVERIFY(f.chart.GetBarLabel(index).isEmpty());
        QCOMPARE(f.chart.GetBarColor(index), QRgb(0));
        for (int k = 0; k < 5; ++k)
            QVERIFY(f.chart.GetBarValue(k) != 77 && f.chart.GetBarEndTime(k) != 77);
    }

    void durations_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<double>("duration");
        QTest::newRow("first is its end time") << 0 << 150.0;
        QTest::newRow("later from the previous end") << 1 << 250.0;
        QTest::newRow("last") << 4 << 1600.0;
    }
    void durations() {
        QFETCH(int, index);
        QFETCH(double, duration);
        ChartProfile p;
        p.endTimes = {150, 400, 1000, 2400, 4000};
        p.timeMax = 4000;
        ChartFixture f(p);
        QCOMPARE(f.chart.GetBarDuration(index), duration);
    }

    void setupFillsFromTheProfile() {
        ChartProfile p;
        p.endTimes = {100, 300, 700, 900, 1500};
        p.values = {1, 2, 3, 4, 100};
        p.timeMax = 2000;
        ChartFixture f(p);
        QVERIFY(f.chart.HasWindow());
        QCOMPARE(f.chart.parentWidget(), &f.dialog);
        QCOMPARE(f.chart.CreationRect(), QRect(274, 159, kChartW, kChartH));
        QCOMPARE(f.chart.ControlId(), 0);
        QCOMPARE(f.chart.Title(), QStringLiteral("I en %"));
        QCOMPARE(f.chart.BackgroundColor(), qRgb(255, 255, 255));
        QCOMPARE(f.chart.BarCount(), 5);
        for (int k = 0; k < 5; ++k) {
            QCOMPARE(f.chart.GetBarEndTime(k), double(p.endTimes[size_t(k)]));
            QCOMPARE(f.chart.GetBarValue(k), double(p.values[size_t(k)]));
            QCOMPARE(f.chart.GetBarLabel(k), QString::number(k));
            QCOMPARE(f.chart.GetBarColor(k), qRgb(100, 147, 225));
        }
        QCOMPARE(f.chart.Plot().TimeFullScale(), 2000.0);
        // The owner's configuration: ten rows, one column, time labels, no tips.
        QCOMPARE(f.chart.Grid().Rows(), 10u);
        QCOMPARE(f.chart.Grid().Columns(), 1u);
        QVERIFY(f.chart.Plot().TimeLabels());
        QVERIFY(!f.chart.TipsEnabled());
    }

    void setupAgainResets() {
        ChartFixture f;
        ChartProfile p;
        p.values = {9, 9, 9, 9, 9};
        QVERIFY(SetupChart(f.chart, *f.placeholder, f.dialog, QStringLiteral("x"), p,
                           [] { return 1; }));
        QCOMPARE(f.chart.BarCount(), 5);
        QCOMPARE(f.chart.GetBarValue(4), 9.0);
        QCOMPARE(f.chart.Title(), QStringLiteral("x"));
        // Reset rebuilt the surface, so the last Redraw rendered it.
        QVERIFY(!f.chart.Surface().isNull());
    }

    void setupCoversAPlaceholderInsideAFrame() {
        QWidget dialog;
        QWidget frame(&dialog);
        frame.setGeometry(10, 20, 600, 400);
        QWidget placeholder(&frame);
        placeholder.setGeometry(30, 40, 200, 100);
        CProfileChart chart;
        SetupChart(chart, placeholder, dialog, QString(), ChartProfile{}, [] { return 0; });
        QCOMPARE(chart.CreationRect(), QRect(40, 60, 200, 100));
    }
};

#include "ChartModelTest.moc"
DRIVO_TEST(ChartModelTest);
