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
    void builtInTextsAreExact_data() {
        QTest::addColumn<int>("id");
        QTest::addColumn<QString>("text");
        QTest::newRow("1068 two lines, two spaces, final space")
            << IDS_DEFAULTS_WARNING
            << QString("Attention, paramètres par défaut actuellement chargés.\nImportant -  Respectez le temps "
                       "de pause de 30s entre chaque test & course ");
        QTest::newRow("1030 without accent") << IDS_BATTERY_LOADING << QString("Chargement de l'etat de la batterie...");
        QTest::newRow("1047") << IDS_CHART_STATUS << QString("Intensité %d%% Durée %dms.");
        QTest::newRow("1064") << IDS_MAX_SPEED << QString("Vitesse maximum: %0.02f m/s");
        QTest::newRow("1066") << IDS_CHART_TITLE << QString("I en %");
        QTest::newRow("1067") << IDS_RANGE_MESSAGE << QString("Entrez un entier entre %1 et %2.");
        QTest::newRow("1042 does not exist") << 1042 << QString();
    }
    void builtInTextsAreExact() {
        QFETCH(int, id);
        QFETCH(QString, text);
        QCOMPARE(ResourceModule().LoadResourceString(id), text);
    }

    void tableHoldsExactlyTheNamedIds() {
        QFile f(QStringLiteral(DRIVO_TEST_STRINGS_JSON));
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QJsonObject table = QJsonDocument::fromJson(f.readAll()).object();
        QStringList named;
        for (int id : kStringIds)
            named << QString::number(id);
        QStringList keys = table.keys();
        std::sort(keys.begin(), keys.end(), [](const QString& a, const QString& b) { return a.toInt() < b.toInt(); });
        QCOMPARE(keys, named);
    }

    void formatsTheTextsThatTakeArguments_data() {
        QTest::addColumn<QString>("formatted");
        QTest::addColumn<QString>("expected");
        const ResourceModule m;
        QTest::newRow("1047 with 40 and 250")
            << FormatChartStatus(m.LoadResourceString(IDS_CHART_STATUS), 40, 250) << QString("Intensité 40% Durée 250ms.");
        QTest::newRow("1067 with 0 and 400") << FormatRangeMessage(m.LoadResourceString(IDS_RANGE_MESSAGE), 0, 400)
                                             << QString("Entrez un entier entre 0 et 400.");
        QTest::newRow("1067 negative") << FormatRangeMessage(m.LoadResourceString(IDS_RANGE_MESSAGE), -1, 32000)
                                       << QString("Entrez un entier entre -1 et 32000.");
        QTest::newRow("1035") << FormatRaceTimeLoaded(m.LoadResourceString(IDS_RACETIME_LOADED), 1234)
                              << QString("Temps de course chargé (1234).");
        QTest::newRow("1064 two decimals, point") << FormatMaxSpeed(m.LoadResourceString(IDS_MAX_SPEED), 3.14159)
                                                  << QString("Vitesse maximum: 3.14 m/s");
    }
    void formatsTheTextsThatTakeArguments() {
        QFETCH(QString, formatted);
        QFETCH(QString, expected);
        QCOMPARE(formatted, expected);
    }

    // Texts from a bundle are data: conversions that do not fit the arguments stay literal.
    void bundleTextsCannotInjectConversions_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("chartStatus"); // formatted with 40 and 250
        QTest::addColumn<QString>("maxSpeed");    // formatted with 2.5
        QTest::newRow("strings and a write-back") << "%s%s%n" << "%s%s%n" << "%s%s%n";
        QTest::newRow("one conversion too many") << "%d %d %d" << "40 250 %d" << "%d %d %d";
        QTest::newRow("real where an integer is due") << "%f|%d" << "%f|250" << "2.500000|%d";
        QTest::newRow("integer where a real is due") << "%d m/s" << "40 m/s" << "%d m/s";
        QTest::newRow("star width") << "%*d" << "%*d" << "%*d";
        QTest::newRow("huge width") << "%999999999d" << "%999999999d" << "%999999999d";
        QTest::newRow("huge precision") << "%.99999f" << "%.99999f" << "%.99999f";
        QTest::newRow("short and char modifiers") << "%hd %hhd" << "%hd %hhd" << "%hd %hhd";
        QTest::newRow("long integer, flags and width") << "%ld|%-4d|" << "40|250 |" << "%ld|%-4d|";
        QTest::newRow("zero padding and precision") << "%05d %0.02f" << "00040 %0.02f" << "%05d %0.02f";
        QTest::newRow("unfinished at the end") << "50%" << "50%" << "50%";
        QTest::newRow("percent escapes") << "%d%%%%" << "40%%" << "%d%%";
        QTest::newRow("no conversions") << "plain" << "plain" << "plain";
    }
    void bundleTextsCannotInjectConversions() {
        QFETCH(QString, text);
        QFETCH(QString, chartStatus);
        QFETCH(QString, maxSpeed);
        QCOMPARE(FormatChartStatus(text, 40, 250), chartStatus);
        QCOMPARE(FormatMaxSpeed(text, 2.5), maxSpeed);
    }

    void numberedPlaceholdersTakeOnlyTheirArgument_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        QTest::newRow("reversed") << "%2 à %1" << "400 à 0";
        QTest::newRow("missing argument stays") << "%3 %1 %9" << "%3 0 %9";
        QTest::newRow("printf conversions stay") << "%s %d %n %1" << "%s %d %n 0";
        QTest::newRow("trailing percent") << "100%" << "100%";
        QTest::newRow("%10 is %1 then 0") << "%10" << "00";
    }
    void numberedPlaceholdersTakeOnlyTheirArgument() {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QCOMPARE(FormatRangeMessage(text, 0, 400), expected);
    }
};

#include "StringTableTest.moc"
DRIVO_TEST(StringTableTest);
