#include "TestMain.h"
#include "i18n/ResourceModule.h"
#include "i18n/SafeFormat.h"
#include "i18n/StringIds.h"

#include <QTest>

using namespace drivo;

class StringTableTest : public QObject {
    Q_OBJECT
private slots:
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
