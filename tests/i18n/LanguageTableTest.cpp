#include "TestMain.h"
#include "i18n/LanguageTable.h"
#include "i18n/UserLanguage.h"

#include <QTest>

using namespace drivo;

class LanguageTableTest : public QObject {
    Q_OBJECT
private slots:
    void localesMapToLanguageIds_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<int>("id"); // -1: the query fails
        QTest::addColumn<QString>("abbreviation");
        QTest::newRow("fr_FR") << "fr_FR" << 1036 << "FRA";
        QTest::newRow("fr_BE") << "fr_BE" << 2060 << "FRB";
        QTest::newRow("fr_CA") << "fr_CA" << 3084 << "FRC";
        QTest::newRow("fr_CH") << "fr_CH" << 4108 << "FRS";
        QTest::newRow("en_US") << "en_US" << 1033 << "ENU";
        QTest::newRow("en_GB") << "en_GB" << 2057 << "ENG";
        QTest::newRow("pt_BR") << "pt_BR" << 1046 << "PTB";
        QTest::newRow("unknown language") << "sw_KE" << -1 << "";
        QTest::newRow("unknown country of a known language") << "fr_SN" << -1 << "";
        QTest::newRow("C locale") << "C" << -1 << "";
    }
    void localesMapToLanguageIds() {
        QFETCH(QString, locale);
        QFETCH(int, id);
        const auto found = LanguageIdOfLocale(QLocale(locale));
        QCOMPARE(found ? int(*found) : -1, id);
        const auto abbr = LanguageAbbreviation(std::uint16_t(id)).value_or("");
        QTEST(QString::fromLatin1(abbr.data(), qsizetype(abbr.size())), "abbreviation");
    }

    void tableIsConsistent() {
        // Each id, abbreviation and language/country pair once; the id's primary language
        // matches the language code of its row (the flags rely on 12 and 9).
        const auto table = LanguageTable();
        for (std::size_t i = 0; i < table.size(); ++i) {
            for (std::size_t j = i + 1; j < table.size(); ++j) {
                QVERIFY(table[i].Id != table[j].Id);
                QVERIFY(table[i].Abbreviation != table[j].Abbreviation);
                QVERIFY(table[i].Language != table[j].Language || table[i].Country != table[j].Country);
                if (table[i].Language == table[j].Language)
                    QCOMPARE(PrimaryLanguage(table[i].Id), PrimaryLanguage(table[j].Id));
            }
            QCOMPARE(LanguageIdFromCodes(table[i].Language, table[i].Country), std::optional(table[i].Id));
        }
        QCOMPARE(PrimaryLanguage(1036), kPrimaryFrench);
        QCOMPARE(LanguageIdFromCodes("FR", "be"), std::optional<std::uint16_t>(2060));
    }

    void bundlePathReplacesTheProgramsExtension_data() {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("abbreviation");
        QTest::addColumn<QString>("bundle");
        QTest::newRow("no extension") << "/opt/drivo/drivo" << "ENU" << "/opt/drivo/drivoENU.rcc";
        QTest::newRow("extension replaced") << "C:/Tools/Drivo.exe" << "FRA" << "C:/Tools/DrivoFRA.rcc";
        QTest::newRow("last dot only") << "/x/drivo.bin.exe" << "ENG" << "/x/drivo.binENG.rcc";
        QTest::newRow("bare name") << "drivo" << "ENU" << "drivoENU.rcc";
    }
    void bundlePathReplacesTheProgramsExtension() {
        QFETCH(QString, program);
        QFETCH(QString, abbreviation);
        QTEST(QString::fromStdString(LanguageBundlePath(program.toStdString(), abbreviation.toStdString())), "bundle");
    }
};

#include "LanguageTableTest.moc"
DRIVO_TEST(LanguageTableTest);
