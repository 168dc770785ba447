// SPDX-License-Identifier: GPL-3.0-or-later
// The link trace in the drivo.link category: one line per exchange when a rule turns it on,
// nothing otherwise.
#include "app/LinkLog.h"
#include "AppTestSupport.h"
#include "TestMain.h"
#include "device/DeviceJobs.h"
#include "device/LinkTrace.h"

using namespace drivo;
using namespace drivo::test;

namespace {
QStringList g_lines;
void Record(QtMsgType, const QMessageLogContext& context, const QString& text) {
    if (QByteArray(context.category) == "drivo.link")
        g_lines << text;
}
} // namespace

class LinkLogTest : public QObject {
    Q_OBJECT
private slots:
    void printableBytes_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::newRow("frame") << QByteArray("$GVB\r\n") << "$GVB\\r\\n";
        QTest::newRow("control and high bytes")
            << QByteArray("a\0\x1f\xff", 4) << "a\\x00\\x1f\\xff";
        QTest::newRow("backslash") << QByteArray("\\x41") << "\\\\x41";
    }
    void printableBytes() {
        QFETCH(QByteArray, bytes);
        QTEST(PrintableBytes(std::string_view(bytes.constData(), size_t(bytes.size()))), "text");
    }

    void oneLinePerExchangeWhenOn_data() {
        QTest::addColumn<bool>("on");
        QTest::newRow("rule on") << true;
        QTest::newRow("no rule") << false;
    }
    void oneLinePerExchangeWhenOn() {
        QFETCH(bool, on);
        VirtualCarParts parts(true);
        auto context = CreateDeviceContext(parts.car, nullptr, parts.linkSleeper);
        QLoggingCategory::setFilterRules(on ? "drivo.link.debug=true" : "");
        InstallLinkLog();
        g_lines.clear();
        const QtMessageHandler previous = qInstallMessageHandler(Record);
        BatteryJob(*context, 1);
        qInstallMessageHandler(previous);
        SetLinkTrace({});
        QLoggingCategory::setFilterRules("");
        const QString line = QStringLiteral("sent \"$GVB\\r\\n\" received \"$GVB,11200,");
        QCOMPARE(g_lines.size(), on ? 1 : 0);
        QVERIFY(!on || (g_lines[0].startsWith(line) && g_lines[0].contains("status 0 opens 1")));
    }
};

#include "LinkLogTest.moc"
DRIVO_TEST(LinkLogTest);
