// SPDX-License-Identifier: GPL-3.0-or-later
#include "AppTestSupport.h"
#include "TestMain.h"
#include "app/CDrivoApp.h"
#include "framework/FrameworkTexts.h"
#include "i18n/UserLanguage.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QWindow>
#include <algorithm>

using namespace drivo;

namespace {

const QString kFieldRange = QStringLiteral("Entrez un entier entre %1 et %2.");
const QList<double> kDefaultEndTimes = {200, 400, 600, 800, 1000};
// Time1..Time5, TimeMax, RaceLength, WheelDiam.
const std::vector<int> kFields = {1032, 1034, 1035, 1036, 1037, 1044, 1039, 1040};

struct Window : drivo::test::MainWindow<> {
    Window() {
        dialog->Display().SetClock([] { return QTime(7, 5, 9); });
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

} // namespace

class MainDialogTest : public QObject {
    Q_OBJECT
private slots:
    // --help and --version answer without a window (RunDrivo ends before its QApplication);
    // any other argument goes to the toolkit.
    void commandLineAnswersWithoutWindow_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("starts"); // the reply's start; empty: the window runs
        QTest::newRow("--version") << QStringList{"/usr/bin/drivo-demo", "--version"}
                                   << QStringLiteral("drivo-demo " DRIVO_TEST_VERSION "\n");
        QTest::newRow("--help after a Qt option")
            << QStringList{"drivo", "-style", "fusion", "--help"}
            << QStringLiteral("Usage: drivo ");
        QTest::newRow("Qt options") << QStringList{"drivo", "-platform", "offscreen"} << QString();
        QTest::newRow("unknown argument") << QStringList{"drivo", "--verbose"} << QString();
    }
    void commandLineAnswersWithoutWindow() {
        QFETCH(QStringList, args);
        QFETCH(QString, starts);
        std::vector<QByteArray> bytes;
        std::vector<char*> argv;
        for (const QString& a : args)
            bytes.push_back(a.toLocal8Bit());
        for (QByteArray& b : bytes)
            argv.push_back(b.data());
        int argc = int(argv.size());
        const auto reply = CommandLineReply(argc, argv.data());
        QCOMPARE(reply.has_value(), !starts.isEmpty());
        if (reply) {
            QVERIFY2(QString::fromStdString(*reply).startsWith(starts), reply->c_str());
            QCOMPARE(RunDrivo(argc, argv.data(), nullptr, {}), 0);
        }
    }

    void startsWithDefaultsAndCaretInRaceLength() {
        Window w;
        const QStringList shown = {"200", "400", "600", "800", "1000", "1000", "5000", "48"};
        for (size_t i = 0; i < kFields.size(); ++i)
            QCOMPARE(w.Text(kFields[i]), shown[int(i)]);
        QCOMPARE(w.dialog->focusWidget(), w.dialog->GetDlgItem(1039));
        QVERIFY(!w.dialog->Item<QCheckBox>(1072)->isChecked());
        QCOMPARE(w.dialog->Controller().LanguageId(), UserDefaultLanguageId());
        QCOMPARE(w.Chart().geometry(), w.dialog->GetDlgItem(1049)->geometry());
        QCOMPARE(w.ChartEndTimes(), kDefaultEndTimes);
        // The window's small and large icons, and none of the larger sizes.
        const QList<QSize> icon = w.dialog->windowIcon().availableSizes();
        QVERIFY(icon.contains(QSize(16, 16)) && icon.contains(QSize(32, 32)));
        QVERIFY(std::all_of(icon.begin(), icon.end(), [](QSize s) { return s.width() <= 64; }));
        CStatusBar* bar = w.dialog->Display().StatusBar();
        QCOMPARE(bar->PaneWidth(0), w.dialog->width() - 100);
        w.dialog->OnTimer(ctl::kClockTimer);
        QCOMPARE(bar->PaneText(1), QStringLiteral("07:05:09"));
        // No car on the test machine: the first connection check says so.
        QCOMPARE(bar->PaneText(0), QStringLiteral("Aucune Voltkart trouvée..."));
        QVERIFY(w.boxes.Boxes.isEmpty());
    }

    void enterElsewhereAndEscapeDoNothing() {
        Window w;
        auto* box = w.dialog->Item<QCheckBox>(1072);
        box->setFocus();
        QTest::keyClick(box, Qt::Key_Return);
        QTest::keyClick(box, Qt::Key_Escape);
        QTest::keyClick(w.Field(1039), Qt::Key_Escape);
        QVERIFY(w.dialog->isVisible());
        QVERIFY(w.cwd.SettingsValue("Time1").isNull()); // nothing closed
    }

    // Keys typed through the window: a refusal asks once and puts the caret back, selected in
    // that field alone; leaving the field again (Tab or Enter) takes the corrected value.
    void correctedValueIsTakenAfterARefusal_data() {
        QTest::addColumn<int>("leave");
        QTest::newRow("Tab") << int(Qt::Key_Tab);
        QTest::newRow("Enter") << int(Qt::Key_Return);
    }
    void correctedValueIsTakenAfterARefusal() {
        QFETCH(int, leave);
        Window w;
        w.boxes.TakesActivation = true;
        QVERIFY(QTest::qWaitForWindowActive(w.dialog.get()));
        QWindow* window = w.dialog->windowHandle();
        const auto type = [&](const char* keys, Qt::Key then) {
            for (const char* k = keys; *k; ++k)
                QTest::keyClick(window, *k);
            QTest::keyClick(window, then);
            for (int i = 0; i < 3; ++i) // the lost-focus notice and the activation are queued
                QCoreApplication::processEvents();
        };
        w.Field(1032)->setFocus(Qt::TabFocusReason); // as Tab reaches it: all selected
        type("500", Qt::Key_Tab);
        QCOMPARE(w.boxes.Boxes, QStringList{kFieldRange.arg(0).arg(400)});
        QCOMPARE(QApplication::focusWidget(), w.Field(1032));
        QCOMPARE(w.Field(1032)->selectedText(), QStringLiteral("500"));
        for (int id : kFields)
            QVERIFY(id == 1032 || !w.Field(id)->hasSelectedText());
        type("300", Qt::Key(leave));
        QCOMPARE(w.dialog->Controller().Settings().Time[0], 300);
        QCOMPARE(w.boxes.Boxes.size(), 1);
    }

    // Typing a value into one field and pressing Enter: the outcome of the whole exchange.
    void fieldValidation_data() {
        QTest::addColumn<QList<int>>("record"); // Time1..TimeMax set before typing
        QTest::addColumn<int>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("message"); // empty: accepted
        const QList<int> defaults = {200, 400, 600, 800, 1000, 1000};
        const QList<int> late = {200, 400, 600, 800, 3500, 4000};
        const QList<int> mid = {200, 400, 600, 800, 2500, 4000};
        // Neighbours out of order: the first pass does not check, the second does.
        const QList<int> unordered = {700, 800, 600, 800, 1000, 1000};
        const auto range = [](int lower, int upper) { return kFieldRange.arg(lower).arg(upper); };
        const QString ok;
        QTest::newRow("time1 above its neighbour") << defaults << 1032 << "500" << range(0, 400);
        QTest::newRow("time2 between neighbours") << defaults << 1034 << "450" << ok;
        QTest::newRow("time5 3500, max below it") << late << 1044 << "100" << ok;
        QTest::newRow("time5 3500, max 4001 (fixed limit)")
            << late << 1044 << "4001" << RangeIntMessage(0, 4000);
        QTest::newRow("time5 2500, max 2499") << mid << 1044 << "2499" << range(2500, 4000);
        QTest::newRow("time5 2500, max 2500") << mid << 1044 << "2500" << ok;
        QTest::newRow("time5 2500, max 4001") << mid << 1044 << "4001" << range(2500, 4000);
        QTest::newRow("race length 30001: second pass")
            << defaults << 1039 << "30001" << RangeIntMessage(0, 30000);
        QTest::newRow("race length 32001: first pass")
            << defaults << 1039 << "32001" << range(0, 32000);
        QTest::newRow("empty time field") << defaults << 1035 << "" << ParseIntMessage();
        QTest::newRow("unchecked neighbour, 4500")
            << unordered << 1035 << "4500" << RangeIntMessage(0, 4000);
    }
    void fieldValidation() {
        QFETCH(QList<int>, record);
        QFETCH(int, field);
        QFETCH(QString, typed);
        QFETCH(QString, message);
        Window w;
        for (int i = 0; i < 6; ++i)
            w.dialog->Controller().Settings().Time[size_t(i)] = record[i];
        w.dialog->UpdateData(false);
        w.Type(field, typed);
        QTest::keyClick(w.Field(field), Qt::Key_Return);
        QVERIFY(w.dialog->isVisible()); // Enter never closes
        const int stage = int(std::find(kFields.begin(), kFields.end(), field) - kFields.begin());
        QCOMPARE(w.boxes.Boxes, message.isEmpty() ? QStringList() : QStringList{message});
        if (message.isEmpty()) {
            QCOMPARE(w.Text(field), typed);
            if (field == 1044)
                QCOMPARE(w.Chart().Plot().TimeFullScale(), typed.toDouble());
            else if (stage < kStageCount)
                QCOMPARE(w.Chart().GetBarEndTime(stage), typed.toDouble());
            return;
        }
        QCOMPARE(w.boxes.Icons[0], MessageIcon::Exclamation);
        QCOMPARE(w.dialog->focusWidget(), w.Field(field));
        QCOMPARE(w.Field(field)->selectedText(), w.Text(field));
        QCOMPARE(w.ChartEndTimes(), kDefaultEndTimes); // a refused exchange leaves the chart
        QCOMPARE(w.Chart().Plot().TimeFullScale(), 1000.0);
    }

    // A refused field stops the exchange there: fields before it are taken, later ones not.
    void refusedFieldStopsTheExchange() {
        Window w;
        w.Field(1032)->setText("150");  // Time1, before the refused field
        w.Field(1035)->setText("9999"); // Time3, refused
        w.Field(1040)->setText("30");   // WheelDiam, after it
        QVERIFY(!w.dialog->UpdateData(true));
        QCOMPARE(w.dialog->Controller().Settings().Time[0], 150);
        QCOMPARE(w.dialog->Controller().Settings().WheelDiam, 48);
        QCOMPARE(w.boxes.Boxes.size(), 1);
        QCOMPARE(w.dialog->focusWidget(), w.Field(1035));
    }

    // Through the chart's hooks: the record changes and all eight fields show it again.
    void dragRewritesAllFields_data() {
        QTest::addColumn<bool>("time");
        QTest::addColumn<int>("index");
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("time3");
        QTest::addColumn<int>("value3");
        QTest::newRow("time truncated") << true << 2 << 655.9 << 655 << 20;
        QTest::newRow("value") << false << 2 << 42.7 << 600 << 42;
        QTest::newRow("index out of range") << true << 5 << 100.0 << 600 << 20;
        QTest::newRow("not a number") << true << 2 << std::nan("") << 600 << 20;
    }
    void dragRewritesAllFields() {
        QFETCH(bool, time);
        QFETCH(int, index);
        QFETCH(double, value);
        QFETCH(int, time3);
        Window w;
        w.Field(1032)->setText("333"); // typed, not taken: lost
        w.Field(1039)->setText("7");
        const ChartOwnerHooks& hooks = w.Chart().OwnerHooks();
        (time ? hooks.onStageTimeDragged : hooks.onStageValueDragged)(index, value);
        QCOMPARE(w.dialog->Controller().Settings().Time[2], time3);
        QTEST(w.dialog->Controller().Settings().Value[2], "value3");
        QCOMPARE(w.Text(1035), QString::number(time3));
        QCOMPARE(w.Text(1032), QStringLiteral("200"));
        QCOMPARE(w.Text(1039), QStringLiteral("5000"));
    }

    // Every way out writes Drivo.ini from the record as it then is and releases the picture, even
    // when a field refuses and the window stays. A click on Exit takes the focus, and so the
    // typed field, first; the placeholder's click (no focus moves) and the close box take nothing.
    void closingWritesTheFile_data() {
        QTest::addColumn<QString>("way");
        QTest::addColumn<int>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("written");
        QTest::addColumn<bool>("staysOpen"); // with one message
        QTest::newRow("mouse on exit, field taken first") << "mouse" << 1040 << "26"
                                                          << "WheelDiam=26" << false;
        QTest::newRow("placeholder exit, invalid field") << "placeholder" << 1039 << "40000"
                                                         << "RaceLength=5000" << true;
        QTest::newRow("close box, field not taken") << "close" << 1032 << "999999"
                                                    << "Time1=200" << false;
    }
    void closingWritesTheFile() {
        QFETCH(QString, way);
        QFETCH(int, field);
        QFETCH(QString, typed);
        QFETCH(QString, written);
        Window w;
        QCOMPARE(w.Pictures().size(), size_t(1));
        w.dialog->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w.dialog.get()));
        w.Type(field, typed);
        if (way == "mouse")
            QTest::mouseClick(w.dialog->CommandButton(ctl::kExit), Qt::LeftButton, {},
                              QPoint(5, 5));
        else if (way == "placeholder")
            w.dialog->Item<QPushButton>(ctl::kExit)->click();
        else
            w.dialog->close();
        QCOMPARE(w.cwd.SettingsValue(written.section('=', 0, 0)), written.section('=', 1));
        QTEST(w.dialog->isVisible(), "staysOpen");
        QCOMPARE(w.boxes.Boxes.size(), int(w.dialog->isVisible()));
        QVERIFY(w.Pictures().empty());
        if (w.dialog->isVisible()) // on the platform's plain surface now
            QCOMPARE(w.dialog->grab().toImage().pixelColor(20, 20),
                     w.dialog->palette().color(QPalette::Window));
    }

    // The speed is computed with the wheel of the reading's time, not of the display's.
    void raceResultsUseTheWheelAtReadTime() {
        Window w;
        w.dialog->Controller().Settings().WheelDiam = 26;
        drivo::test::Deliver(*w.dialog, {WM_RACEINFO_DONE, 1234, 30000});
        w.dialog->Controller().Settings().WheelDiam = 48;
        w.dialog->OnCommand(ctl::kFrenchFlag); // shows the results anew
        QCOMPARE(w.dialog->Item<QLabel>(1051)->text(),
                 QStringLiteral("Temps chronométré: 1234 ms"));
        QCOMPARE(w.dialog->Item<QLabel>(1052)->text(),
                 QStringLiteral("Vitesse maximum: 52.00 m/s"));
    }

    void rendersOnItsPictureAtTemplatePlaces() {
        Window w;
        w.dialog->grab(); // the chart's first paint renders its surface, the next copies it
        const QImage image = w.dialog->grab().toImage();
        QCOMPARE(image.size(), QSize(793, 567));
        QCOMPARE(w.dialog->GetDlgItem(1039)->geometry(), QRect(103, 170, 78, 20));
        const QColor sky = image.pixelColor(20, 20); // the picture's pale sky, not the brush
        QVERIFY2(sky != QColor(Qt::white) && sky.blue() > sky.red(), qPrintable(sky.name()));
        // Stage 3's bar (400 to 600 ms at 20 %) is drawn where the chart's geometry puts it.
        const BarRect b = w.Chart().Geometry().BarRectangle(400, 600, 20);
        const QPoint inBar =
            w.Chart().pos() + QPoint((b.left + b.right) / 2, (b.top + b.bottom) / 2);
        const QColor blue = image.pixelColor(inBar);
        QVERIFY2(blue.blue() > 150 && blue.red() < 150, qPrintable(blue.name()));
    }
};

#include "MainDialogTest.moc"
DRIVO_TEST(MainDialogTest);
