#include "i18n/IconFiles.h"
#include "TestMain.h"

#include <QDir>
#include <QTest>

using namespace drivo;

namespace {

// The program's icon 128 in its built-in module: seven sizes, 16 to 256 pixels.
const QString kIconDir = QStringLiteral(":/drivo/icon/128");

// What a plain icon of every file, all decoded at once, gives.
QIcon EagerIcon() {
    QIcon icon;
    const QDir dir(kIconDir);
    for (const QString& name : dir.entryList({QStringLiteral("*.png")}, QDir::Files))
        icon.addFile(dir.filePath(name));
    return icon;
}

} // namespace

class IconFilesTest : public QObject {
    Q_OBJECT
private slots:
    // Decoding on demand must not change which picture a size gets, nor its pixels, whatever
    // was asked before.
    void sameSizesAndPixelsAsAllDecoded_data() {
        QTest::addColumn<QList<int>>("asked");
        QTest::newRow("exact sizes") << QList<int>{16, 32, 256};
        QTest::newRow("between sizes: next larger") << QList<int>{20, 40, 100};
        QTest::newRow("above the largest") << QList<int>{512};
        QTest::newRow("large first, then small") << QList<int>{256, 24, 17};
    }
    void sameSizesAndPixelsAsAllDecoded() {
        QFETCH(QList<int>, asked);
        const QIcon lazy = IconFromSizedFiles(kIconDir);
        const QIcon eager = EagerIcon();
        QCOMPARE(lazy.availableSizes().size(), 7);
        for (int side : asked) {
            const QSize size(side, side);
            QCOMPARE(lazy.actualSize(size), eager.actualSize(size));
            QCOMPARE(lazy.pixmap(size).toImage(), eager.pixmap(size).toImage());
            QCOMPARE(lazy.pixmap(size, QIcon::Disabled).toImage(),
                     eager.pixmap(size, QIcon::Disabled).toImage());
        }
        QCOMPARE(lazy.availableSizes().size(), 7);
    }

    void noFilesIsANullIcon() { QVERIFY(IconFromSizedFiles(QStringLiteral(":/none")).isNull()); }
};

#include "IconFilesTest.moc"
DRIVO_TEST(IconFilesTest);
