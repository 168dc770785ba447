// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/FrameworkTexts.h"
#include "TestMain.h"

#include <QTest>

using namespace drivo;

// The framework's own texts follow the system's language, not the window's.
class FrameworkTextsTest : public QObject {
    Q_OBJECT
private slots:
    void followTheSystemLanguage_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("parse");
        QTest::addColumn<QString>("range");
        QTest::addColumn<QString>("cancel"); // the message box button, through Qt's translations
        QTest::newRow("French (France)") << "fr_FR"
                                         << "Veuillez entrer un entier."
                                         << "Veuillez entrer un entier compris entre -5 et 400."
                                         << "Annuler";
        QTest::newRow("English") << "en_US"
                                 << "Please enter an integer."
                                 << "Please enter an integer between -5 and 400."
                                 << "Cancel";
        QTest::newRow("German") << "de_DE"
                                << "Bitte geben Sie eine ganze Zahl ein."
                                << "Bitte geben Sie eine ganze Zahl zwischen -5 und 400 ein."
                                << "Abbrechen";
    }
    void followTheSystemLanguage() {
        QFETCH(QString, locale);
        const QLocale system(locale);
        QTEST(ParseIntMessage(system), "parse");
        QTEST(RangeIntMessage(-5, 400, system), "range");
        const std::unique_ptr<QTranslator> toolkit = LoadToolkitTranslations(system);
        if (toolkit)
            QCoreApplication::installTranslator(toolkit.get());
        const QString cancel = QCoreApplication::translate("QPlatformTheme", "Cancel");
        if (toolkit)
            QCoreApplication::removeTranslator(toolkit.get());
        QTEST(cancel, "cancel");
    }
};

#include "FrameworkTextsTest.moc"
DRIVO_TEST(FrameworkTextsTest);
