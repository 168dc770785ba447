#include "AppTestSupport.h"
#include "TestMain.h"
#include "app/ControlIds.h"
#include "i18n/ResourceModule.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>

using namespace drivo;
using drivo::test::RecordingBoxes;
using drivo::test::RecordingChart;

namespace {

const QString kFieldRange = QStringLiteral("Entrez un entier entre %1 et %2.");

struct Window {
    QStringList chart;
    std::unique_ptr<CMainDialog> dialog = std::make_unique<CMainDialog>();

    Window() {
        dialog->InstallChart(std::make_unique<RecordingChart>(chart));
        dialog->SetClock([] { return QTime(7, 5, 9); });
        dialog->Create();
        dialog->show();
        chart.clear();
    }
    QLineEdit* Field(int id) const { return dialog->Item<QLineEdit>(id); }
    // Types a text into a field and leaves the caret in it.
    void Type(int id, const QString& text) const {
        Field(id)->setFocus();
        Field(id)->setText(text);
    }
    QString Text(int id) const { return Field(id)->text(); }
};

const std::vector<int> kFields = {1032, 1034, 1035, 1036, 1037, 1044, 1039, 1040};

} // namespace

class MainDialogTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY(ResourceModule::Current().LoadBundle(DRIVO_APP_TEST_BUNDLE)); }
    void cleanupTestCase() { ResourceModule::Current().ReleaseBundle(); }
    void init() { pending::SavedSettingsLog().clear(); }

    void startsWithDefaultsAndCaretInRaceLength() {
        RecordingBoxes boxes;
        Window w;
        const QStringList shown = {"200", "400", "600", "800", "1000", "1000", "5000", "48"};
        for (size_t i = 0; i < kFields.size(); ++i)
            QCOMPARE(w.Text(kFields[i]), shown[int(i)]);
        QCOMPARE(w.dialog->focusWidget(), w.dialog->GetDlgItem(1039));
        QVERIFY(!w.dialog->Item<QCheckBox>(1072)->isChecked());
        QCOMPARE(w.dialog->Settings().ReturnMode, 0);
        QCOMPARE(w.dialog->Settings().Value[0], 5);
        QVERIFY(w.dialog->LanguageId() != 0);
        QVERIFY(boxes.Boxes.empty());
        QVERIFY(w.dialog->HasBackgroundBrush());
        QVERIFY(w.dialog->HasTimer(ctl::kClockTimer));
        QVERIFY(w.dialog->ToolTips() && w.dialog->ToolTips()->IsActive());
    }

    void statusBarPanesAndClock() {
        Window w;
        CStatusBar* bar = w.dialog->StatusBar();
        QVERIFY(bar);
        QCOMPARE(bar->PaneCount(), 2);
        QCOMPARE(bar->PaneId(0), 1028);
        QCOMPARE(bar->PaneId(1), 1029);
        QCOMPARE(bar->PaneWidth(0), w.dialog->width() - 100);
        QCOMPARE(bar->geometry().bottom(), w.dialog->height() - 1);
        QCOMPARE(bar->width(), w.dialog->width());
        w.dialog->OnTimer(ctl::kClockTimer);
        QCOMPARE(bar->PaneText(1), QStringLiteral("07:05:09"));
        QVERIFY(bar->PaneText(0).isEmpty());
    }

    void windowMenuEndsWithAbout() {
        Window w;
        const QList<QAction*> items = w.dialog->WindowMenu()->actions();
        QCOMPARE(items.size(), 2);
        QVERIFY(items[0]->isSeparator());
        QCOMPARE(items[1]->text(), QStringLiteral("&About Drivo..."));
        QCOMPARE(items[1]->data().toInt(), 16);
        QCOMPARE(w.dialog->QueryDragIcon().cacheKey(), w.dialog->windowIcon().cacheKey());
    }

    void enterTakesTheFieldAndNeverCloses() {
        RecordingBoxes boxes;
        Window w;
        w.Type(1034, "450");
        QTest::keyClick(w.Field(1034), Qt::Key_Return);
        QVERIFY(w.dialog->isVisible());
        QCOMPARE(w.dialog->Settings().Time[1], 450);
        QCOMPARE(w.chart, QStringList({"SetBarEndTime(1,450)", "Redraw"}));
        QCOMPARE(w.dialog->focusWidget(), w.Field(1034));
        QVERIFY(boxes.Boxes.empty());
        QVERIFY(pending::SavedSettingsLog().empty());
    }

    void enterElsewhereAndEscapeDoNothing() {
        RecordingBoxes boxes;
        Window w;
        auto* box = w.dialog->Item<QCheckBox>(1072);
        box->setFocus();
        QTest::keyClick(box, Qt::Key_Return);
        QTest::keyClick(box, Qt::Key_Escape);
        QTest::keyClick(w.Field(1039), Qt::Key_Escape);
        QVERIFY(w.dialog->isVisible());
        QVERIFY(w.chart.isEmpty());
        QVERIFY(pending::SavedSettingsLog().empty());
    }

    void leavingAFieldRunsItsHandler() {
        RecordingBoxes boxes;
        Window w;
        w.dialog->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w.dialog.get()));
        w.Type(1044, "3000");
        w.Field(1039)->setFocus(Qt::TabFocusReason);
        QCoreApplication::processEvents(); // the lost-focus notification is queued
        QCOMPARE(w.dialog->Settings().Time[5], 3000);
        QCOMPARE(w.chart, QStringList({"SetMaxTime(3000)", "Redraw"}));
    }

    void refusalMovingTheCaretBackAsksOnce() {
        RecordingBoxes boxes;
        Window w;
        w.dialog->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w.dialog.get()));
        w.Field(1032)->setFocus(Qt::TabFocusReason);
        QCoreApplication::processEvents(); // leaving 1039 takes the defaults: accepted
        QVERIFY(boxes.Boxes.empty());
        w.Field(1032)->setText("500");
        w.Field(1034)->setFocus(Qt::TabFocusReason);
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
        QCOMPARE(boxes.Boxes.size(), size_t(1));
        QCOMPARE(QApplication::focusWidget(), w.dialog->GetDlgItem(1032));
        QCOMPARE(w.Field(1032)->selectedText(), QStringLiteral("500"));
    }

    // Typing a value into one field and leaving it: the outcome of the whole exchange.
    void fieldValidation_data() {
        QTest::addColumn<QList<int>>("record"); // Time1..TimeMax set before typing
        QTest::addColumn<int>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("message"); // empty: accepted
        QTest::addColumn<int>("focusField");

        const QList<int> defaults = {200, 400, 600, 800, 1000, 1000};
        QTest::newRow("time1 above its neighbour") << defaults << 1032 << "500" << kFieldRange.arg(0).arg(400) << 1032;
        QTest::newRow("time2 between neighbours") << defaults << 1034 << "450" << "" << 1034;
        QTest::newRow("time2 below time1") << defaults << 1034 << "100" << kFieldRange.arg(200).arg(600) << 1034;
        const QList<int> late = {200, 400, 600, 800, 3500, 4000};
        QTest::newRow("time5 3500, max below it") << late << 1044 << "100" << "" << 1044;
        QTest::newRow("time5 3500, max 0") << late << 1044 << "0" << "" << 1044;
        QTest::newRow("time5 3500, max 4000") << late << 1044 << "4000" << "" << 1044;
        QTest::newRow("time5 3500, max 4001 (fixed limit)")
            << late << 1044 << "4001" << kRangeIntMessage.arg(0).arg(4000) << 1044;
        const QList<int> mid = {200, 400, 600, 800, 2500, 4000};
        QTest::newRow("time5 2500, max 2499") << mid << 1044 << "2499" << kFieldRange.arg(2500).arg(4000) << 1044;
        QTest::newRow("time5 2500, max 2500") << mid << 1044 << "2500" << "" << 1044;
        QTest::newRow("time5 2500, max 4000") << mid << 1044 << "4000" << "" << 1044;
        QTest::newRow("time5 2500, max 4001") << mid << 1044 << "4001" << kFieldRange.arg(2500).arg(4000) << 1044;
        QTest::newRow("race length 30001: second pass")
            << defaults << 1039 << "30001" << kRangeIntMessage.arg(0).arg(30000) << 1039;
        QTest::newRow("race length 32001: first pass")
            << defaults << 1039 << "32001" << kFieldRange.arg(0).arg(32000) << 1039;
        QTest::newRow("wheel 0") << defaults << 1040 << "0" << kFieldRange.arg(1).arg(1000) << 1040;
        QTest::newRow("empty time field") << defaults << 1035 << "" << kParseIntMessage << 1035;
        QTest::newRow("beyond 32 bits") << defaults << 1039 << "99999999999" << kParseIntMessage << 1039;
        // Neighbours out of order: the first pass does not check, the second does.
        const QList<int> unordered = {700, 800, 600, 800, 1000, 1000};
        QTest::newRow("unchecked neighbour, 4500") << unordered << 1035 << "4500" << kRangeIntMessage.arg(0).arg(4000) << 1035;
    }
    void fieldValidation() {
        QFETCH(QList<int>, record);
        QFETCH(int, field);
        QFETCH(QString, typed);
        QFETCH(QString, message);
        QFETCH(int, focusField);
        RecordingBoxes boxes;
        Window w;
        for (int i = 0; i < 6; ++i)
            w.dialog->Settings().Time[i] = record[i];
        w.dialog->UpdateData(false);
        w.Type(field, typed);
        QTest::keyClick(w.Field(field), Qt::Key_Return);
        if (message.isEmpty()) {
            QVERIFY(boxes.Boxes.empty());
            QCOMPARE(w.Text(field), typed);
            return;
        }
        QCOMPARE(boxes.Boxes.size(), size_t(1));
        QCOMPARE(boxes.Boxes[0].Text, message);
        QCOMPARE(boxes.Boxes[0].Icon, MessageIcon::Exclamation);
        QCOMPARE(w.dialog->focusWidget(), w.dialog->GetDlgItem(focusField));
        QCOMPARE(w.Field(focusField)->selectedText(), w.Text(focusField));
        QVERIFY(!w.chart.contains("Redraw"));
    }

    void failureKeepsEarlierValuesAndSkipsLaterFields() {
        RecordingBoxes boxes;
        Window w;
        w.Field(1032)->setText("300");
        w.Field(1035)->setText("9");   // below Time2: refused
        w.Field(1040)->setText("60");  // later field: not taken
        w.dialog->OnKillFocusTime(0);
        QCOMPARE(boxes.Boxes.size(), size_t(1));
        QCOMPARE(boxes.Boxes[0].Text, kFieldRange.arg(400).arg(800));
        QCOMPARE(w.dialog->Settings().Time[0], 300);
        QCOMPARE(w.dialog->Settings().Time[2], 9); // taken, then refused: stays
        QCOMPARE(w.dialog->Settings().WheelDiam, 48);
        QCOMPARE(w.dialog->focusWidget(), w.dialog->GetDlgItem(1035));
        QVERIFY(w.chart.isEmpty());
    }

    void returnBoxChangesOnlyWithAnExchange() {
        Window w;
        w.dialog->Item<QCheckBox>(1072)->setChecked(true);
        QCOMPARE(w.dialog->Settings().ReturnMode, 0);
        w.dialog->OnKillFocusWheelDiam();
        QCOMPARE(w.dialog->Settings().ReturnMode, 1);
    }

    void dragRewritesAllFields_data() {
        QTest::addColumn<bool>("time");
        QTest::addColumn<int>("index");
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("time3");
        QTest::addColumn<int>("value3");
        QTest::newRow("time truncated") << true << 2 << 655.9 << 655 << 20;
        QTest::newRow("value") << false << 2 << 42.7 << 600 << 42;
        QTest::newRow("index out of range") << true << 5 << 100.0 << 600 << 20;
        QTest::newRow("negative index") << false << -1 << 100.0 << 600 << 20;
        QTest::newRow("not a number") << true << 2 << std::nan("") << 600 << 20;
    }
    void dragRewritesAllFields() {
        QFETCH(bool, time);
        QFETCH(int, index);
        QFETCH(double, value);
        QFETCH(int, time3);
        QFETCH(int, value3);
        Window w;
        w.Field(1032)->setText("333"); // typed, not taken: lost
        w.Field(1039)->setText("7");
        if (time)
            w.dialog->OnStageTimeDragged(index, value);
        else
            w.dialog->OnStageValueDragged(index, value);
        QCOMPARE(w.dialog->Settings().Time[2], time3);
        QCOMPARE(w.dialog->Settings().Value[2], value3);
        QCOMPARE(w.Text(1035), QString::number(time3));
        QCOMPARE(w.Text(1032), QStringLiteral("200"));
        QCOMPARE(w.Text(1039), QStringLiteral("5000"));
    }

    void exitSavesThenCloses() {
        RecordingBoxes boxes;
        Window w;
        w.Field(1040)->setText("26");
        w.dialog->Item<QPushButton>(8)->click();
        QCOMPARE(pending::SavedSettingsLog().size(), size_t(1));
        QCOMPARE(pending::SavedSettingsLog()[0].Settings.WheelDiam, 48); // saved before the take
        QCOMPARE(w.dialog->Settings().WheelDiam, 26);
        QVERIFY(!w.dialog->isVisible());
        QCOMPARE(w.dialog->result(), int(QDialog::Accepted));
        QVERIFY(boxes.Boxes.empty());
    }

    void exitWithInvalidFieldStaysOpenWithoutBrush() {
        RecordingBoxes boxes;
        Window w;
        w.Field(1039)->setText("40000");
        w.dialog->OnCommand(8);
        QCOMPARE(pending::SavedSettingsLog().size(), size_t(1));
        QCOMPARE(boxes.Boxes.size(), size_t(1));
        QCOMPARE(boxes.Boxes[0].Text, kFieldRange.arg(0).arg(32000));
        QVERIFY(w.dialog->isVisible());
        QVERIFY(!w.dialog->HasBackgroundBrush());
        QVERIFY(w.dialog->palette().color(QPalette::Window) != QColor(Qt::white));
    }

    void closeBoxWritesTheOldValueWithoutMessage() {
        RecordingBoxes boxes;
        Window w;
        w.Type(1032, "999999");
        w.dialog->close();
        QVERIFY(!w.dialog->isVisible());
        QCOMPARE(w.dialog->result(), int(QDialog::Rejected));
        QCOMPARE(pending::SavedSettingsLog().size(), size_t(1));
        QCOMPARE(pending::SavedSettingsLog()[0].Settings.Time[0], 200);
        QCOMPARE(pending::SavedSettingsLog()[0].LanguageId, w.dialog->LanguageId());
        QVERIFY(boxes.Boxes.empty());
    }

    void batteryBar_data() {
        QTest::addColumn<int>("reading");
        QTest::addColumn<int>("position");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QColor>("colour");
        QTest::newRow("no reading") << -1 << 50 << "" << QColor(128, 128, 128);
        QTest::newRow("empty") << 0 << 0 << "00%" << QColor(255, 0, 0);
        QTest::newRow("orange") << 10500 << 45 << "45%" << QColor(255, 128, 80);
        QTest::newRow("full") << 11501 << 100 << "100%" << QColor(0, 255, 0);
    }
    void batteryBar() {
        QFETCH(int, reading);
        QFETCH(int, position);
        QFETCH(QString, text);
        QFETCH(QColor, colour);
        Window w;
        w.dialog->ShowBattery(reading);
        BatteryBarWidget* bar = w.dialog->BatteryBar();
        QCOMPARE(bar->value(), position);
        QCOMPARE(bar->isTextVisible() ? bar->text() : QString(), text);
        QCOMPARE(BatteryBarColour(*bar), colour);
    }

    void startsWithoutBatteryReading() {
        Window w;
        QCOMPARE(w.dialog->BatteryBar()->value(), 50);
        QCOMPARE(w.dialog->BatteryBar()->minimum(), 0);
        QCOMPARE(w.dialog->BatteryBar()->maximum(), 100);
        QVERIFY(!w.dialog->BatteryBar()->isTextVisible());
    }

    void raceResultsUseTheWheelAtReadTime() {
        Window w;
        QCOMPARE(w.dialog->Item<QLabel>(1052)->text(), QStringLiteral("Vitesse maximum: m/s"));
        w.dialog->ShowRaceResults();
        QCOMPARE(w.dialog->Item<QLabel>(1052)->text(), QStringLiteral("Vitesse maximum: 0.00 m/s"));
        w.dialog->Settings().WheelDiam = 26;
        w.dialog->SetRaceTime(1234);
        w.dialog->TakeSpeedReading(30000);
        w.dialog->Settings().WheelDiam = 48;
        w.dialog->ShowRaceResults();
        QCOMPARE(w.dialog->Item<QLabel>(1051)->text(), QStringLiteral("Temps chronométré: 1234 ms"));
        QCOMPARE(w.dialog->Item<QLabel>(1052)->text(), QStringLiteral("Vitesse maximum: 52.00 m/s"));
    }

    void rendersOnWhiteAtTemplatePlaces() {
        Window w;
        w.dialog->OnTimer(ctl::kClockTimer);
        const QImage image = w.dialog->grab().toImage();
        image.save(QDir::temp().filePath("drivo-main-dialog.png"));
        QCOMPARE(image.size(), QSize(793, 567));
        QCOMPARE(w.dialog->GetDlgItem(1059)->geometry(), QRect(103, 154, 96, 13));
        QCOMPARE(w.dialog->GetDlgItem(1039)->geometry(), QRect(103, 170, 78, 20));
        QCOMPARE(image.pixelColor(20, 20), QColor(Qt::white));
        QCOMPARE(image.pixelColor(600, 300), QColor(Qt::white));
        const QRect field = w.dialog->GetDlgItem(1032)->geometry();
        QCOMPARE(image.pixelColor(field.center() + QPoint(field.width() / 3, 0)), QColor(Qt::white));
        const QRect bar = w.dialog->StatusBar()->geometry();
        QVERIFY(image.pixelColor(bar.left() + 2, bar.center().y()) != QColor(Qt::white));
    }
};

#include "MainDialogTest.moc"
DRIVO_TEST(MainDialogTest);
