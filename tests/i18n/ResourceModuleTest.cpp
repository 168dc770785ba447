// SPDX-License-Identifier: GPL-3.0-or-later
#include "i18n/ResourceModule.h"
#include "TestMain.h"
#include "i18n/StringIds.h"

#include <QDataStream>
#include <QDir>
#include <QIcon>
#include <QImageReader>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>

#include <sys/stat.h>

using namespace drivo;

namespace {

const QString kChartStatusEnu = QStringLiteral("Intensity %d%% Duration %dms.");

// A small bundle as the build makes them, cut and damaged byte by byte below.
QByteArray RealBundle() {
    QFile f(QStringLiteral(DRIVO_TEST_BUNDLE_PARTIAL));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QString WriteBundle(const QTemporaryDir& dir, const QByteArray& content) {
    QFile f(dir.filePath("drivoENU.rcc"));
    return f.open(QIODevice::WriteOnly) && f.write(content) == content.size() ? f.fileName()
                                                                              : QString();
}

// The hash rcc stores beside each name.
quint32 NameHash(const QString& name) {
    quint32 h = 0;
    for (const QChar c : name) {
        h = (h << 4) + c.unicode();
        h ^= (h & 0xf0000000) >> 23;
        h &= 0x0fffffff;
    }
    return h;
}

// A bundle of format 3 whose root holds one file, strings.json, with the node flags and the
// data block given: about a hundred bytes.
QByteArray OneEntryBundle(quint16 flags, const QByteArray& entry, quint32 flagsOfAllEntries) {
    const QString name = QStringLiteral("strings.json");
    const quint32 names = 24 + 4 + quint32(entry.size());
    const quint32 tree = names + 6 + 2 * quint32(name.size());
    QByteArray bundle;
    QDataStream out(&bundle, QIODevice::WriteOnly); // big-endian
    out.writeRawData("qres", 4);
    out << quint32(3) << tree << quint32(24) << names << flagsOfAllEntries;
    out << quint32(entry.size());
    out.writeRawData(entry.constData(), int(entry.size()));
    out << quint16(name.size()) << NameHash(name);
    for (const QChar c : name)
        out << quint16(c.unicode());
    out << quint32(0) << quint16(0x02) << quint32(1) << quint32(1) << quint64(0); // root: one child
    // The file: any territory, language C (the entry every locale sees), data at 0.
    out << quint32(0) << flags << quint16(0) << quint16(QLocale::C) << quint32(0) << quint64(0);
    return bundle;
}

const QByteArray kPlainStrings = R"({"1047":"x"})";

// A zstd frame header (single segment, 8-byte content size) claiming size bytes, then an
// empty last block.
QByteArray ZstdClaiming(quint64 size) {
    QByteArray frame = QByteArray::fromHex("28b52ffde0");
    for (int i = 0; i < 8; ++i)
        frame += char(size >> (8 * i));
    return frame + QByteArray::fromHex("010000");
}

} // namespace

class ResourceModuleTest : public QObject {
    Q_OBJECT
private slots:
    void refusesFilesThatAreNotBundles_data() {
        QTest::addColumn<QString>("kind"); // what lies at the bundle's name: "file" holds content
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("empty") << "file" << QByteArray();
        QTest::newRow("text") << "file" << QByteArray("not a bundle at all");
        QTest::newRow("header, offsets beyond the end")
            << "file" << QByteArray::fromHex("7172657300000003000000ff000000ff000000ff00000000");
        // Compressed entries: Qt allocates what their headers claim before inflating.
        QTest::newRow("zstd entry claiming 2^40 bytes")
            << "file" << OneEntryBundle(0x04, ZstdClaiming(quint64(1) << 40), 0x04);
        QTest::newRow("zstd entry claiming 1 GiB, header flags clear")
            << "file" << OneEntryBundle(0x04, ZstdClaiming(quint64(1) << 30), 0);
        QTest::newRow("zlib entry claiming 0xFFFFFFFF bytes")
            << "file"
            << OneEntryBundle(0x01, QByteArray::fromHex("ffffffff789c030000000001"), 0x01);
        QTest::newRow("unknown entry flag") << "file" << OneEntryBundle(0x08, kPlainStrings, 0);
        QTest::newRow("plain entry, header claims compression")
            << "file" << OneEntryBundle(0, kPlainStrings, 0x01);
        QTest::newRow("FIFO") << "fifo" << QByteArray();
        QTest::newRow("directory") << "directory" << QByteArray();
        QTest::newRow("character device") << "device" << QByteArray();
        QTest::newRow("larger than any bundle") << "huge" << QByteArray();
    }
    void refusesFilesThatAreNotBundles() {
        QFETCH(QString, kind);
        QFETCH(QByteArray, content);
        QTemporaryDir dir;
        QString path = dir.filePath("drivoENU.rcc");
        if (kind == "file")
            path = WriteBundle(dir, content);
        if (kind == "fifo") // opening it for reading would wait for a writer forever
            QCOMPARE(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        if (kind == "directory")
            QVERIFY(QDir(dir.path()).mkdir("drivoENU.rcc"));
        if (kind == "device")
            QVERIFY(QFile::link("/dev/zero", path));
        if (kind == "huge") { // sparse: takes no room
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly) && f.resize(ResourceModule::kMaxBundleSize + 1));
        }
        ResourceModule module;
        QVERIFY(!module.LoadBundle(path));
        QVERIFY(!module.LoadBundle("/nonexistent/drivoENU.rcc"));
        QVERIFY(!module.HasBundle());
        QCOMPARE(module.Root(), QStringLiteral(":/drivo"));
        QTest::failOnWarning(QRegularExpression(QStringLiteral("."))); // nor a warning for them
        QVERIFY(module.LoadBitmap(1).isNull() && module.LoadIcon(1).isNull()); // missing items
        QVERIFY(module.LoadDialogTemplate(1).isEmpty() && module.LoadBinary(1).isEmpty());
    }

    // The refused rows above differ from the plain one in one point only; a string or a table
    // larger than any language's loads as missing.
    void handMadeBundleLoads_data() {
        QTest::addColumn<QByteArray>("strings");
        QTest::addColumn<QString>("text");    // string 1047 as loaded
        const auto padded = [](qint64 size) { // 1047 "x" and a padding string, size bytes in all
            return "{\"1047\":\"x\",\"1\":\"" + QByteArray(size - 19, 'p') + "\"}";
        };
        QTest::newRow("plain") << kPlainStrings << "x";
        QTest::newRow("string above the limit")
            << "{\"1047\":\"" + QByteArray(ResourceModule::kMaxStringLength + 1, 'x') + "\"}"
            << QString();
        QTest::newRow("table 1 byte above")
            << padded(ResourceModule::kMaxTextFileSize + 1) << QString();
        QTest::newRow("table of 60 MB") << padded(60 * 1000 * 1000) << QString();
    }
    void handMadeBundleLoads() {
        QFETCH(QByteArray, strings);
        QFETCH(QString, text);
        QTemporaryDir dir;
        ResourceModule module;
        QVERIFY(module.LoadBundle(WriteBundle(dir, OneEntryBundle(0, strings, 0))));
        QCOMPARE(module.LoadResourceString(IDS_CHART_STATUS), text);
    }

    // A bundle without some ids gives them empty, not in French; a damaged copy of it, cut
    // anywhere, is refused and keeps the bundle loaded before.
    void partialBundleAndItsTruncatedCopies() {
        const QByteArray bundle = RealBundle();
        QVERIFY(bundle.size() > 100);
        QTemporaryDir dir;
        ResourceModule module;
        QVERIFY(module.LoadBundle(QStringLiteral(DRIVO_TEST_BUNDLE_PARTIAL)));
        QCOMPARE(module.LoadResourceString(IDS_CHART_STATUS), kChartStatusEnu);
        QVERIFY(module.LoadResourceString(IDS_LANGUAGE_GROUP).isEmpty());
        for (qsizetype length = 0; length < bundle.size(); ++length)
            QVERIFY2(!module.LoadBundle(WriteBundle(dir, bundle.left(length))),
                     qPrintable(QString::number(length)));
        QCOMPARE(module.LoadResourceString(IDS_CHART_STATUS), kChartStatusEnu);
        module.ReleaseBundle();
        QCOMPARE(module.LoadResourceString(IDS_LANGUAGE_GROUP), QStringLiteral("Langue"));
    }

    void damagedStructureNeverReadsOutsideTheFile() {
        // Each byte flipped in turn: whatever is accepted must be readable (ASan watches).
        const QByteArray bundle = RealBundle();
        QTemporaryDir dir;
        for (qsizetype at = 0; at < bundle.size(); ++at) {
            for (int mask : {0xff, 0x01}) {
                QByteArray damaged = bundle;
                damaged[at] = char(damaged[at] ^ mask);
                ResourceModule module;
                if (module.LoadBundle(WriteBundle(dir, damaged))) {
                    module.LoadResourceString(IDS_LANGUAGE_GROUP);
                    module.LoadDialogTemplate(100);
                    module.LoadIcon(128);
                }
            }
        }
    }

    // Bitmaps are read in place; what they give is what Qt's own reader gives.
    void bitmapsAsQtReadsThem_data() {
        QTest::addColumn<QString>("bundle");
        QTest::addColumn<int>("id");
        QTest::newRow("program, USB strip") << QString() << 131;
        QTest::newRow("English bundle, race results face") << DRIVO_TEST_BUNDLE_ENU << 153;
    }
    void bitmapsAsQtReadsThem() {
        QFETCH(QString, bundle);
        QFETCH(int, id);
        ResourceModule module;
        QVERIFY(bundle.isEmpty() || module.LoadBundle(bundle));
        const QImage read = module.LoadBitmap(id);
        QImageReader qt(module.Root() + QStringLiteral("/bitmap/%1.bmp").arg(id), "bmp");
        QCOMPARE(read.format(), QImage::Format_RGB32);
        QCOMPARE(read, qt.read().convertToFormat(QImage::Format_RGB32));
    }

    void iconSizesUpToALimit_data() {
        QTest::addColumn<int>("largest");
        QTest::addColumn<QList<int>>("sides");
        QTest::newRow("a window's icons") << 64 << QList<int>{16, 24, 30, 32, 48, 60, 64};
        QTest::newRow("between sizes") << 40 << QList<int>{16, 24, 30, 32};
        QTest::newRow("below the smallest: the nearest") << 8 << QList<int>{16};
    }
    void iconSizesUpToALimit() {
        QFETCH(int, largest);
        QList<int> sides;
        for (const QSize& size : ResourceModule().LoadIcon(128, largest).availableSizes())
            sides << size.width();
        std::sort(sides.begin(), sides.end());
        QTEST(sides, "sides");
    }

    // Icons are decoded on demand, which must not change which picture a size gets, nor its
    // pixels, whatever was asked before, nor on a screen of two device pixels per pixel:
    // compared with all the files decoded at once.
    void iconsAsAllDecoded_data() {
        QTest::addColumn<QList<int>>("asked");
        QTest::addColumn<double>("ratio");
        QTest::newRow("exact sizes") << QList<int>{16, 32, 256} << 1.0;
        QTest::newRow("between sizes: next larger") << QList<int>{20, 40, 100} << 1.0;
        QTest::newRow("above the largest") << QList<int>{512} << 1.0;
        QTest::newRow("large first, then small") << QList<int>{256, 24, 17} << 1.0;
        QTest::newRow("200 %") << QList<int>{30, 32, 24} << 2.0;
    }
    void iconsAsAllDecoded() {
        QFETCH(QList<int>, asked);
        QFETCH(double, ratio);
        const QIcon lazy = ResourceModule().LoadIcon(128);
        QIcon eager;
        const QDir dir(QStringLiteral(":/drivo/icon/128")); // nine sizes, 16 to 256 pixels
        for (const QString& name : dir.entryList({QStringLiteral("*.png")}, QDir::Files))
            eager.addFile(dir.filePath(name));
        QCOMPARE(lazy.availableSizes().size(), 9);
        for (int side : asked) {
            const QSize size(side, side);
            QCOMPARE(lazy.actualSize(size), eager.actualSize(size));
            QCOMPARE(lazy.pixmap(size, ratio).toImage(), eager.pixmap(size, ratio).toImage());
            QCOMPARE(lazy.pixmap(size, QIcon::Disabled).toImage(),
                     eager.pixmap(size, QIcon::Disabled).toImage());
        }
        QCOMPARE(lazy.availableSizes().size(), 9);
    }
};

#include "ResourceModuleTest.moc"
DRIVO_TEST(ResourceModuleTest);
