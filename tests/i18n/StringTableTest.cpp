// SPDX-License-Identifier: GPL-3.0-or-later
// Every language bundle the build makes holds everything a lookup may ask for after a
// switch, and its format texts take the same arguments as the built-in French ones; the
// formatting of texts takes only the conversions it expects, whatever a bundle holds.
#include "TestMain.h"
#include "i18n/ResourceModule.h"
#include "i18n/SafeFormat.h"
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

class StringTableTest : public QObject {
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

    // The program's formatting of its texts (the chart's status, the speed and the range message
    // are seen in the chart and window suites); numbered placeholders take only their own argument.
    void formatting_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        const auto text = [](int id) { return ResourceModule().LoadResourceString(id); };
        QTest::newRow("1035") << FormatRaceTimeLoaded(text(IDS_RACETIME_LOADED), 1234)
                              << "Temps de course chargé (1234).";
        QTest::newRow("reversed") << FormatRangeMessage("%2 à %1", 0, 400) << "400 à 0";
        QTest::newRow("missing argument stays")
            << FormatRangeMessage("%3 %1 %9", 0, 400) << "%3 0 %9";
        QTest::newRow("printf conversions stay")
            << FormatRangeMessage("%s %d %n %1", 0, 400) << "%s %d %n 0";
        QTest::newRow("%10 is %1 then 0") << FormatRangeMessage("%10", 0, 400) << "00";
    }
    void formatting() {
        QFETCH(QString, text);
        QTEST(text, "expected");
    }

    // Texts from a bundle are data: conversions that do not fit the arguments stay literal.
    void bundleTextsCannotInjectConversions_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("chartStatus"); // formatted with 40 and 250
        QTest::addColumn<QString>("maxSpeed");    // formatted with 2.5
        const auto row = [](const char* name, const char* text, const char* chartStatus,
                            const char* maxSpeed) {
            QTest::newRow(name) << QString(text) << QString(chartStatus) << QString(maxSpeed);
        };
        row("strings and a write-back", "%s%s%n", "%s%s%n", "%s%s%n");
        row("one conversion too many", "%d %d %d", "40 250 %d", "%d %d %d");
        row("real where an integer is due", "%f|%d", "%f|250", "2.500000|%d");
        row("star width", "%*d", "%*d", "%*d");
        row("huge width", "%999999999d", "%999999999d", "%999999999d");
        row("long integer, flags and width", "%ld|%-4d|", "40|250 |", "%ld|%-4d|");
        row("unfinished at the end", "50%", "50%", "50%");
        row("percent escapes", "%d%%%%", "40%%", "%d%%");
    }
    void bundleTextsCannotInjectConversions() {
        QFETCH(QString, text);
        QTEST(FormatChartStatus(text, 40, 250), "chartStatus");
        QTEST(FormatMaxSpeed(text, 2.5), "maxSpeed");
    }
};

#include "StringTableTest.moc"
DRIVO_TEST(StringTableTest);
