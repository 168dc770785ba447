// SPDX-License-Identifier: GPL-3.0-or-later
// The real libftdi driver under the link and the jobs, against emulated FTDI bridges with the
// virtual car behind them. Time is virtual on both sides: the bridge's latency periods, the
// car's line time and the driver's read time-out all run on one clock.
#include "TestMain.h"
#include "UsbRig.h"
#include "device/DeviceJobs.h"

#include <QTest>

using namespace drivo;
using namespace drivo::test;

Q_DECLARE_METATYPE(drivo::test::BridgeFault)

class FtdiBridgeTest : public QObject {
    Q_OBJECT
private slots:
    void countsTheCarsAmongTheBridges_data() {
        QTest::addColumn<QStringList>("products");
        QTest::addColumn<bool>("unreadable");
        QTest::addColumn<bool>("otherMaker");
        QTest::addColumn<int>("cars");
        QTest::addColumn<int>("inaccessible");
        const QStringList car{"z-rallye"};
        QTest::newRow("the car") << car << false << false << 1 << 0;
        QTest::newRow("another description")
            << QStringList{"FT232R USB UART"} << false << false << 0 << 0;
        QTest::newRow("other letter case") << QStringList{"Z-RALLYE"} << false << false << 0 << 0;
        QTest::newRow("two cars") << QStringList{"z-rallye", "z-rallye"} << false << false << 2
                                  << 0;
        QTest::newRow("no permission") << car << true << false << 0 << 1;
        QTest::newRow("another maker's device") << QStringList{} << false << true << 0 << 0;
        QTest::newRow("the car beside another maker's") << car << false << true << 1 << 0;
    }
    void countsTheCarsAmongTheBridges() {
        QFETCH(QStringList, products);
        QFETCH(bool, unreadable);
        QFETCH(bool, otherMaker);
        UsbRig rig;
        if (otherMaker)
            rig.bus.PlugOtherMaker();
        for (const QString& product : products) {
            const std::string path = rig.bus.Plug(product.toStdString());
            if (unreadable)
                rig.bus.MakeUnreadable(path);
        }
        NoPermissionOverride asUser;
        int denied = -1;
        QTEST(rig.link.CountMatchingDevices(&denied), "cars");
        QTEST(denied, "inaccessible");
    }

    // libftdi's open (reset, its own 9600 baud), then exactly the link's settings: 19200 baud
    // and 8N1; no latency timer, flow control or purge.
    void openSendsTheLineSettingsOnly() {
        UsbRig rig;
        rig.bus.Plug(kCarDescription, rig.car);
        QCOMPARE(BatteryJob(*rig.context, 1).value, 11200);
        const std::vector<VendorRequest> expected = {
            {0x40, 0, 0x0000, 1},  // SIO_RESET, reset the bridge
            {0x40, 3, 0x4138, 0},  // SIO_SET_BAUDRATE 9600 (libftdi's default on open)
            {0x40, 3, 0x809C, 0},  // SIO_SET_BAUDRATE 19200
            {0x40, 4, 0x0008, 1}}; // SIO_SET_DATA 8 bits, no parity, 1 stop bit
        QVERIFY(rig.bus.VendorRequests() == expected);
        const sim::LineSettings line = rig.car->LastLineSettings(); // as the car decoded them
        QCOMPARE(line.baudRate, ULONG(19200));
        QCOMPARE(line.wordLength, FT_BITS_8);
    }

    void readsWithD2xxSemantics_data() {
        QTest::addColumn<int>("wanted");
        QTest::addColumn<int>("received");
        QTest::addColumn<bool>("waitedForTheTimeOut");
        QTest::newRow("the whole answer") << 15 << 15 << false;
        QTest::newRow("fewer than asked, after the time-out") << 20 << 15 << true;
        QTest::newRow("only what was asked of a longer answer") << 6 << 6 << false;
    }
    void readsWithD2xxSemantics() {
        QFETCH(int, wanted);
        UsbRig rig;
        rig.bus.Plug(kCarDescription, rig.car);
        std::array<char, 1024> reply;
        reply.fill('#');
        DWORD count = static_cast<DWORD>(wanted);
        QCOMPARE(rig.link.Transact("$GVB\r\n", reply, count), FT_OK);
        const auto elapsed = rig.clock->Now();
        QCOMPARE(rig.bus.BulkOut(), std::string("$GVB\r\n"));
        QTEST(int(count), "received");
        QVERIFY(QByteArray(reply.data()).startsWith("$GVB,1"));
        QCOMPARE(reply[count], '\0');
        QTEST(elapsed >= std::chrono::milliseconds(kReadTimeoutMs), "waitedForTheTimeOut");
        QVERIFY(rig.Closed());
    }

    // Whatever the bridge does wrong, the job gives its failure value, within the time-outs.
    void badBridgesFailTheJob_data() {
        QTest::addColumn<BridgeFault>("fault");
        QTest::addColumn<int>("value");
        QTest::newRow("healthy") << BridgeFault::None << 11200;
        QTest::newRow("garbage") << BridgeFault::Garbage << -1;
        QTest::newRow("late answer") << BridgeFault::Late << -1;
        QTest::newRow("stalled endpoint") << BridgeFault::Stall << -1;
        QTest::newRow("short packets") << BridgeFault::ShortPackets << -1;
        QTest::newRow("only status bytes") << BridgeFault::StatusOnly << -1;
        QTest::newRow("vanishes after the frame") << BridgeFault::Vanish << -1;
        QTest::newRow("vanishes during the read") << BridgeFault::VanishInRead << -1;
    }
    void badBridgesFailTheJob() {
        QFETCH(BridgeFault, fault);
        UsbRig rig;
        rig.bus.Plug(kCarDescription, rig.car);
        rig.bus.SetFault(fault);
        QTEST(BatteryJob(*rig.context, 1).value.value_or(-1), "value");
        QVERIFY(rig.Closed());
        QVERIFY(rig.clock->Now() <=
                kOpenRetryDelay + std::chrono::milliseconds(kReadTimeoutMs + 100));
        QVERIFY(rig.car->Violations().empty());
    }
};

#include "FtdiBridgeTest.moc"
DRIVO_TEST(FtdiBridgeTest);
