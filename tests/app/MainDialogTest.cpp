#include "AppTestSupport.h"
#include "TestMain.h"
#include "app/ControlIds.h"
#include "i18n/ResourceModule.h"
#include "i18n/UserLanguage.h"

#include <QApplication>
#include <algorithm>
#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>

using namespace drivo;
using drivo::test::RecordingBoxes;
using drivo::test::ScratchWorkingDir;

namespace {

const QString kFieldRange = QStringLiteral("Entrez un entier entre %1 et %2.");

const QList<double> kDefaultEndTimes = {200, 400, 600, 800, 1000};

struct Window {
    std::unique_ptr<CMainDialog> dialog = std::make_unique<CMainDialog>();

    Window() {
        dialog->SetClock([] { return QTime(7, 5, 9); });
        dialog->Create();
        dialog->show();
    }
    CProfileChart& Chart() const { return dialog->Chart(); }
    QList<double> ChartEndTimes() const {
        QList<double> times;
        for (int i = 0; i < Chart().BarCount(); ++i)
            times << Chart().GetBarEndTime(i);
        return times;
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
    // Each test closes its windows in a working directory of its own, where Drivo.ini lands.
    void init() {
        m_cwd = std::make_unique<ScratchWorkingDir>();
        QVERIFY(m_cwd->IsValid());
    }
    void cleanup() { m_cwd.reset(); }

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
        QCOMPARE(w.dialog->LanguageId(), UserDefaultLanguageId().value_or(1036));
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
        // No car on the test machine: the first connection check says so.
        QCOMPARE(bar->PaneText(0), QStringLiteral("Aucune Voltkart trouvée..."));
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
        QCOMPARE(w.ChartEndTimes(), QList<double>({200, 450, 600, 800, 1000}));
        QCOMPARE(w.dialog->focusWidget(), w.Field(1034));
        QVERIFY(boxes.Boxes.empty());
        QVERIFY(!m_cwd->HasSettingsFile());
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
        QCOMPARE(w.ChartEndTimes(), kDefaultEndTimes);
        QVERIFY(!m_cwd->HasSettingsFile());
    }

    void leavingAFieldRunsItsHandler() {
        RecordingBoxes boxes;
        Window w;
        w.dialog->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w.dialog.get()));
        w.Type(1044, "3000");
        w.Field(1039)->setFocus(Qt::TabFocusReason);
        QCoreApplication::processEvents(); // the lost-focus notification is queued
        QCOMPARE(w.dialog->Settings().TimeMax(), 3000);
        QCOMPARE(w.Chart().Plot().TimeFullScale(), 3000.0);
        QCOMPARE(w.ChartEndTimes(), kDefaultEndTimes);
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
            w.dialog->Settings().Time[size_t(i)] = record[i];
        w.dialog->UpdateData(false);
        w.Type(field, typed);
        QTest::keyClick(w.Field(field), Qt::Key_Return);
        const int stage = int(std::find(kFields.begin(), kFields.end(), field) - kFields.begin());
        if (message.isEmpty()) {
            QVERIFY(boxes.Boxes.empty());
            QCOMPARE(w.Text(field), typed);
            if (field == 1044)
                QCOMPARE(w.Chart().Plot().TimeFullScale(), typed.toDouble());
            else if (stage < 5)
                QCOMPARE(w.Chart().GetBarEndTime(stage), typed.toDouble());
            return;
        }
        QCOMPARE(boxes.Boxes.size(), size_t(1));
        QCOMPARE(boxes.Boxes[0].Text, message);
        QCOMPARE(boxes.Boxes[0].Icon, MessageIcon::Exclamation);
        QCOMPARE(w.dialog->focusWidget(), w.dialog->GetDlgItem(focusField));
        QCOMPARE(w.Field(focusField)->selectedText(), w.Text(focusField));
        QCOMPARE(w.ChartEndTimes(), kDefaultEndTimes); // a refused exchange leaves the chart
        QCOMPARE(w.Chart().Plot().TimeFullScale(), 1000.0);
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
        QCOMPARE(w.ChartEndTimes(), kDefaultEndTimes);
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
        QCOMPARE(m_cwd->SettingsValue("WheelDiam"), QStringLiteral("48")); // saved before the take
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
        QCOMPARE(m_cwd->SettingsValue("RaceLength"), QStringLiteral("5000"));
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
        const QStringList expected = {
            "[Commande]",   "Time1=200",      "Value1=5",       "Time2=400",
            "Value2=10",    "Time3=600",      "Value3=20",      "Time4=800",
            "Value4=20",    "Time5=1000",     "Value5=20",      "TimeMax=1000",
            "WheelDiam=48", "RaceLength=5000", QStringLiteral("LanguageId=%1").arg(w.dialog->LanguageId())};
        QCOMPARE(m_cwd->SettingsLines(), expected);
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
        CPercentProgress* bar = w.dialog->BatteryBar();
        QCOMPARE(bar->value(), position);
        QCOMPARE(bar->WindowText(), text);
        QCOMPARE(bar->BarColor(), colour);
    }

    void startsWithoutBatteryReading() {
        Window w;
        CPercentProgress* bar = w.dialog->BatteryBar();
        QVERIFY(bar);
        QCOMPARE(w.dialog->GetDlgItem(1025), bar);
        QCOMPARE(bar->value(), 50);
        QCOMPARE(bar->minimum(), 0);
        QCOMPARE(bar->maximum(), 100);
        QVERIFY(bar->WindowText().isEmpty());
        QCOMPARE(bar->BarColor(), QColor(128, 128, 128));
        QVERIFY(bar->IsClassicStyle());
    }

    void usbIndicatorSitsOverItsControl() {
        Window w;
        CUsbStatusIndicator* usb = w.dialog->UsbIndicator();
        QVERIFY(usb);
        QCOMPARE(w.dialog->GetDlgItem(1031), usb);
        QCOMPARE(usb->geometry(), DialogUnitsToPixels(QRect(334, 27, 38, 20)));
        QVERIFY(!usb->Surface().isNull()); // bitmap 131 was found
        QVERIFY(usb->isVisible());
    }

    // The chart is built from the defaults over control 1049 and keeps that place when the
    // window is first shown.
    void chartIsBuiltFromTheRecord() {
        Window w;
        CProfileChart& chart = w.Chart();
        QVERIFY(chart.HasWindow());
        QCOMPARE(chart.parentWidget(), w.dialog.get());
        QCOMPARE(chart.geometry(), w.dialog->GetDlgItem(1049)->geometry());
        QCOMPARE(chart.Title(), QStringLiteral("I en %"));
        QCOMPARE(chart.BackgroundColor(), qRgb(255, 255, 255));
        QCOMPARE(w.ChartEndTimes(), kDefaultEndTimes);
        for (int i = 0; i < 5; ++i)
            QCOMPARE(chart.GetBarValue(i), double(w.dialog->Settings().Value[size_t(i)]));
        QCOMPARE(chart.Plot().TimeFullScale(), 1000.0);
        QCOMPARE(chart.Grid().Rows(), 10u);
        QCOMPARE(chart.Grid().Columns(), 1u);
        QVERIFY(!chart.TipsEnabled());
    }

    // Dragging the top-right corner of stage 1 up and right: the record, the fields and
    // status pane 0 follow the chart, which keeps what the send flow reads.
    void chartDragWritesRecordFieldsAndStatus() {
        Window w;
        CProfileChart& chart = w.Chart();
        chart.Rebuild();
        w.Field(1039)->setText("7"); // typed, not taken: the drag shows the record again
        const PlotGeometry g = chart.Geometry();
        const QPoint corner(g.RightEdgeLine(200), g.TopEdgeLine(chart.CreationRect().height(), 5));
        const QPoint to = corner + QPoint(77, -73);
        chart.MouseMove(corner, false);
        chart.LeftButtonDown(corner);
        chart.MouseMove(to, true);
        chart.LeftButtonUp(to);
        const int value = int(chart.GetBarValue(0));
        const int time = int(chart.GetBarEndTime(0));
        QVERIFY(value > 30 && value < 45);
        QVERIFY(time > 300 && time < 400);
        QCOMPARE(w.dialog->Settings().Value1(), value);
        QCOMPARE(w.dialog->Settings().Time1(), time);
        QCOMPARE(w.Text(1032), QString::number(time));
        QCOMPARE(w.Text(1039), QStringLiteral("5000"));
        QCOMPARE(w.dialog->StatusBar()->PaneText(0),
                 QStringLiteral("Intensité %1% Durée %2ms.").arg(value).arg(time));
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
        w.dialog->grab(); // the chart's first paint only renders its surface; the next one copies it
        const QImage image = w.dialog->grab().toImage();
        image.save(QDir::temp().filePath("drivo-main-dialog.png"));
        QCOMPARE(image.size(), QSize(793, 567));
        QCOMPARE(w.dialog->GetDlgItem(1059)->geometry(), QRect(103, 154, 96, 13));
        QCOMPARE(w.dialog->GetDlgItem(1039)->geometry(), QRect(103, 170, 78, 20));
        QCOMPARE(image.pixelColor(20, 20), QColor(Qt::white));
        QCOMPARE(image.pixelColor(600, 450), QColor(Qt::white));
        // Stage 3's bar (400 to 600 ms at 20 %) is drawn where the chart's geometry puts it.
        const BarRect b = w.Chart().Geometry().BarRectangle(400, 600, 20);
        const QPoint inBar = w.Chart().pos() + QPoint((b.left + b.right) / 2, (b.top + b.bottom) / 2);
        const QColor blue = image.pixelColor(inBar);
        QVERIFY2(blue.blue() > 150 && blue.red() < 150, qPrintable(blue.name()));
        const QRect field = w.dialog->GetDlgItem(1032)->geometry();
        QCOMPARE(image.pixelColor(field.center() + QPoint(field.width() / 3, 0)), QColor(Qt::white));
        const QRect bar = w.dialog->StatusBar()->geometry();
        QVERIFY(image.pixelColor(bar.left() + 2, bar.center().y()) != QColor(Qt::white));
    }

private:
    std::unique_ptr<ScratchWorkingDir> m_cwd;
};

#include "MainDialogTest.moc"
DRIVO_TEST(MainDialogTest);
