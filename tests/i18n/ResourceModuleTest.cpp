#include "TestMain.h"
#include "i18n/ResourceModule.h"

#include <QTemporaryDir>
#include <QTest>

using drivo::ResourceModule;

class ResourceModuleTest : public QObject {
    Q_OBJECT
private slots:
    void refusesFilesThatAreNotBundles_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("text") << QByteArray("not a bundle at all");
        QTest::newRow("magic only") << QByteArray("qres");
        QTest::newRow("header, offsets beyond the end")
            << QByteArray::fromHex("7172657300000003000000ff000000ff000000ff00000000");
    }
    void refusesFilesThatAreNotBundles() {
        QFETCH(QByteArray, content);
        QTemporaryDir dir;
        const QString path = dir.filePath("drivoENU.rcc");
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(content);
        f.close();
        ResourceModule module;
        QVERIFY(!module.LoadBundle(path));
        QVERIFY(!module.HasBundle());
        QCOMPARE(module.Root(), QStringLiteral(":/drivo"));
    }
    void missingBundleFileIsRefused() {
        ResourceModule module;
        QVERIFY(!module.LoadBundle("/nonexistent/drivoENU.rcc"));
        QVERIFY(!module.HasBundle());
    }
    void missingItemsAreEmpty() {
        ResourceModule module;
        QVERIFY(module.LoadResourceString(1042).isEmpty());
        QVERIFY(module.LoadBitmap(1).isNull());
        QVERIFY(module.LoadIcon(1).isNull());
        QVERIFY(module.LoadDialogTemplate(1).isEmpty());
        QVERIFY(module.LoadBinary(1).isEmpty());
    }
};

#include "ResourceModuleTest.moc"
DRIVO_TEST(ResourceModuleTest);
