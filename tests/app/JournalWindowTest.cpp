// SPDX-License-Identifier: GPL-3.0-or-later
#include "AppTestSupport.h"
#include "TestMain.h"
#include "app/CJournalWindow.h"
#include "app/JournalPlot.h"
#include "app/ProfileCommands.h"

#include <QChartView>
#include <QLabel>
#include <QLineSeries>
#include <QTableWidget>

using namespace drivo;

Q_DECLARE_METATYPE(drivo::ProfileRefusal)

namespace {

const QByteArray kJournal = QByteArray(kJournalHeader.data(), kJournalHeader.size()) +
                            "\r\n2025-03-14T09:00:00,1500,2.00,200,400,600,800,1000,5,10,20,20,"
                            "20,1000,48,5000,1\r\n"
                            "2025-03-14T09:05:00,1400,2.50,,,,,,,,,,,,,,\r\n"
                            "half a line\r\n"
                            "2025-03-14T09:10:00,1300,3.00,200,400,600,800,1000,5,10,20,20,"
                            "20,1000,0,5000,0\r\n";

} // namespace

class JournalWindowTest : public QObject {
    Q_OBJECT
private slots:
    void listsTheFileNewestFirst_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("date");
        QTest::addColumn<bool>("greyed");
        QTest::addColumn<int>("loads"); // -1: refused with a message, 0: nothing to load
        QTest::newRow("newest: its 0 mm wheel refused")
            << 0 << "2025-03-14T09:10:00" << false << -1;
        QTest::newRow("unparsed: its text, greyed") << 1 << "half a line" << true << 0;
        QTest::newRow("nothing sent yet") << 2 << "2025-03-14T09:05:00" << false << 0;
        QTest::newRow("oldest loads its profile") << 3 << "2025-03-14T09:00:00" << false << 48;
    }
    void listsTheFileNewestFirst() {
        QFETCH(int, row);
        QFETCH(bool, greyed);
        QFETCH(int, loads);
        test::RecordingBoxes boxes;
        QTemporaryDir dir;
        const QString path = dir.filePath(kJournalFileName);
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write(kJournal) == kJournal.size());
        f.close();
        std::vector<RaceSettings> loaded;
        const QString exported = dir.filePath("copy.csv");
        CJournalWindow window(
            path.toStdString(), test::BuiltProgram(),
            [&](const RaceSettings& s) { loaded.push_back(s); }, nullptr,
            [&](QWidget*) { return exported; });
        QTableWidget* table = window.Table();
        QCOMPARE(table->rowCount(), 4);
        QTEST(table->item(row, 0)->text(), "date");
        QCOMPARE(table->item(row, 0)->foreground().color() ==
                     window.palette().color(QPalette::Disabled, QPalette::Text),
                 greyed);
        const auto* plot = qobject_cast<QChartView*>(window.Plot());
        QVERIFY(plot);
        for (QAbstractSeries* series : plot->chart()->series())
            QCOMPARE(static_cast<QLineSeries*>(series)->count(), 3);

        table->selectRow(row);
        window.LoadSelected();
        QCOMPARE(loaded.size(), std::size_t(loads > 0));
        QCOMPARE(boxes.Boxes.size(), qsizetype(loads < 0));
        if (loads > 0)
            QCOMPARE(loaded[0].WheelDiam, loads);
        window.Export();
        QFile copy(exported);
        QVERIFY(copy.open(QIODevice::ReadOnly));
        QCOMPARE(copy.readAll(), kJournal);
    }

    // The plot's module beside the program (a build tree), installed with it, or missing: the
    // lines are listed in every case, and without a plot its place says why.
    void findsItsPlot_data() {
        QTest::addColumn<QString>(
            "module"); // copied from the build to there, under the program's folder
        QTest::addColumn<bool>("plotted");
        QTest::newRow("beside") << "bin/drivo-journal-plot.so" << true;
        QTest::newRow("installed") << "installed" << true;
        QTest::newRow("missing") << "" << false;
        QTest::newRow("not a module") << "bin/drivo-journal-plot.so:broken" << false;
    }
    void findsItsPlot() {
        QFETCH(QString, module);
        QFETCH(bool, plotted);
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("bin")));
        const QString program = dir.filePath(QStringLiteral("bin/drivo"));
        const QString installed = JournalPlotModuleFor(program);
        QVERIFY(installed.startsWith(dir.path() + u'/') &&
                installed.endsWith(QStringLiteral("/drivo/drivo-journal-plot.so")));
        const QString to =
            module == "installed" ? installed : dir.filePath(module.section(u':', 0, 0));
        if (!module.isEmpty()) {
            QVERIFY(QDir().mkpath(QFileInfo(to).path()));
            QFile copy(to);
            QVERIFY(module.endsWith(QStringLiteral(":broken"))
                        ? copy.open(QIODevice::WriteOnly) && copy.write("no ELF") == 6
                        : QFile::copy(QFileInfo(test::BuiltProgram())
                                          .dir()
                                          .filePath(QStringLiteral("drivo-journal-plot.so")),
                                      to));
        }
        CJournalWindow window(dir.filePath(kJournalFileName).toStdString(), program, {});
        QCOMPARE(window.Table()->rowCount(), 0);
        if (plotted) {
            QVERIFY(qobject_cast<QChartView*>(window.Plot()));
            return;
        }
        const auto* why = qobject_cast<QLabel*>(window.Plot());
        QVERIFY(why);
        QVERIFY2(why->text().startsWith(QStringLiteral("Graphique indisponible : ")) &&
                     why->text().size() > 30,
                 qPrintable(why->text()));
    }

    void profileMessages_data() {
        QTest::addColumn<ProfileRefusal>("refusal");
        QTest::addColumn<QString>("text");
        QTest::newRow("key") << ProfileRefusal{"Time3", "399", 400, 4000, {}}
                             << "Profil p.ini non ouvert : Time3 vaut « 399 », il faut un entier "
                                "entre 400 et 4000.";
        QTest::newRow("file") << ProfileRefusal{{}, {}, 0, 0, "Is a directory"}
                              << "Profil p.ini non ouvert : Is a directory.";
    }
    void profileMessages() {
        QFETCH(ProfileRefusal, refusal);
        QTEST(ProfileRefusalText(QStringLiteral("p.ini"), refusal), "text");
        QCOMPARE(WithIniSuffix(QStringLiteral("a.INI")), QStringLiteral("a.INI"));
        QCOMPARE(WithIniSuffix(QStringLiteral("a.ini.txt")), QStringLiteral("a.ini.txt.ini"));
    }
};

#include "JournalWindowTest.moc"
DRIVO_TEST(JournalWindowTest);
