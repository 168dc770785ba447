// SPDX-License-Identifier: GPL-3.0-or-later
#include "i18n/LanguageTable.h"
#include "TestMain.h"
#include "i18n/UserLanguage.h"

#include <QTest>

using namespace drivo;

namespace {
QString Latin1(std::string_view text) {
    return QString::fromLatin1(text.data(), qsizetype(text.size()));
}
} // namespace

class LanguageTableTest : public QObject {
    Q_OBJECT
private slots:
    void localesMapToLanguageIds_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<int>("id");
        QTest::addColumn<QString>("abbreviation"); // empty: no bundle to look for
        QTest::newRow("fr_FR") << "fr_FR" << 0x040C << "FRA";
        QTest::newRow("en_US") << "en_US" << 0x0409 << "ENU";
        QTest::newRow("de_DE") << "de_DE" << 0x0407 << "DEU";
        QTest::newRow("es_ES, modern sort") << "es_ES" << 0x0C0A << "ESN";
        QTest::newRow("sr_RS, Croatian's primary id") << "sr_RS" << 0x281A << "SRO";
        QTest::newRow("C locale: American English") << "C" << 1033 << "ENU";
        QTest::newRow("known language, other territory: the language")
            << "de_BE" << 0x0007 << "DEU";
        QTest::newRow("other territory of a language sharing a primary id")
            << "sr_XK" << 1024 << "";
        QTest::newRow("language without a platform id") << "jv_ID" << 1024 << "";
    }
    void localesMapToLanguageIds() {
        QFETCH(QString, locale);
        QFETCH(int, id);
        QCOMPARE(int(LanguageIdOfLocale(QLocale(locale))), id);
        QTEST(Latin1(LanguageAbbreviation(std::uint16_t(id)).value_or("")), "abbreviation");
    }

    void tableIsConsistent() {
        // Each id, abbreviation and language/country pair once; a language keeps one primary
        // id (the flags rely on 12 and 9); every row is reached from Qt's locale of its codes.
        const auto table = LanguageTable();
        for (std::size_t i = 0; i < table.size(); ++i) {
            for (std::size_t j = i + 1; j < table.size(); ++j) {
                QVERIFY(table[i].Id != table[j].Id);
                QVERIFY(table[i].Abbreviation != table[j].Abbreviation);
                QVERIFY(table[i].Language != table[j].Language ||
                        table[i].Country != table[j].Country);
                if (table[i].Language == table[j].Language)
                    QCOMPARE(PrimaryLanguage(table[i].Id), PrimaryLanguage(table[j].Id));
            }
            const QString name = Latin1(table[i].Language) + "_" + Latin1(table[i].Country);
            QVERIFY2(LanguageIdOfLocale(QLocale(name)) == table[i].Id, qPrintable(name));
        }
        QCOMPARE(PrimaryLanguage(1036), kPrimaryFrench);
        QCOMPARE(LanguageIdFromCodes("FR", "be"), std::uint16_t(2060));
    }

    void bundlePathReplacesTheProgramsExtension_data() {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("abbreviation");
        QTest::addColumn<QString>("bundle");
        const auto row = [](const char* name, const char* program, const char* abbr,
                            const char* bundle) {
            QTest::newRow(name) << QString(program) << QString(abbr) << QString(bundle);
        };
        row("no extension", "/opt/drivo/drivo", "ENU", "/opt/drivo/drivoENU.rcc");
        row("extension replaced", "C:/Tools/Drivo.exe", "FRA", "C:/Tools/DrivoFRA.rcc");
        row("last dot only", "/x/drivo.bin.exe", "ENG", "/x/drivo.binENG.rcc");
        row("bare name", "drivo", "ENU", "drivoENU.rcc");
    }
    void bundlePathReplacesTheProgramsExtension() {
        QFETCH(QString, program);
        QFETCH(QString, abbreviation);
        QTEST(QString::fromStdString(
                  LanguageBundlePath(program.toStdString(), abbreviation.toStdString())),
              "bundle");
    }
};

#include "LanguageTableTest.moc"
DRIVO_TEST(LanguageTableTest);
