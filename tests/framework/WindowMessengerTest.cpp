#include "TestMain.h"
#include "framework/CWindowMessenger.h"

#include <QTest>
#include <thread>

using namespace drivo;

namespace {
struct Received {
    unsigned message;
    std::intptr_t wParam, lParam;
    bool onWindowThread;
};
} // namespace

class WindowMessengerTest : public QObject {
    Q_OBJECT
private slots:
    void outcomesFromWorkersArriveOnTheWindowThread() {
        CWindowMessenger messenger;
        QObject window;
        std::vector<Received> got;
        const auto handle =
            messenger.Register(&window, [&](unsigned m, std::intptr_t w, std::intptr_t l) {
                got.push_back({m, w, l, QThread::currentThread() == qApp->thread()});
            });
        std::thread worker([&] { messenger.Post(handle, WM_BATTERY_DONE, 10500, 0); });
        worker.join();
        QVERIFY(got.empty()); // queued, never delivered inside Post
        QCoreApplication::sendPostedEvents();
        QCOMPARE(got.size(), size_t(1));
        QCOMPARE(got[0].message, unsigned(WM_BATTERY_DONE));
        QCOMPARE(got[0].wParam, std::intptr_t(10500));
        QVERIFY(got[0].onWindowThread);
    }
    void outcomesForGoneWindowsAreDropped_data() {
        QTest::addColumn<int>("how");
        QTest::newRow("window destroyed") << 0;
        QTest::newRow("unregistered") << 1;
        QTest::newRow("messenger shut down") << 2;
        QTest::newRow("unknown handle") << 3;
    }
    void outcomesForGoneWindowsAreDropped() {
        QFETCH(int, how);
        CWindowMessenger messenger;
        auto window = std::make_unique<QObject>();
        int calls = 0;
        const auto handle = messenger.Register(
            window.get(), [&](unsigned, std::intptr_t, std::intptr_t) { ++calls; });
        // The outcome is already queued when the window goes away.
        messenger.Post(how == 3 ? handle + 100 : handle, WM_VERSION_DONE, 261, 0);
        if (how == 0)
            window.reset();
        else if (how == 1)
            messenger.Unregister(handle);
        else if (how == 2)
            messenger.Shutdown();
        QCoreApplication::sendPostedEvents();
        QCOMPARE(calls, 0);
    }
};

#include "WindowMessengerTest.moc"
DRIVO_TEST(WindowMessengerTest);
