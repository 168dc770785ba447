#include "TestMain.h"
#include "i18n/ResourceModule.h"
#include "i18n/SafeFormat.h"
#include "i18n/StringIds.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>

using namespace drivo;

class StringTableTest : public QObject {
    Q_OBJECT
private slots:
    // The built-in French texts, exact, and formatted as the program formats them.
    void builtInTexts_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        const ResourceModule m;
        const auto row = [&m](const char* name, int id, const char* expected) {
            QTest::newRow(name) << m.LoadResourceString(id) << QString(expected);
        };
        row("1068 two lines, two spaces, final space", IDS_DEFAULTS_WARNING,
            "Attention, paramètres par défaut actuellement chargés.\nImportant -  Respectez le temps "
            "de pause de 30s entre chaque test & course ");
        row("1030 without accent", IDS_BATTERY_LOADING, "Chargement de l'etat de la batterie...");
        row("1047", IDS_CHART_STATUS, "Intensité %d%% Durée %dms.");
        row("1064", IDS_MAX_SPEED, "Vitesse maximum: %0.02f m/s");
        row("1066", IDS_CHART_TITLE, "I en %");
        row("1067", IDS_RANGE_MESSAGE, "Entrez un entier entre %1 et %2.");
        row("1042 does not exist", 1042, "");
        const auto text = [&m](int id) { return m.LoadResourceString(id); };
        QTest::newRow("1047 with 40, 250") << FormatChartStatus(text(IDS_CHART_STATUS), 40, 250) << "Intensité 40% Durée 250ms.";
        QTest::newRow("1067 with 0, 400") << FormatRangeMessage(text(IDS_RANGE_MESSAGE), 0, 400) << "Entrez un entier entre 0 et 400.";
        QTest::newRow("1035") << FormatRaceTimeLoaded(text(IDS_RACETIME_LOADED), 1234) << "Temps de course chargé (1234).";
        QTest::newRow("1064 two decimals, point") << FormatMaxSpeed(text(IDS_MAX_SPEED), 3.14159) << "Vitesse maximum: 3.14 m/s";
        // Numbered placeholders take only their own argument.
        QTest::newRow("reversed") << FormatRangeMessage("%2 à %1", 0, 400) << "400 à 0";
        QTest::newRow("missing argument stays") << FormatRangeMessage("%3 %1 %9", 0, 400) << "%3 0 %9";
        QTest::newRow("printf conversions stay") << FormatRangeMessage("%s %d %n %1", 0, 400) << "%s %d %n 0";
        QTest::newRow("%10 is %1 then 0") << FormatRangeMessage("%10", 0, 400) << "00";
    }
    void builtInTexts() {
        QFETCH(QString, text);
        QTEST(text, "expected");
    }

    void tableHoldsExactlyTheNamedIds() {
        QFile f(QStringLiteral(DRIVO_TEST_STRINGS_JSON));
        QVERIFY(f.open(QIODevice::ReadOnly));
        QList<int> keys;
        for (const QString& key : QJsonDocument::fromJson(f.readAll()).object().keys())
            keys << key.toInt();
        std::sort(keys.begin(), keys.end());
        QCOMPARE(keys, QList<int>(std::begin(kStringIds), std::end(kStringIds)));
    }

    // Texts from a bundle are data: conversions that do not fit the arguments stay literal.
    void bundleTextsCannotInjectConversions_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("chartStatus"); // formatted with 40 and 250
        QTest::addColumn<QString>("maxSpeed");    // formatted with 2.5
        QTest::newRow("strings and a write-back") << "%s%s%n" << "%s%s%n" << "%s%s%n";
        QTest::newRow("one conversion too many") << "%d %d %d" << "40 250 %d" << "%d %d %d";
        QTest::newRow("real where an integer is due") << "%f|%d" << "%f|250" << "2.500000|%d";
        QTest::newRow("star width") << "%*d" << "%*d" << "%*d";
        QTest::newRow("huge width") << "%999999999d" << "%999999999d" << "%999999999d";
        QTest::newRow("long integer, flags and width") << "%ld|%-4d|" << "40|250 |" << "%ld|%-4d|";
        QTest::newRow("unfinished at the end") << "50%" << "50%" << "50%";
        QTest::newRow("percent escapes") << "%d%%%%" << "40%%" << "%d%%";
    }
    void bundleTextsCannotInjectConversions() {
        QFETCH(QString, text);
        QTEST(FormatChartStatus(text, 40, 250), "chartStatus");
        QTEST(FormatMaxSpeed(text, 2.5), "maxSpeed");
    }
};

#include "StringTableTest.moc"
DRIVO_TEST(StringTableTest);
