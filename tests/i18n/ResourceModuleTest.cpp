#include "TestMain.h"
#include "i18n/ResourceModule.h"
#include "i18n/StringIds.h"

#include <QTemporaryDir>
#include <QTest>

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
    return f.open(QIODevice::WriteOnly) && f.write(content) == content.size() ? f.fileName() : QString();
}

} // namespace

class ResourceModuleTest : public QObject {
    Q_OBJECT
private slots:
    void refusesFilesThatAreNotBundles_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("text") << QByteArray("not a bundle at all");
        QTest::newRow("header, offsets beyond the end")
            << QByteArray::fromHex("7172657300000003000000ff000000ff000000ff00000000");
    }
    void refusesFilesThatAreNotBundles() {
        QFETCH(QByteArray, content);
        QTemporaryDir dir;
        ResourceModule module;
        QVERIFY(!module.LoadBundle(WriteBundle(dir, content)));
        QVERIFY(!module.LoadBundle("/nonexistent/drivoENU.rcc"));
        QVERIFY(!module.HasBundle());
        QCOMPARE(module.Root(), QStringLiteral(":/drivo"));
        QVERIFY(module.LoadBitmap(1).isNull() && module.LoadIcon(1).isNull()); // missing items
        QVERIFY(module.LoadDialogTemplate(1).isEmpty() && module.LoadBinary(1).isEmpty());
    }

    void bundleSwitchesTheLanguageAndReleaseGoesBack() {
        ResourceModule module;
        QVERIFY(module.LoadBundle(QStringLiteral(DRIVO_TEST_BUNDLE_ENU)));
        QCOMPARE(module.LoadResourceString(IDS_LANGUAGE_GROUP), QStringLiteral("Language"));
        module.ReleaseBundle();
        QVERIFY(!module.HasBundle());
        QCOMPARE(module.LoadResourceString(IDS_LANGUAGE_GROUP), QStringLiteral("Langue"));
        QVERIFY(module.LoadBundle(QStringLiteral(DRIVO_TEST_BUNDLE_ENU))); // and loads again
        QCOMPARE(module.LoadResourceString(IDS_LANGUAGE_GROUP), QStringLiteral("Language"));
    }

    void idsTheBundleLacksAreEmptyWithoutFallback() {
        ResourceModule module;
        QVERIFY(module.LoadBundle(QStringLiteral(DRIVO_TEST_BUNDLE_PARTIAL)));
        QCOMPARE(module.LoadResourceString(IDS_CHART_STATUS), kChartStatusEnu);
        QVERIFY(module.LoadResourceString(IDS_LANGUAGE_GROUP).isEmpty());
        // A refused bundle keeps the current one.
        QTemporaryDir dir;
        QVERIFY(!module.LoadBundle(WriteBundle(dir, RealBundle().left(100))));
        QCOMPARE(module.LoadResourceString(IDS_CHART_STATUS), kChartStatusEnu);
    }

    void truncatedCopiesAreRefused() {
        const QByteArray bundle = RealBundle();
        QVERIFY(bundle.size() > 100);
        QTemporaryDir dir;
        ResourceModule module;
        for (qsizetype length = 0; length < bundle.size(); ++length)
            QVERIFY2(!module.LoadBundle(WriteBundle(dir, bundle.left(length))), qPrintable(QString::number(length)));
        QVERIFY(!module.HasBundle());
        QVERIFY(module.LoadBundle(WriteBundle(dir, bundle)));
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
};

#include "ResourceModuleTest.moc"
DRIVO_TEST(ResourceModuleTest);
