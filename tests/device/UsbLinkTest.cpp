// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/UsbLink.h"
#include "TestMain.h"
#include "device/FtDriver.h"
#include "sim/VirtualClock.h"

#include <QTest>

#include <array>
#include <functional>
#include <map>
#include <string>
#include <vector>

using namespace drivo;
using std::chrono::microseconds;
using std::chrono::milliseconds;

namespace {

// A D2XX driver whose every operation answers from a script, recording the calls in order, to
// check what the link does on each step's failure.
class ScriptedDriver final : public FtDriver {
public:
    std::map<std::string, FT_STATUS> failing; // operation name -> status it returns
    QStringList devices = {"z-rallye"};
    int opensFailing = 0;                     // the first n opens fail
    std::string answer = "$GVB,11200,4d\r\n"; // what FT_Read delivers (cut at the count asked)
    DWORD overReport = 0;                     // extra bytes FT_Read claims beyond what was asked
    std::function<void()> onWrite;
    QStringList calls; // the link calls in on the test's own thread: no lock needed

    FT_STATUS FT_CreateDeviceInfoList(DWORD* n) override {
        *n = DWORD(devices.size());
        return Step("FT_CreateDeviceInfoList");
    }
    FT_STATUS FT_GetDeviceInfoList(FT_DEVICE_LIST_INFO_NODE* list, DWORD* n) override {
        for (DWORD i = 0; i < *n && i < DWORD(devices.size()); ++i)
            devices[i].toStdString().copy(list[i].Description, sizeof list[i].Description - 1);
        return Step("FT_GetDeviceInfoList");
    }
    FT_STATUS FT_OpenEx(const void* arg, DWORD flags, FT_HANDLE* h) override {
        if (std::string(static_cast<const char*>(arg)) != "z-rallye" ||
            flags != FT_OPEN_BY_DESCRIPTION)
            return FT_INVALID_PARAMETER;
        *h = this;
        if (opensFailing > 0 && opensFailing-- > 0)
            return Step("FT_OpenEx", FT_DEVICE_NOT_OPENED);
        return Step("FT_OpenEx");
    }
    FT_STATUS FT_SetBaudRate(FT_HANDLE, ULONG baud) override {
        return Step("FT_SetBaudRate " + std::to_string(baud));
    }
    FT_STATUS FT_SetTimeouts(FT_HANDLE, ULONG r, ULONG w) override {
        return Step("FT_SetTimeouts " + std::to_string(r) + " " + std::to_string(w));
    }
    FT_STATUS FT_SetDataCharacteristics(FT_HANDLE, UCHAR b, UCHAR s, UCHAR p) override {
        return Step("FT_SetDataCharacteristics " + std::to_string(b) + " " + std::to_string(s) +
                    " " + std::to_string(p));
    }
    FT_STATUS FT_Write(FT_HANDLE, const void* data, DWORD n, DWORD* done) override {
        *done = n;
        if (onWrite)
            onWrite();
        return Step("FT_Write " + std::string(static_cast<const char*>(data), n));
    }
    FT_STATUS FT_Read(FT_HANDLE, void* data, DWORD n, DWORD* got) override {
        const std::string bytes = answer.substr(0, n);
        bytes.copy(static_cast<char*>(data), bytes.size());
        *got = DWORD(bytes.size()) + overReport;
        return Step("FT_Read " + std::to_string(n));
    }
    FT_STATUS FT_Close(FT_HANDLE) override { return Step("FT_Close"); }

private:
    FT_STATUS Step(const std::string& call, FT_STATUS otherwise = FT_OK) {
        calls << QString::fromStdString(call);
        const auto it = failing.find(call.substr(0, call.find(' ')));
        return it != failing.end() ? it->second : otherwise;
    }
};

struct Rig {
    std::shared_ptr<ScriptedDriver> driver = std::make_shared<ScriptedDriver>();
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
                                   "FT_Write $GVB\r\n",
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
        QCOMPARE(rig.driver->calls.count(kFullExchange[4]), status == 0 ? 1 : 0);
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
