// Every language bundle the build makes holds everything a lookup may ask for after a
// switch, and its format texts take the same arguments as the built-in French ones.
#include "TestMain.h"
#include "i18n/ResourceModule.h"
#include "i18n/StringIds.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QTest>

using namespace drivo;

namespace {

// The conversions of a text in order, by kind: "int", "real", "%1" .. "%9", or the
// conversion as written when it is anything else.
QStringList Conversions(const QString& text) {
    static const QRegularExpression conversion(
        QStringLiteral("%(%|[1-9]|[-+ #0]*[0-9]*(?:\\.[0-9]*)?[hlLqjzt]*[A-Za-z])"));
    QStringList kinds;
    for (const QRegularExpressionMatch& m : conversion.globalMatch(text)) {
        const QString c = m.captured(1);
        if (c == u"%")
            continue;
        if (c.size() == 1 && c[0].isDigit())
            kinds << '%' + c;
        else if (c.endsWith(u'd') || c.endsWith(u'i'))
            kinds << QStringLiteral("int");
        else if (QStringView(u"fFeEgG").contains(c.back()))
            kinds << QStringLiteral("real");
        else
            kinds << m.captured(0);
    }
    return kinds;
}

} // namespace

class BundleContentTest : public QObject {
    Q_OBJECT
private slots:
    void bundleIsComplete_data() {
        QTest::addColumn<QString>("bundle");
        const QStringList bundles = QStringLiteral(DRIVO_TEST_BUNDLES).split(u'|');
        QVERIFY(bundles.size() >= 2); // English and German at least
        for (const QString& path : bundles)
            QTest::newRow(qPrintable(QFileInfo(path).fileName())) << path;
    }
    void bundleIsComplete() {
        QFETCH(QString, bundle);
        const ResourceModule french;
        ResourceModule module;
        QVERIFY(module.LoadBundle(bundle));
        QCOMPARE(Conversions(french.LoadResourceString(IDS_CHART_STATUS)),
                 QStringList({"int", "int"}));
        for (int id : kStringIds) {
            const QString text = module.LoadResourceString(id);
            const QString builtIn = french.LoadResourceString(id);
            QVERIFY2(!text.isEmpty() && !builtIn.isEmpty(),
                     qPrintable(QStringLiteral("string %1 missing").arg(id)));
            QVERIFY2(Conversions(text) == Conversions(builtIn),
                     qPrintable(QStringLiteral("string %1: \"%2\"").arg(id).arg(text)));
        }
        QCOMPARE(module.LoadResourceString(IDS_DEFAULTS_WARNING).count(u'\n'), 1);
        QVERIFY(!module.LoadDialogTemplate(100).isEmpty());
        QVERIFY(!module.LoadIcon(128).isNull());
        // The picture is in every bundle as soon as the program has one.
        QCOMPARE(module.LoadBinary(143).isEmpty(), french.LoadBinary(143).isEmpty());
    }
};

#include "BundleContentTest.moc"
DRIVO_TEST(BundleContentTest);
