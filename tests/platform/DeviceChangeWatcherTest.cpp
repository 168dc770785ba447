// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestMain.h"
#include "platform/CDeviceChangeWatcher.h"

#include <QTest>
#include <unistd.h>

using namespace drivo;

namespace {
// A pipe standing in for the netlink socket: one byte per event, 'a'dd, 'r'emove, 'c'hange.
class PipeSource : public DeviceEventSource {
public:
    PipeSource() { QVERIFY(pipe(m_fds) == 0); }
    ~PipeSource() override {
        close(m_fds[0]);
        close(m_fds[1]);
    }
    int Descriptor() const override { return m_fds[0]; }
    bool ReceiveChange() override {
        char c = 0;
        return read(m_fds[0], &c, 1) == 1 && (c == 'a' || c == 'r');
    }
    void Emit(char c) { QCOMPARE(write(m_fds[1], &c, 1), 1); }

private:
    int m_fds[2] = {-1, -1};
};
} // namespace

class DeviceChangeWatcherTest : public QObject {
    Q_OBJECT
private slots:
    void addAndRemoveReachTheHandlerAsNodesChanged_data() {
        QTest::addColumn<QByteArray>("events");
        QTest::addColumn<int>("calls");
        QTest::newRow("add") << QByteArray("a") << 1;
        QTest::newRow("add then remove") << QByteArray("ar") << 2;
        QTest::newRow("other actions ignored") << QByteArray("cc") << 0;
        QTest::newRow("mixed") << QByteArray("cacr") << 2;
    }
    void addAndRemoveReachTheHandlerAsNodesChanged() {
        QFETCH(QByteArray, events);
        QFETCH(int, calls);
        auto source = std::make_unique<PipeSource>();
        PipeSource* pipe = source.get();
        QList<unsigned> codes;
        CDeviceChangeWatcher watcher(std::move(source),
                                     [&](unsigned code) { codes.push_back(code); });
        QVERIFY(watcher.IsWatching());
        for (char c : events)
            pipe->Emit(c);
        // Each pass of the event loop polls the descriptor and takes one event.
        for (int i = 0; i < 2 * events.size() + 2; ++i)
            QCoreApplication::processEvents();
        QCOMPARE(codes, QList<unsigned>(calls, DBT_DEVNODES_CHANGED));
    }
};

#include "DeviceChangeWatcherTest.moc"
DRIVO_TEST(DeviceChangeWatcherTest);
