// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestMain.h"
#include "device/CommandFrame.h"

#include <QTest>

#include <random>
#include <string>

using namespace drivo;

namespace {
struct Reply {
    std::string mnemonic;
    QByteArray bytes;
    int value;
    int received = -1; // bytes the read reports; -1: all of them
    FT_STATUS status = FT_OK;
};
} // namespace

Q_DECLARE_METATYPE(Reply)

class FrameCodecTest : public QObject {
    Q_OBJECT
private slots:
    // Each frame byte for byte as printf's "%s%s,%5.5d,%2.2x%c%c" (and its kin) prints it.
    void formatSetting_data() {
        QTest::addColumn<QString>("mnemonic");
        QTest::addColumn<QList<int>>("values");
        QTest::addColumn<QByteArray>("frame");
        QTest::newRow("SST 2000") << "SST" << QList<int>{2000} << QByteArray("$SST,02000,4a\r\n");
        QTest::newRow("SCL stage 1")
            << "SCL" << QList<int>{1, 500, 80} << QByteArray("$SCL,01,00500,080,7c\r\n");
        QTest::newRow("SAD 26601") << "SAD" << QList<int>{26601} << QByteArray("$SAD,26601,49\r\n");
        QTest::newRow("too wide: printed in full")
            << "SST" << QList<int>{123456} << QByteArray("$SST,123456,7f\r\n");
        QTest::newRow("negative") << "SST" << QList<int>{-5} << QByteArray("$SST,-00005,60\r\n");
        // What cannot be built gives nothing: a query, too few values, an unknown command.
        QTest::newRow("query") << "GVB" << QList<int>{1} << QByteArray();
        QTest::newRow("SCL, one value") << "SCL" << QList<int>{1} << QByteArray();
        QTest::newRow("unknown") << "XYZ" << QList<int>{1} << QByteArray();
    }
    void formatSetting() {
        QFETCH(QString, mnemonic);
        QFETCH(QList<int>, values);
        const std::vector<int> v(values.begin(), values.end());
        QTEST(QByteArray::fromStdString(FormatSetting(mnemonic.toStdString(), v)), "frame");
    }
    void checksum_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("sum");
        QTest::newRow("prefix only") << QByteArray("ABC") << 2 << (0x41 ^ 0x42);
        QTest::newRow("count 0 reads nothing") << QByteArray("A") << 0 << 0;
        QTest::newRow("255 bytes") << QByteArray(255, 'x') << 255 << int('x');
    }
    void checksum() {
        QFETCH(QByteArray, bytes);
        QFETCH(int, count);
        QTEST(int(FrameChecksum(bytes.constData(), std::uint8_t(count))), "sum");
    }

    // Queries answer a value (-1 when refused); settings an acknowledgement (1 or 0).
    void reply_data() {
        QTest::addColumn<Reply>("reply");
        QTest::newRow("battery") << Reply{"GVB", "$GVB,11200,4d\r\n", 11200};
        QTest::newRow("upper-case digits") << Reply{"GVB", "$GVB,11200,4D\r\n", 11200};
        QTest::newRow("wrong checksum") << Reply{"GVB", "$GVB,11200,4e\r\n", -1};
        QTest::newRow("link error") << Reply{"GVB", "$GVB,11200,4d\r\n", -1, -1, FT_IO_ERROR};
        QTest::newRow("count differs from N") << Reply{"GVB", "$GVB,11200,4d\r\n", -1, 14};
        QTest::newRow("wrong mnemonic") << Reply{"GVB", "$GRT,11200,5f\r\n", -1};
        QTest::newRow("config state") << Reply{"GCS", "$GCS,1,4a\r\n", 1};
        QTest::newRow("GCS two digits (12 bytes)") << Reply{"GCS", "$GCS,10,7a\r\n", -1};
        QTest::newRow("version 1.5") << Reply{"GSV", "$GSV,01,05,46\r\n", 261};
        QTest::newRow("GSV minor unreadable") << Reply{"GSV", "$GSV,01,xx,43\r\n", 255};
        // Non-hex checksum digits count as 0: accepted exactly when the span XORs to 0.
        QTest::newRow("non-hex digits, span XOR 0") << Reply{"GVB", "$GVB,1234{,zz\r\n", 1234};
        // "S" and "V" decode as 0 and the empty span XORs to 0: only the length rule refuses it.
        QTest::newRow("GSV, NUL early, L = 6")
            << Reply{"GSV", QByteArray("$GSV\r\n\0\0\0\0\0\0\0\0\0", 15), -1, 15};
        QByteArray nulInValue("$GVB,11200,4d\r\n");
        nulInValue[6] = '\0';
        QTest::newRow("NUL in the value") << Reply{"GVB", nulInValue, -1};
        QTest::newRow("short (time-out)") << Reply{"GVB", "$GVB,112", -1};
        QTest::newRow("long, cut at N")
            << Reply{"GVB", QByteArray("$GVB,112000,7d\r\n").left(15), -1};
        QTest::newRow("empty") << Reply{"GVB", {}, -1, 15};
        QTest::newRow("SST after SST") << Reply{"SST", "$SST\r\n", 1};
        QTest::newRow("SST after SAD") << Reply{"SAD", "$SST\r\n", 0};
        QTest::newRow("ack, link error") << Reply{"SST", "$SST\r\n", 0, -1, FT_IO_ERROR};
        QTest::newRow("ack short") << Reply{"SST", "$SST\r", 0};
        QTest::newRow("ack 7 bytes") << Reply{"SRM", "$SRM\r\n\n", 0};
    }
    void reply() {
        QFETCH(Reply, reply);
        const std::string& m = reply.mnemonic;
        const DWORD count = reply.received < 0 ? DWORD(reply.bytes.size()) : DWORD(reply.received);
        const std::string_view bytes(reply.bytes.constData(), std::size_t(reply.bytes.size()));
        if (m[0] == 'S')
            QCOMPARE(CheckAcknowledgement(m, reply.status, count, bytes), reply.value);
        else
            QCOMPARE(ParseValueReply(m, FindCommand(m)->answerLength, reply.status, count, bytes),
                     reply.value);
    }

    // Arbitrary bytes never crash the checks or read outside them (ASan watches), and what is
    // accepted always has the frame's shape. A valid reply with one covered byte changed is
    // always refused, because a single changed byte always changes the XOR.
    void arbitraryRepliesFollowTheRules() {
        std::mt19937 random(20261207);
        const std::string valid = "$GVB,11200,4d\r\n";
        for (int i = 0; i < 20000; ++i) {
            const std::size_t length = random() % 20;
            auto buffer = std::make_unique<char[]>(length); // exact size: ASan traps overreads
            const bool mutate = i % 2 == 0;
            for (std::size_t k = 0; k < length; ++k)
                buffer[k] = mutate && k < valid.size() ? valid[k] : char(random() % 256);
            if (mutate && length == 15)
                buffer[1 + random() % 9] ^= char(1 + random() % 255);
            const std::string_view bytes(buffer.get(), length);
            const DWORD count = DWORD(random() % 3 == 0 ? random() % 20 : length);
            const int value = ParseValueReply("GVB", 15, FT_OK, count, bytes);
            if (value != -1) {
                QCOMPARE(count, DWORD(15));
                QCOMPARE(bytes.substr(0, 4), std::string_view("$GVB"));
                QVERIFY(bytes.substr(13, 2) == "\r\n");
                QVERIFY(!(mutate && length == 15));
            }
            if (CheckAcknowledgement("SST", FT_OK, count, bytes) == 1)
                QCOMPARE(bytes.substr(0, 6), std::string_view("$SST\r\n"));
        }
    }
};

#include "FrameCodecTest.moc"
DRIVO_TEST(FrameCodecTest);
