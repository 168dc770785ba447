// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestMain.h"
#include "framework/CWindowMessenger.h"

#include <QTest>
#include <thread>

using namespace drivo;

class WindowMessengerTest : public QObject {
    Q_OBJECT
private slots:
    // An outcome posted by a worker is queued, then delivered on the window thread unless its
    // window is gone by then.
    void outcomesReachOnlyLiveWindows_data() {
        QTest::addColumn<int>("how");
        QTest::newRow("delivered") << -1;
        QTest::newRow("window destroyed") << 0;
        QTest::newRow("unregistered") << 1;
        QTest::newRow("messenger shut down") << 2;
        QTest::newRow("unknown handle") << 3;
    }
    void outcomesReachOnlyLiveWindows() {
        QFETCH(int, how);
        CWindowMessenger messenger;
        auto window = std::make_unique<QObject>();
        using Got = std::vector<std::tuple<unsigned, int, bool>>; // on the window thread?
        Got got;
        const auto handle = messenger.Register(window.get(), [&](const JobOutcome& o) {
            got.emplace_back(o.message, o.value.value_or(-1),
                             QThread::currentThread() == qApp->thread());
        });
        std::thread([&] {
            messenger.Post(how == 3 ? handle + 100 : handle,
                           JobOutcome::Read(WM_BATTERY_DONE, 10500));
        }).join();
        QVERIFY(got.empty()); // never delivered inside Post
        if (how == 0)
            window.reset();
        else if (how == 1)
            messenger.Unregister(handle);
        else if (how == 2)
            messenger.Shutdown();
        QCoreApplication::sendPostedEvents();
        QVERIFY(got == (how < 0 ? Got{{WM_BATTERY_DONE, 10500, true}} : Got{}));
    }
};

#include "WindowMessengerTest.moc"
DRIVO_TEST(WindowMessengerTest);
