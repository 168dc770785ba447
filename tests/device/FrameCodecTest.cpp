#include "TestMain.h"
#include "device/CommandFrame.h"

#include <QTest>

#include <random>
#include <string>

using namespace drivo;

namespace {
std::string Line(const char* text) { return std::string(text) + "\r\n"; }
} // namespace

class FrameCodecTest : public QObject {
    Q_OBJECT
private slots:
    // Each frame byte for byte as printf's "%s%s,%5.5d,%2.2x%c%c" (and its kin) prints it.
    void formatSetting_data() {
        QTest::addColumn<QString>("mnemonic");
        QTest::addColumn<QList<int>>("values");
        QTest::addColumn<QByteArray>("frame");
        QTest::newRow("SST 2000") << "SST" << QList<int>{2000} << QByteArray("$SST,02000,4a\r\n");
        QTest::newRow("SCL stage 1") << "SCL" << QList<int>{1, 500, 80} << QByteArray("$SCL,01,00500,080,7c\r\n");
        QTest::newRow("SCL zeros") << "SCL" << QList<int>{5, 0, 0} << QByteArray("$SCL,05,00000,000,75\r\n");
        QTest::newRow("SAD 682") << "SAD" << QList<int>{682} << QByteArray("$SAD,00682,46\r\n");
        QTest::newRow("SAD 26601") << "SAD" << QList<int>{26601} << QByteArray("$SAD,26601,49\r\n");
        QTest::newRow("SRM 1") << "SRM" << QList<int>{1} << QByteArray("$SRM,1,51\r\n");
        QTest::newRow("too wide: printed in full") << "SST" << QList<int>{123456} << QByteArray("$SST,123456,7f\r\n");
        QTest::newRow("negative") << "SST" << QList<int>{-5} << QByteArray("$SST,-00005,60\r\n");
    }
    void formatSetting() {
        QFETCH(QString, mnemonic);
        QFETCH(QList<int>, values);
        QFETCH(QByteArray, frame);
        const std::vector<int> v(values.begin(), values.end());
        QCOMPARE(QByteArray::fromStdString(FormatSetting(mnemonic.toStdString(), v)), frame);
    }
    void formatSettingRefusesWhatItCannotBuild() {
        const int one[] = {1};
        QVERIFY(FormatSetting("GVB", one).empty());
        QVERIFY(FormatSetting("SCL", one).empty());
        QVERIFY(FormatSetting("XYZ", one).empty());
        QCOMPARE(FormatQuery("GVB"), std::string("$GVB\r\n"));
        QCOMPARE(FindCommand("GCS")->answerLength, std::size_t(11));
    }

    void checksum_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("sum");
        QTest::newRow("SST,02000") << QByteArray("SST,02000") << 9 << 0x4A;
        QTest::newRow("GVB,11200") << QByteArray("GVB,11200") << 9 << 0x4D;
        QTest::newRow("GCS,1") << QByteArray("GCS,1") << 5 << 0x4A;
        QTest::newRow("GSV,01,05") << QByteArray("GSV,01,05") << 9 << 0x46;
        QTest::newRow("one byte") << QByteArray("A") << 1 << 0x41;
        QTest::newRow("prefix only") << QByteArray("ABC") << 2 << (0x41 ^ 0x42);
        QTest::newRow("count 0 reads nothing") << QByteArray("A") << 0 << 0;
        QTest::newRow("255 bytes") << QByteArray(255, 'x') << 255 << int('x');
    }
    void checksum() {
        QFETCH(QByteArray, bytes);
        QFETCH(int, count);
        QFETCH(int, sum);
        QCOMPARE(int(FrameChecksum(bytes.constData(), std::uint8_t(count))), sum);
    }

    void valueReply_data() {
        QTest::addColumn<QString>("mnemonic");
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<int>("status");
        QTest::addColumn<int>("received"); // -1: the reply's length
        QTest::addColumn<int>("value");
        const auto bytes = [](const char* t) { return QByteArray::fromStdString(Line(t)); };
        QTest::newRow("battery") << "GVB" << bytes("$GVB,11200,4d") << 0 << -1 << 11200;
        QTest::newRow("upper-case digits") << "GVB" << bytes("$GVB,11200,4D") << 0 << -1 << 11200;
        QTest::newRow("wrong checksum") << "GVB" << bytes("$GVB,11200,4e") << 0 << -1 << -1;
        QTest::newRow("link error") << "GVB" << bytes("$GVB,11200,4d") << 4 << -1 << -1;
        QTest::newRow("count differs from N") << "GVB" << bytes("$GVB,11200,4d") << 0 << 14 << -1;
        QTest::newRow("wrong mnemonic") << "GVB" << bytes("$GRT,11200,5f") << 0 << -1 << -1;
        QTest::newRow("lower-case mnemonic") << "GVB" << bytes("$gvb,11200,6d") << 0 << -1 << -1;
        QTest::newRow("no start") << "GVB" << bytes("#GVB,11200,4d") << 0 << -1 << -1;
        QTest::newRow("no CR") << "GVB" << QByteArray("$GVB,11200,4d\n\n") << 0 << -1 << -1;
        QTest::newRow("config state") << "GCS" << bytes("$GCS,1,4a") << 0 << -1 << 1;
        QTest::newRow("GCS two digits (12 bytes)") << "GCS" << bytes("$GCS,10,7a") << 0 << -1 << -1;
        QTest::newRow("version 1.5") << "GSV" << bytes("$GSV,01,05,46") << 0 << -1 << 261;
        QTest::newRow("GSV minor unreadable") << "GSV" << bytes("$GSV,01,xx,43") << 0 << -1 << 255;
        // Non-hex checksum digits count as 0: accepted exactly when the span XORs to 0.
        QTest::newRow("non-hex digits, span XOR 0") << "GVB" << bytes("$GVB,1234{,zz") << 0 << -1 << 1234;
        QTest::newRow("non-hex digits, span XOR not 0") << "GVB" << bytes("$GVB,11200,zz") << 0 << -1 << -1;
        QTest::newRow("sign and spaces") << "GRT" << bytes("$GRT, -123,50") << 0 << -1 << -123;
        QTest::newRow("no number") << "GRT" << bytes("$GRT,abcde,0c") << 0 << -1 << -1;
        QTest::newRow("NUL early, L below 7") << "GVB" << QByteArray("$GVB\r\n\0\0\0\0\0\0\0\0\0", 15) << 0 << 15 << -1;
        // "S" and "V" decode as 0 and the empty span XORs to 0: only the length rule refuses it.
        QTest::newRow("GSV, NUL early, L = 6") << "GSV" << QByteArray("$GSV\r\n\0\0\0\0\0\0\0\0\0", 15) << 0 << 15 << -1;
        QTest::newRow("NUL in the value") << "GVB" << QByteArray("$GVB,1\0" "200,4d\r\n", 15) << 0 << 15 << -1;
        QTest::newRow("short (time-out)") << "GVB" << QByteArray("$GVB,112") << 0 << -1 << -1;
        QTest::newRow("long, cut at N") << "GVB" << QByteArray("$GVB,112000,7d\r\n").left(15) << 0 << 15 << -1;
        QTest::newRow("empty") << "GVB" << QByteArray() << 0 << 15 << -1;
    }
    void valueReply() {
        QFETCH(QString, mnemonic);
        QFETCH(QByteArray, reply);
        QFETCH(int, status);
        QFETCH(int, received);
        QFETCH(int, value);
        const std::string m = mnemonic.toStdString();
        const std::size_t n = FindCommand(m)->answerLength;
        const DWORD count = received < 0 ? DWORD(reply.size()) : DWORD(received);
        const std::string_view bytes(reply.constData(), std::size_t(reply.size()));
        QCOMPARE(ParseValueReply(m, n, FT_STATUS(status), count, bytes), value);
    }

    void acknowledgement_data() {
        QTest::addColumn<QString>("mnemonic");
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<int>("status");
        QTest::addColumn<int>("accepted");
        QTest::newRow("SST after SST") << "SST" << QByteArray("$SST\r\n") << 0 << 1;
        QTest::newRow("SST after SAD") << "SAD" << QByteArray("$SST\r\n") << 0 << 0;
        QTest::newRow("link error") << "SST" << QByteArray("$SST\r\n") << 4 << 0;
        QTest::newRow("short") << "SST" << QByteArray("$SST\r") << 0 << 0;
        QTest::newRow("no LF") << "SST" << QByteArray("$SST\r\r") << 0 << 0;
        QTest::newRow("NUL inside") << "SCL" << QByteArray("$SC\0\r\n", 6) << 0 << 0;
        QTest::newRow("7 bytes") << "SRM" << QByteArray("$SRM\r\n\n") << 0 << 0;
    }
    void acknowledgement() {
        QFETCH(QString, mnemonic);
        QFETCH(QByteArray, reply);
        QFETCH(int, status);
        QFETCH(int, accepted);
        const std::string_view bytes(reply.constData(), std::size_t(reply.size()));
        QCOMPARE(CheckAcknowledgement(mnemonic.toStdString(), FT_STATUS(status), DWORD(reply.size()), bytes),
                 accepted);
    }

    // Arbitrary bytes never crash the checks or read outside them (ASan watches), and what is
    // accepted always has the frame's shape. A valid reply with one covered byte changed is
    // always refused, because a single changed byte always changes the XOR.
    void arbitraryRepliesFollowTheRules() {
        std::mt19937 random(20261207);
        const std::string valid = Line("$GVB,11200,4d");
        for (int i = 0; i < 20000; ++i) {
            const std::size_t length = random() % 20;
            auto buffer = std::make_unique<char[]>(length); // exact size: ASan traps overreads
            const bool mutate = i % 2 == 0;
            for (std::size_t k = 0; k < length; ++k)
                buffer[k] = mutate && k < valid.size() ? valid[k] : char(random() % 256);
            if (mutate && length == 15) buffer[1 + random() % 9] ^= char(1 + random() % 255);
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
