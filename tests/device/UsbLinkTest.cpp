#include "ScriptedDriver.h"
#include "TestMain.h"
#include "device/UsbLink.h"
#include "device/ftdi/FtdiDriver.h"
#include "sim/VirtualClock.h"

#include <QTest>

#include <array>

using namespace drivo;
using drivo::test::ScriptedDriver;
using std::chrono::microseconds;
using std::chrono::milliseconds;

namespace {

struct Rig {
    std::shared_ptr<ScriptedDriver> driver = std::make_shared<ScriptedDriver>();
    std::shared_ptr<sim::VirtualClock> clock = std::make_shared<sim::VirtualClock>();
    UsbLink link{driver, clock};
    Rig() { link.CreateLinkMutex(); }
    FT_STATUS Transact(DWORD& count, std::span<char> reply) {
        return link.Transact("$GVB\r\n", reply, count);
    }
};

const QStringList kFullExchange = {"FT_OpenEx", "FT_SetBaudRate 19200", "FT_SetTimeouts 5000 1000",
                                   "FT_SetDataCharacteristics 8 0 0", "FT_Write", "FT_Read 15",
                                   "FT_Close"};

QStringList ToList(const std::vector<std::string>& calls) {
    QStringList list;
    for (const auto& c : calls) list << QString::fromStdString(c);
    return list;
}

} // namespace

class UsbLinkTest : public QObject {
    Q_OBJECT
private slots:
    void countMatchingDevices_data() {
        QTest::addColumn<QStringList>("devices");
        QTest::addColumn<QString>("failing");
        QTest::addColumn<int>("count");
        QTest::newRow("none") << QStringList{} << "" << 0;
        QTest::newRow("the car") << QStringList{"z-rallye"} << "" << 1;
        QTest::newRow("another FTDI device") << QStringList{"FT232R USB UART"} << "" << 0;
        QTest::newRow("letter case differs") << QStringList{"Z-Rallye"} << "" << 0;
        QTest::newRow("longer description") << QStringList{"z-rallye 2"} << "" << 0;
        QTest::newRow("two cars and a stranger") << QStringList{"z-rallye", "x", "z-rallye"} << "" << 2;
        QTest::newRow("list cannot be built") << QStringList{"z-rallye"} << "FT_CreateDeviceInfoList" << -1;
        QTest::newRow("list cannot be read") << QStringList{"z-rallye"} << "FT_GetDeviceInfoList" << -1;
        QTest::newRow("empty list not read") << QStringList{} << "FT_GetDeviceInfoList" << 0;
    }
    void countMatchingDevices() {
        QFETCH(QStringList, devices);
        QFETCH(QString, failing);
        QFETCH(int, count);
        Rig rig;
        rig.driver->devices.clear();
        for (const QString& d : devices) rig.driver->devices.push_back(d.toStdString());
        if (!failing.isEmpty()) rig.driver->failing[failing.toStdString()] = FT_IO_ERROR;
        QCOMPARE(rig.link.CountMatchingDevices(), count);
    }

    // Whatever step fails, its status comes back, the device is closed and the lock is free.
    void transactSteps_data() {
        QTest::addColumn<QString>("failing");
        QTest::addColumn<int>("status");
        QTest::addColumn<int>("calls"); // how many of the full exchange's calls happen, then Close
        QTest::newRow("all succeed") << "" << 0 << 6;
        QTest::newRow("baud rate") << "FT_SetBaudRate" << int(FT_INVALID_BAUD_RATE) << 2;
        QTest::newRow("time-outs") << "FT_SetTimeouts" << int(FT_IO_ERROR) << 3;
        QTest::newRow("data characteristics") << "FT_SetDataCharacteristics" << int(FT_IO_ERROR) << 4;
        QTest::newRow("write") << "FT_Write" << int(FT_IO_ERROR) << 5;
        QTest::newRow("read") << "FT_Read" << int(FT_IO_ERROR) << 6;
        QTest::newRow("close: the read's status counts") << "FT_Close" << 0 << 6;
    }
    void transactSteps() {
        QFETCH(QString, failing);
        QFETCH(int, status);
        QFETCH(int, calls);
        Rig rig;
        rig.driver->answer = "$GVB,11200,4d\r\n";
        if (!failing.isEmpty())
            rig.driver->failing[failing.toStdString()] =
                failing == "FT_SetBaudRate" ? FT_INVALID_BAUD_RATE : FT_IO_ERROR;
        bool heldDuringWrite = false;
        rig.driver->onWrite = [&] { heldDuringWrite = rig.link.Mutex().IsHeld(); };
        std::array<char, 1024> reply{};
        DWORD count = 15;
        QCOMPARE(int(rig.Transact(count, reply)), status);
        QCOMPARE(ToList(rig.driver->Calls()), kFullExchange.mid(0, calls) << "FT_Close");
        QVERIFY(!rig.link.Mutex().IsHeld());
        if (calls >= 5) QVERIFY(heldDuringWrite);
        if (calls >= 5) QCOMPARE(rig.driver->written.at(0), std::string("$GVB\r\n"));
    }

    void openAttempts_data() {
        QTest::addColumn<int>("failingOpens");
        QTest::addColumn<int>("status");
        QTest::addColumn<int>("attempts");
        QTest::newRow("first attempt") << 0 << 0 << 1;
        QTest::newRow("second attempt") << 1 << 0 << 2;
        QTest::newRow("100th attempt") << 99 << 0 << 100;
        QTest::newRow("never") << 100 << int(FT_DEVICE_NOT_OPENED) << 100;
        QTest::newRow("never, more to come") << 1000 << int(FT_DEVICE_NOT_OPENED) << 100;
    }
    void openAttempts() {
        QFETCH(int, failingOpens);
        QFETCH(int, status);
        QFETCH(int, attempts);
        Rig rig;
        rig.driver->opensFailing = failingOpens;
        rig.driver->answer = "$GVB,11200,4d\r\n";
        std::array<char, 1024> reply{};
        DWORD count = 15;
        QCOMPARE(int(rig.Transact(count, reply)), status);
        QCOMPARE(rig.driver->Count("FT_OpenEx"), attempts);
        const auto sleeps = rig.clock->Sleeps();
        QCOMPARE(int(sleeps.size()), attempts);
        for (auto s : sleeps) QCOMPARE(s, microseconds(milliseconds(70)));
        QCOMPARE(rig.driver->Count("FT_Close"), status == 0 ? 1 : 0);
        QCOMPARE(rig.driver->Count("FT_Write"), status == 0 ? 1 : 0);
    }

    void replyCountAndTermination_data() {
        QTest::addColumn<QByteArray>("answer");
        QTest::addColumn<int>("asked");
        QTest::addColumn<int>("overReport");
        QTest::addColumn<int>("received");
        QTest::newRow("15 bytes, 6 asked") << QByteArray("$GVB,11200,4d\r\n") << 6 << 0 << 6;
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
        std::array<char, 1024> reply;
        reply.fill('#');
        DWORD count = DWORD(asked);
        QCOMPARE(int(rig.Transact(count, reply)), 0);
        QCOMPARE(int(count), received);
        QCOMPARE(reply[std::size_t(received)], '\0');
        QCOMPARE(QByteArray(reply.data(), received), answer.left(received));
    }
    void replyBufferMustHoldTheTerminator() {
        Rig rig;
        std::array<char, 15> reply{};
        DWORD count = 15;
        QCOMPARE(rig.Transact(count, reply), FT_INVALID_PARAMETER);
        QVERIFY(rig.driver->Calls().empty());
    }

    void linkMutexStates() {
        LinkMutex mutex;
        QVERIFY(!mutex.Lock()); // null: nothing happens
        mutex.Unlock();
        mutex.Create();
        QVERIFY(mutex.Lock());
        QVERIFY(mutex.IsHeld());
        mutex.Close(); // a holder can still release after the close
        mutex.Unlock();
        QVERIFY(!mutex.IsHeld());
        QVERIFY(!mutex.Lock());
        mutex.Close();
        QCOMPARE(mutex.GetState(), LinkMutex::State::Closed);
        mutex.Create(); // a closed mutex stays closed
        QVERIFY(!mutex.Lock());
    }

    // A machine without the car (and usually without USB at all): nothing listed, and the
    // open fails at once rather than after a hundred attempts.
    void libftdiWithoutDevices() {
        FtdiDriver driver;
        DWORD listed = 99;
        QCOMPARE(driver.FT_CreateDeviceInfoList(&listed), FT_OK);
        if (listed != 0) QSKIP("FTDI devices are attached to this machine");
        FT_HANDLE handle = nullptr;
        QVERIFY(driver.FT_OpenEx("z-rallye", FT_OPEN_BY_DESCRIPTION, &handle) != FT_OK);
        QCOMPARE(driver.FT_Close(handle), FT_INVALID_HANDLE);
        DWORD written = 0;
        QCOMPARE(driver.FT_Write(handle, "x", 1, &written), FT_INVALID_HANDLE);
        UsbLink link(std::make_shared<FtdiDriver>(), std::make_shared<sim::VirtualClock>());
        QCOMPARE(link.CountMatchingDevices(), 0);
    }
};

#include "UsbLinkTest.moc"
DRIVO_TEST(UsbLinkTest);
