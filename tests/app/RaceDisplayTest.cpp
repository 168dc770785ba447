// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/RaceDisplay.h"
#include "TestMain.h"

#include <QTest>
#include <limits>

using namespace drivo;

Q_DECLARE_METATYPE(drivo::Rgb)

class RaceDisplayTest : public QObject {
    Q_OBJECT
private slots:
    void batteryBands_data() {
        QTest::addColumn<int>("reading");
        QTest::addColumn<int>("percent");
        QTest::addColumn<QString>("text");
        QTest::addColumn<Rgb>("colour");
        QTest::newRow("no reading") << -1 << 50 << "" << kBatteryGrey;
        QTest::newRow("0") << 0 << 0 << "00%" << kBatteryRed;
        QTest::newRow("9500") << 9500 << 0 << "00%" << kBatteryRed;
        QTest::newRow("9517") << 9517 << 1 << "01%" << kBatteryRed;
        QTest::newRow("9999") << 9999 << 15 << "15%" << kBatteryRed;
        QTest::newRow("10000") << 10000 << 15 << "15%" << kBatteryOrange;
        QTest::newRow("10500") << 10500 << 45 << "45%" << kBatteryOrange;
        QTest::newRow("10999") << 10999 << 75 << "75%" << kBatteryOrange;
        QTest::newRow("11000 joins the band below") << 11000 << 75 << "75%" << kBatteryGreen;
        QTest::newRow("11500 reaches the band above") << 11500 << 100 << "100%" << kBatteryGreen;
        QTest::newRow("11501") << 11501 << 100 << "100%" << kBatteryGreen;
    }
    void batteryBands() {
        QFETCH(int, reading);
        QFETCH(Rgb, colour);
        const BatteryLook look = BatteryLookFor(reading);
        QTEST(look.Percent, "percent");
        QTEST(QString::fromStdString(look.Text), "text");
        QVERIFY(look.Colour == colour);
    }
};

#include "RaceDisplayTest.moc"
DRIVO_TEST(RaceDisplayTest);
