#include "device/UsbLink.h"
#include "ScriptedDriver.h"
#include "TestMain.h"
#include "sim/VirtualClock.h"

#include <QTest>

#include <array>

using namespace drivo;
using std::chrono::microseconds;
using std::chrono::milliseconds;

namespace {

struct Rig {
    std::shared_ptr<test::ScriptedDriver> driver = std::make_shared<test::ScriptedDriver>();
    std::shared_ptr<sim::VirtualClock> clock = std::make_shared<sim::VirtualClock>();
    UsbLink link{driver, clock};
    std::array<char, 1024> reply{};
    DWORD count = 15;
    Rig() { link.CreateLinkMutex(); }
    FT_STATUS Transact() { return link.Transact("$GVB\r\n", reply, count); }
};

const QStringList kFullExchange = {"FT_OpenEx",
                                   "FT_SetBaudRate 19200",
                                   "FT_SetTimeouts 5000 1000",
                                   "FT_SetDataCharacteristics 8 0 0",
                                   "FT_Write",
                                   "FT_Read 15",
                                   "FT_Close"};

} // namespace

class UsbLinkTest : public QObject {
    Q_OBJECT
private slots:
    void countMatchingDevices_data() {
        QTest::addColumn<QStringList>("devices");
        QTest::addColumn<QString>("failing");
        QTest::addColumn<int>("count");
        QTest::newRow("longer description") << QStringList{"z-rallye 2"} << "" << 0;
        QTest::newRow("two cars and a stranger")
            << QStringList{"z-rallye", "x", "z-rallye"} << "" << 2;
        QTest::newRow("list cannot be built")
            << QStringList{"z-rallye"} << "FT_CreateDeviceInfoList" << -1;
        QTest::newRow("empty list not read") << QStringList{} << "FT_GetDeviceInfoList" << 0;
    }
    void countMatchingDevices() {
        QFETCH(QStringList, devices);
        QFETCH(QString, failing);
        Rig rig;
        rig.driver->devices = devices;
        if (!failing.isEmpty())
            rig.driver->failing[failing.toStdString()] = FT_IO_ERROR;
        QTEST(rig.link.CountMatchingDevices(), "count");
    }

    // Whatever step fails, its status comes back, the device is closed and the lock is free.
    void transactSteps_data() {
        QTest::addColumn<QString>("failing");
        QTest::addColumn<int>("status");
        QTest::addColumn<int>("calls"); // how many of the full exchange's calls happen, then Close
        QTest::newRow("all succeed") << "" << 0 << 6;
        QTest::newRow("baud rate") << "FT_SetBaudRate" << int(FT_INVALID_BAUD_RATE) << 2;
        QTest::newRow("time-outs") << "FT_SetTimeouts" << int(FT_IO_ERROR) << 3;
        QTest::newRow("data characteristics")
            << "FT_SetDataCharacteristics" << int(FT_IO_ERROR) << 4;
        QTest::newRow("write") << "FT_Write" << int(FT_IO_ERROR) << 5;
        QTest::newRow("read") << "FT_Read" << int(FT_IO_ERROR) << 6;
        QTest::newRow("close: the read's status counts") << "FT_Close" << 0 << 6;
    }
    void transactSteps() {
        QFETCH(QString, failing);
        QFETCH(int, status);
        QFETCH(int, calls);
        Rig rig;
        if (!failing.isEmpty()) // a failing close returns an error the link must not report
            rig.driver->failing[failing.toStdString()] = status ? FT_STATUS(status) : FT_IO_ERROR;
        bool heldDuringWrite = false;
        rig.driver->onWrite = [&] { heldDuringWrite = rig.link.Mutex().IsHeld(); };
        QCOMPARE(int(rig.Transact()), status);
        QCOMPARE(rig.driver->calls, kFullExchange.mid(0, calls) << "FT_Close");
        QVERIFY(!rig.link.Mutex().IsHeld());
        QCOMPARE(heldDuringWrite, calls >= 5);
        QCOMPARE(rig.driver->written, std::vector<std::string>(calls >= 5 ? 1 : 0, "$GVB\r\n"));
    }

    void openAttempts_data() {
        QTest::addColumn<int>("failingOpens");
        QTest::addColumn<int>("status");
        QTest::addColumn<int>("attempts");
        QTest::newRow("first attempt") << 0 << 0 << 1;
        QTest::newRow("second attempt") << 1 << 0 << 2;
        QTest::newRow("100th attempt") << 99 << 0 << 100;
        QTest::newRow("never") << 100 << int(FT_DEVICE_NOT_OPENED) << 100;
    }
    void openAttempts() {
        QFETCH(int, failingOpens);
        QFETCH(int, status);
        QFETCH(int, attempts);
        Rig rig;
        rig.driver->opensFailing = failingOpens;
        QCOMPARE(int(rig.Transact()), status);
        QCOMPARE(rig.driver->calls.count("FT_OpenEx"), attempts);
        QCOMPARE(rig.clock->Sleeps(),
                 std::vector<microseconds>(std::size_t(attempts), milliseconds(70)));
        QCOMPARE(rig.driver->calls.count("FT_Close"), status == 0 ? 1 : 0);
        QCOMPARE(rig.driver->calls.count("FT_Write"), status == 0 ? 1 : 0);
    }

    void replyCountAndTermination_data() {
        QTest::addColumn<QByteArray>("answer");
        QTest::addColumn<int>("asked");
        QTest::addColumn<int>("overReport");
        QTest::addColumn<int>("received");
        QTest::newRow("fewer than asked") << QByteArray("$GV") << 15 << 0 << 3;
        QTest::newRow("nothing") << QByteArray() << 15 << 0 << 0;
        QTest::newRow("driver claims more") << QByteArray("$GVB,11200,4d\r\n") << 15 << 40 << 15;
    }
    void replyCountAndTermination() {
        QFETCH(QByteArray, answer);
        QFETCH(int, asked);
        QFETCH(int, overReport);
        QFETCH(int, received);
        Rig rig;
        rig.driver->answer = answer.toStdString();
        rig.driver->overReport = DWORD(overReport);
        rig.reply.fill('#');
        rig.count = DWORD(asked);
        QCOMPARE(int(rig.Transact()), 0);
        QCOMPARE(int(rig.count), received);
        QCOMPARE(rig.reply[std::size_t(received)], '\0');
        QCOMPARE(QByteArray(rig.reply.data(), received), answer.left(received));
    }
    void replyBufferMustHoldTheTerminator() {
        Rig rig;
        std::array<char, 15> reply{};
        QCOMPARE(rig.link.Transact("$GVB\r\n", reply, rig.count), FT_INVALID_PARAMETER);
        QVERIFY(rig.driver->calls.isEmpty());
    }

    // A holder may still release after the close; a closed mutex stays closed.
    void linkMutexStates() {
        LinkMutex mutex;
        QVERIFY(!mutex.Lock()); // null: nothing happens
        mutex.Create();
        QVERIFY(mutex.Lock());
        mutex.Close();
        mutex.Unlock();
        QVERIFY(!mutex.IsHeld());
        mutex.Create();
        QVERIFY(!mutex.Lock());
    }
};

#include "UsbLinkTest.moc"
DRIVO_TEST(UsbLinkTest);
