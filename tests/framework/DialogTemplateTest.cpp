#include "framework/DialogTemplate.h"
#include "TestMain.h"
#include "framework/CDialog.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace drivo;

namespace {

// A template of one label, its numbers as written in the file.
QByteArray OneLabel(const QString& size, const QString& rect, const QString& points = "8") {
    return QStringLiteral(
               R"({"size":[%1],"font":{"points":%3},"controls":[{"kind":"static","rect":[%2]}]})")
        .arg(size, rect, points)
        .toUtf8();
}

} // namespace

class DialogTemplateTest : public QObject {
    Q_OBJECT
private slots:
    // A bundle's template is data: one that no screen could show is refused like a broken one.
    void templatesAreReadWithinBounds_data() {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<bool>("loads");
        QTest::newRow("unknown kind")
            << QByteArray(R"({"size":[1,1],"controls":[{"kind":"slider","rect":[0,0,1,1]}]})")
            << false;
        QTest::newRow("short rect")
            << QByteArray(R"({"size":[1,1],"controls":[{"kind":"edit","rect":[0,0,1]}]})") << false;
        QTest::newRow("at the bounds") << OneLabel("2000,1", "-2000,2000,0,2000", "72") << true;
        QTest::newRow("size 0 x 0") << OneLabel("0,0", "0,0,1,1") << false;
        QTest::newRow("negative size") << OneLabel("-235,55", "0,0,1,1") << false;
        QTest::newRow("size 30000 x 30000") << OneLabel("30000,30000", "0,0,1,1") << false;
        QTest::newRow("size INT_MAX") << OneLabel("2147483647,2147483647", "0,0,1,1") << false;
        QTest::newRow("control at INT_MAX") << OneLabel("235,55", "2147483647,0,10,8") << false;
        QTest::newRow("control 2e9 wide") << OneLabel("235,55", "0,0,2e9,8") << false;
        QTest::newRow("control of negative height") << OneLabel("235,55", "0,0,10,-8") << false;
        QTest::newRow("fractional unit") << OneLabel("235.5,55", "0,0,10,8") << false;
        QTest::newRow("font of 0 points") << OneLabel("235,55", "0,0,10,8", "0") << false;
        QTest::newRow("font of INT_MAX points")
            << OneLabel("235,55", "0,0,10,8", "2147483647") << false;
        QTest::newRow("title of 4097 characters")
            << QByteArray("{\"size\":[1,1],\"title\":\"" + QByteArray(4097, 'x') + "\"}") << false;
        QByteArray controls;
        for (int i = 0; i <= kMaxTemplateControls; ++i)
            controls += QByteArray(i ? "," : "") + R"({"kind":"frame","rect":[0,0,1,1]})";
        QTest::newRow("257 controls")
            << QByteArray(R"({"size":[1,1],"controls":[)" + controls + "]}") << false;
    }
    void templatesAreReadWithinBounds() {
        QFETCH(QByteArray, json);
        QFETCH(bool, loads);
        QCOMPARE(ParseDialogTemplate(json).has_value(), loads);
    }

    // Truncated toward zero; edges beyond any widget are clamped there, never overflowed.
    void dialogUnitsBecomePixels_data() {
        QTest::addColumn<QRect>("units");
        QTest::addColumn<QRect>("pixels");
        constexpr int kMax = (1 << 24) - 1; // the largest widget size
        QTest::newRow("OK button") << QRect(178, 7, 50, 14) << QRect(267, 11, 75, 23);
        QTest::newRow("above the window") << QRect(462, -4, 50, 21) << QRect(693, -6, 75, 33);
        QTest::newRow("whole int range")
            << QRect(QPoint(INT_MIN, INT_MIN), QPoint(INT_MAX, INT_MAX))
            << QRect(-kMax, -kMax, 2 * kMax, 2 * kMax);
    }
    void dialogUnitsBecomePixels() {
        QFETCH(QRect, units);
        QFETCH(QRect, pixels);
        QCOMPARE(DialogUnitsToPixels(units), pixels);
    }

    void lookupFindsFirstControlWithId() {
        CDialog dialog(102);
        QVERIFY(dialog.Create());
        QWidget* placeholder = dialog.GetDlgItem(1038);
        QVERIFY(qobject_cast<QPushButton*>(placeholder));
        auto* twin = new QPushButton(&dialog);
        dialog.RegisterControl(1038, twin);
        QCOMPARE(dialog.GetDlgItem(1038), placeholder);
        QVERIFY(!dialog.GetDlgItem(-1)); // the template's unnamed labels are not found
        QVERIFY(!dialog.GetDlgItem(9999));
    }

    void missingTemplateDoesNotCreate() {
        CDialog dialog(4711);
        QVERIFY(!dialog.Create());
        QCOMPARE(dialog.DoModal(), -1);
    }

    void digitFieldsTakeOnlyDigits() {
        CDialog dialog(102);
        QVERIFY(dialog.Create());
        auto* edit = dialog.Item<QLineEdit>(1032);
        QVERIFY(edit);
        QTest::keyClicks(edit, "1a-2 .3+");
        QCOMPARE(edit->text(), QStringLiteral("123"));
    }
};

#include "DialogTemplateTest.moc"
DRIVO_TEST(DialogTemplateTest);
