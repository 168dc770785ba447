// The window menu's profile commands and the race journal, through the main window and the
// demo's car panel.
#include "AppTestSupport.h"
#include "TestMain.h"
#include "demo/CCarPanel.h"
#include "demo/DemoWiring.h"
#include "settings/RaceJournal.h"

#include <QChart>
#include <QLineEdit>
#include <QLineSeries>
#include <QTableWidget>

using namespace drivo;
using namespace drivo::test;

namespace {

// The window's profile dialogs answer with path; the save dialog counts its questions.
struct ProfileWindow : MainWindow<> {
    QString path = QDir::current().filePath("profil.ini");
    int saveAsked = 0;
    ProfileWindow() {
        dialog->SetProfileDialogs([this](QWidget*) { return ++saveAsked, path; },
                                  [this](QWidget*) { return path; });
    }
    QLineEdit* Field(int id) const { return dialog->Item<QLineEdit>(id); }
    // A menu key pressed in a field.
    void Press(int field, Qt::Key key) const {
        QTest::keyClick(Field(field), key, Qt::ControlModifier);
    }
    const RaceSettings& Record() const { return dialog->Controller().Settings(); }
};

void Write(const QString& path, const QByteArray& text) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(text);
}

} // namespace

class ProfileJournalTest : public QObject {
    Q_OBJECT
private slots:
    // A stage end time dragged after the save comes back into the record, its field and the
    // chart when the profile is opened.
    void savedProfileOpensAgain() {
        ProfileWindow w;
        w.Field(1035)->setText("650"); // typed, taken by the save
        w.Press(1035, Qt::Key_S);
        w.dialog->Chart().OwnerHooks().onStageTimeDragged(2, 700);
        w.dialog->Chart().OwnerHooks().onStageValueDragged(2, 90);
        QCOMPARE(w.Field(1035)->text(), QStringLiteral("700"));
        w.Press(1039, Qt::Key_O);
        QCOMPARE(w.Record().Time[2], 650);
        QCOMPARE(w.Record().Value[2], 20);
        QCOMPARE(w.Field(1035)->text(), QStringLiteral("650"));
        QCOMPARE(w.dialog->Chart().GetBarEndTime(2), 650.0);
        QCOMPARE(w.dialog->Chart().GetBarValue(2), 20.0);
        QVERIFY(w.boxes.Boxes.isEmpty());
    }

    void refusalChangesNothing_data() {
        QTest::addColumn<QByteArray>("from");
        QTest::addColumn<QByteArray>("to");
        QTest::addColumn<Qt::Key>("key");
        QTest::addColumn<QString>("named"); // in the one box
        QTest::addColumn<int>("saveAsked");
        QTest::newRow("open: stage times not rising")
            << QByteArray("Time3=600") << QByteArray("Time3=100") << Qt::Key_O
            << QStringLiteral("Time3") << 1;
        QTest::newRow("open: a key missing") << QByteArray("TimeMax=") << QByteArray("Other=")
                                             << Qt::Key_O << QStringLiteral("TimeMax") << 1;
        QTest::newRow("open: a directory") << QByteArray() << QByteArray("<dir>") << Qt::Key_O
                                           << QStringLiteral("profil.ini") << 1;
        QTest::newRow("save: a refused field")
            << QByteArray() << QByteArray("5000") << Qt::Key_S << QStringLiteral("400") << 1;
        QTest::newRow("save: an unwritable place")
            << QByteArray() << QByteArray("<nodir>") << Qt::Key_S
            << QStringLiteral("nowhere/profil.ini") << 2;
    }
    void refusalChangesNothing() {
        QFETCH(QByteArray, from);
        QFETCH(QByteArray, to);
        QFETCH(Qt::Key, key);
        ProfileWindow w;
        w.Press(1039, Qt::Key_S);
        QFile file(w.path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray saved = file.readAll();
        file.close();
        if (!from.isEmpty())
            Write(w.path, QByteArray(saved).replace(from, to));
        if (to == "<dir>") {
            QVERIFY(file.remove());
            QVERIFY(QDir().mkdir(w.path));
        } else if (to == "<nodir>") {
            w.path = QDir::current().filePath("nowhere/profil.ini");
        } else if (to == "5000") {
            w.Field(1032)->setText("5000");
        }
        const RaceSettings before = w.Record();
        w.Press(1035, key);
        QCOMPARE(w.boxes.Boxes.size(), 1);
        QFETCH(QString, named);
        QVERIFY2(w.boxes.Boxes[0].contains(named), qPrintable(w.boxes.Boxes[0]));
        QTEST(w.saveAsked, "saveAsked"); // a refused field asks for no file
        if (key == Qt::Key_O)            // a refused field keeps what it took, as for Send
            QVERIFY(w.Record().Time == before.Time && w.Record().Value == before.Value);
    }

    // Two races with two profiles sent, their results read (the second read of one race
    // twice): two lines, listed by the journal window the menu key opens. A journal that
    // cannot be written is said once in pane 0.
    void racesGoIntoTheJournal_data() {
        QTest::addColumn<bool>("writable");
        QTest::newRow("writable") << true;
        QTest::newRow("a directory in its place") << false;
    }
    void racesGoIntoTheJournal() {
        QFETCH(bool, writable);
        CarWindow w;
        const std::shared_ptr<void> attachment = AttachDemoCar(w.car, *w.dialog);
        QPushButton* run = nullptr;
        for (auto* b : w.dialog->findChild<CCarPanel*>()->findChildren<QPushButton*>())
            if (b->text() == QStringLiteral("Run a race"))
                run = b;
        QVERIFY(run);
        if (!writable)
            QVERIFY(QDir().mkdir(kJournalFileName));
        for (int stage3 : {600, 700}) {
            w.dialog->Chart().OwnerHooks().onStageTimeDragged(2, stage3);
            w.Click(ctl::kSend);
            QVERIFY(w.Outcomes(1));
            run->click();
            for (int read = 0; read < 2; ++read) {
                w.Click(ctl::kRaceInfo);
                QVERIFY(w.Outcomes(1));
                const bool said = !writable && stage3 == 600 && read == 0;
                QCOMPARE(w.Pane0().contains(kJournalFileName), said);
            }
        }
        if (!writable)
            return;
        const JournalRead journal = ReadJournal(kJournalFileName);
        QCOMPARE(journal.Lines.size(), size_t(2));
        for (size_t i = 0; i < 2; ++i)
            QCOMPARE(journal.Lines[i].Entry->Profile->Time[2], i == 0 ? 600 : 700);

        QTest::keyClick(w.dialog.get(), Qt::Key_J, Qt::ControlModifier);
        QTest::keyClick(w.dialog.get(), Qt::Key_J, Qt::ControlModifier);
        const auto windows = w.dialog->findChildren<CJournalWindow*>();
        QCOMPARE(windows.size(), 1);
        QVERIFY(windows[0]->isVisible());
        QCOMPARE(windows[0]->Table()->rowCount(), 2);
        QCOMPARE(qobject_cast<QLineSeries*>(windows[0]->Chart()->series().at(0))->count(), 2);
        windows[0]->Table()->selectRow(1); // newest first: the first race
        windows[0]->LoadSelected();
        QCOMPARE(w.dialog->Controller().Settings().Time[2], 600);
        QCOMPARE(w.dialog->Chart().GetBarEndTime(2), 600.0);
    }
};

#include "ProfileJournalTest.moc"
DRIVO_TEST(ProfileJournalTest);
