#include "CarRig.h"
#include "TestMain.h"
#include "device/CommandFrame.h"

#include <QTest>

#include <array>

using namespace drivo;
using namespace drivo::test;
using sim::CarFault;
using std::chrono::microseconds;
using std::chrono::milliseconds;

namespace {

// Opens the car and sets the line as the link does.
FT_HANDLE OpenConfigured(sim::VirtualCar& car) {
    FT_HANDLE h = nullptr;
    if (car.FT_OpenEx("z-rallye", FT_OPEN_BY_DESCRIPTION, &h) != FT_OK) return nullptr;
    car.FT_SetBaudRate(h, 19200);
    car.FT_SetTimeouts(h, 5000, 1000);
    car.FT_SetDataCharacteristics(h, FT_BITS_8, FT_STOP_BITS_1, FT_PARITY_NONE);
    return h;
}

} // namespace

class VirtualCarTest : public QObject {
    Q_OBJECT
private slots:
    // The car's replies carry its readings in frames the tool's codec accepts.
    void readingsAndConfigState() {
        CarRig rig;
        UsbLink& link = rig.context->link;
        rig.car->SetBattery(9517);
        rig.car->SetVersion(2, 11);
        QCOMPARE(QueryValue(link, "GVB"), 9517);
        QCOMPARE(QueryValue(link, "GSV"), 2 * 256 + 11);
        QCOMPARE(QueryValue(link, "GCS"), 0);
        const std::array<int, 1> timeMax = {2000};
        QCOMPARE(SendSetting(link, "SST", timeMax), 1);
        QCOMPARE(QueryValue(link, "GCS"), 1);
        QCOMPARE(rig.car->LastSettings().timeMax, 2000);
    }

    // The line's time: 10 bits a byte at 19200 baud, the car's answer delay, the read time-out.
    void lineTime_data() {
        QTest::addColumn<int>("fault");
        QTest::addColumn<qint64>("readMicros");
        QTest::addColumn<int>("bytes");
        const qint64 full = 2000 + 15 * 10 * 1000000LL / 19200;
        QTest::newRow("healthy") << -1 << full << 15;
        QTest::newRow("silent") << int(CarFault::Silent) << 5000000LL << 0;
        QTest::newRow("slow") << int(CarFault::Slow) << 5000000LL << 0;
        QTest::newRow("short reply") << int(CarFault::ShortReply) << 5000000LL << 12;
    }
    void lineTime() {
        QFETCH(int, fault);
        QFETCH(qint64, readMicros);
        QFETCH(int, bytes);
        CarRig rig;
        if (fault >= 0) rig.car->SetFault(CarFault(fault), true);
        FT_HANDLE h = OpenConfigured(*rig.car);
        QVERIFY(h != nullptr);
        DWORD done = 0;
        auto t0 = rig.carClock->Now();
        QCOMPARE(rig.car->FT_Write(h, "$GVB\r\n", 6, &done), FT_OK);
        QCOMPARE(rig.carClock->Now() - t0, microseconds(6 * 10 * 1000000LL / 19200));
        char buffer[32];
        t0 = rig.carClock->Now();
        QCOMPARE(rig.car->FT_Read(h, buffer, 15, &done), FT_OK);
        QCOMPARE((rig.carClock->Now() - t0).count(), readMicros);
        QCOMPARE(int(done), bytes);
        QCOMPARE(rig.car->FT_Close(h), FT_OK);
    }

    void raceModel_data() {
        QTest::addColumn<int>("intensity");
        QTest::addColumn<int>("distance");
        QTest::addColumn<int>("timeMax");
        QTest::addColumn<QPair<int, int>>("time");
        QTest::addColumn<QPair<int, int>>("speed");
        using R = QPair<int, int>;
        QTest::newRow("full power, 20 m") << 100 << 682 << 4000 << R{1000, 2500} << R{28000, 30000};
        QTest::newRow("half power, 20 m") << 50 << 682 << 4000 << R{2500, 3500} << R{14000, 15000};
        QTest::newRow("no power: the time limit ends it") << 0 << 682 << 3000 << R{3000, 3000} << R{0, 0};
        QTest::newRow("no distance") << 100 << 0 << 4000 << R{0, 0} << R{0, 0};
        QTest::newRow("cut short by the time limit") << 100 << 26601 << 4000 << R{4000, 4000} << R{28000, 30000};
    }
    void raceModel() {
        QFETCH(int, intensity);
        QFETCH(int, distance);
        QFETCH(int, timeMax);
        using R = QPair<int, int>;
        QFETCH(R, time);
        QFETCH(R, speed);
        sim::CarSettings s;
        s.stageTimes = {1000, 2000, 3000, 4000, 4000};
        s.intensities.fill(intensity);
        s.distance = distance;
        s.timeMax = timeMax;
        const sim::RaceResult r = sim::SimulateRace(s);
        QVERIFY2(r.timeMs >= time.first && r.timeMs <= time.second, qPrintable(QString::number(r.timeMs)));
        QVERIFY2(r.maxSpeed >= speed.first && r.maxSpeed <= speed.second, qPrintable(QString::number(r.maxSpeed)));
    }

    void presenceAndListing() {
        CarRig rig;
        int changes = 0;
        rig.car->SetPlugCallback([&] { ++changes; });
        rig.car->SetOtherDevices({"FT232R USB UART"});
        QCOMPARE(rig.context->link.CountMatchingDevices(), 1);
        rig.car->Unplug();
        rig.car->Unplug();
        QCOMPARE(changes, 1);
        QCOMPARE(rig.context->link.CountMatchingDevices(), 0);
        rig.car->Plug();
        QCOMPARE(changes, 2);
        rig.car->SetOtherDevices({"z-rallye"}); // a second car
        QCOMPARE(rig.context->link.CountMatchingDevices(), 2);
        rig.car->SetListingFails(true);
        QCOMPARE(rig.context->link.CountMatchingDevices(), -1);
    }

    void unplugMidTransaction() {
        CarRig rig;
        int changes = 0;
        rig.car->SetPlugCallback([&] { ++changes; });
        rig.car->SetFault(CarFault::UnplugMidTransaction, true);
        std::array<char, kFrameBufferSize> reply{};
        DWORD count = 15;
        QCOMPARE(rig.context->link.Transact("$GVB\r\n", reply, count), FT_IO_ERROR);
        QCOMPARE(changes, 1);
        QVERIFY(!rig.car->IsPlugged());
        QVERIFY(!rig.car->IsOpen());
        QVERIFY(!rig.car->HasFault(CarFault::UnplugMidTransaction)); // it happens once
    }

    // The car notices misuse: calls on handles that are not open, overlapping calls, and a
    // read that would wait forever.
    void misuseIsRecorded() {
        CarRig rig;
        DWORD done = 0;
        char buffer[16];
        QCOMPARE(rig.car->FT_Write(reinterpret_cast<FT_HANDLE>(77), "x", 1, &done), FT_INVALID_HANDLE);
        FT_HANDLE h = OpenConfigured(*rig.car);
        FT_HANDLE second = nullptr;
        QCOMPARE(rig.car->FT_OpenEx("z-rallye", FT_OPEN_BY_DESCRIPTION, &second), FT_DEVICE_NOT_OPENED);
        QCOMPARE(rig.car->FT_Close(h), FT_OK);
        QCOMPARE(rig.car->FT_Close(h), FT_INVALID_HANDLE);
        rig.car->SetFault(CarFault::Silent, true);
        h = nullptr;
        QCOMPARE(rig.car->FT_OpenEx("z-rallye", FT_OPEN_BY_DESCRIPTION, &h), FT_OK);
        QCOMPARE(rig.car->FT_Read(h, buffer, 15, &done), FT_OK); // no time-out set
        QCOMPARE(rig.car->FT_Close(h), FT_OK);
        QCOMPARE(rig.car->Violations().size(), std::size_t(3));
    }

};

#include "VirtualCarTest.moc"
DRIVO_TEST(VirtualCarTest);
