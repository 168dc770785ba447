// SPDX-License-Identifier: GPL-3.0-or-later
// The window menu's profile commands and the race journal, through the main window and the
// demo's car panel.
#include "AppTestSupport.h"
#include "TestMain.h"
#include "demo/CCarPanel.h"
#include "demo/DemoWiring.h"
#include "i18n/LanguageTable.h"

#include <QChartView>
#include <QLineEdit>
#include <QLineSeries>
#include <QTableWidget>

using namespace drivo;
using namespace drivo::test;

class ProfileJournalTest : public QObject {
    Q_OBJECT
private slots:
    // Saved (a typed field taken first), a stage dragged, the file edited as from, to, opened:
    // the saved profile comes back into the record, its field and the chart, or one box names
    // what is refused and nothing changes.
    void savedProfileOpensAgain_data() {
        QTest::addColumn<QByteArray>("from");
        QTest::addColumn<QByteArray>("to");
        QTest::addColumn<QString>("box"); // what the one box names; none when empty
        QTest::newRow("as saved") << QByteArray() << QByteArray() << QString();
        QTest::newRow("stage times not rising")
            << QByteArray("Time3=650") << QByteArray("Time3=100") << QStringLiteral("Time3");
        QTest::newRow("a key missing")
            << QByteArray("TimeMax=") << QByteArray("Other=") << QStringLiteral("TimeMax");
        QTest::newRow("a refused field: no file asked, none written")
            << QByteArray("5000") << QByteArray() << QStringLiteral("400");
    }
    void savedProfileOpensAgain() {
        QFETCH(QByteArray, from);
        QFETCH(QByteArray, to);
        QFETCH(QString, box);
        MainWindow<> w;
        const QString path = QDir::current().filePath("profil.ini");
        int asked = 0;
        w.dialog->Menu().SetProfileDialogs([&](QWidget*) { return ++asked, path; },
                                           [&](QWidget*) { return path; });
        const auto field = [&](int id) { return w.dialog->Item<QLineEdit>(id); };
        field(1035)->setText("650");
        if (from == "5000")
            field(1032)->setText("5000");
        QTest::keyClick(field(1035), Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(asked, from == "5000" ? 0 : 1);
        QFile file(path);
        if (file.exists() && file.open(QIODevice::ReadWrite) && !to.isEmpty()) {
            const QByteArray edited = file.readAll().replace(from, to);
            file.resize(0);
            file.write(edited);
        }
        file.close();
        w.dialog->Chart().OwnerHooks().onStageTimeDragged(2, 700);
        QCOMPARE(w.boxes.Boxes.size(), from == "5000" ? 1 : 0); // the field's own message
        w.boxes.Clear();
        const double chartBefore = w.dialog->Chart().GetBarEndTime(2);
        QTest::keyClick(field(1039), Qt::Key_O, Qt::ControlModifier);
        const int stage3 = box.isEmpty() ? 650 : 700;
        QCOMPARE(w.dialog->Controller().Settings().Time[2], stage3);
        QCOMPARE(field(1035)->text(), QString::number(stage3));
        QCOMPARE(w.dialog->Chart().GetBarEndTime(2), box.isEmpty() ? 650.0 : chartBefore);
        QCOMPARE(w.boxes.Boxes.size(), box.isEmpty() ? 0 : 1);
        if (!box.isEmpty() && from != "5000")
            QVERIFY2(w.boxes.Boxes[0].contains(box), qPrintable(w.boxes.Boxes[0]));
    }

    // Two races from the car panel with two profiles sent, each read twice: two lines, which
    // the journal window the menu key opens lists and loads. An unwritable journal is said once.
    void racesGoIntoTheJournal_data() {
        QTest::addColumn<bool>("writable");
        QTest::newRow("writable") << true;
        QTest::newRow("a directory in its place") << false;
    }
    void racesGoIntoTheJournal() {
        QFETCH(bool, writable);
        CarWindow w(true, UserLanguage(kLangFrenchFrance, BuiltProgram()));
        const std::shared_ptr<void> attachment = AttachDemoCar(w.car, *w.dialog);
        QPushButton* run = nullptr;
        for (auto* b : w.dialog->findChild<CCarPanel*>()->findChildren<QPushButton*>())
            run = b->text() == QStringLiteral("Run a race") ? b : run;
        QVERIFY(run && (writable || QDir().mkdir(kJournalFileName)));
        for (int stage3 : {600, 700}) {
            w.dialog->Chart().OwnerHooks().onStageTimeDragged(2, stage3);
            w.Click(ctl::kSend);
            QVERIFY(w.Outcomes(1));
            run->click();
            for (int read = 0; read < 2; ++read) {
                w.Click(ctl::kRaceInfo);
                QVERIFY(w.Outcomes(1));
                QCOMPARE(w.Pane0().contains(kJournalFileName), !writable && stage3 + read == 600);
            }
        }
        QTest::keyClick(w.dialog.get(), Qt::Key_J, Qt::ControlModifier);
        QTest::keyClick(w.dialog.get(), Qt::Key_J, Qt::ControlModifier);
        const auto windows = w.dialog->findChildren<CJournalWindow*>();
        QCOMPARE(windows.size(), 1);
        QCOMPARE(windows[0]->Table()->rowCount(), writable ? 2 : 0);
        if (!writable)
            return;
        const auto* plot = qobject_cast<QChartView*>(windows[0]->Plot());
        QVERIFY(plot);
        QCOMPARE(qobject_cast<QLineSeries*>(plot->chart()->series().at(0))->count(), 2);
        windows[0]->Table()->selectRow(1); // newest first: the first race
        windows[0]->LoadSelected();
        QCOMPARE(w.dialog->Controller().Settings().Time[2], 600);
        QCOMPARE(w.dialog->Chart().GetBarEndTime(2), 600.0);
    }
};

#include "ProfileJournalTest.moc"
DRIVO_TEST(ProfileJournalTest);
