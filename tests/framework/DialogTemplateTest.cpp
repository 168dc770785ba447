// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/DialogTemplate.h"
#include "TestMain.h"
#include "framework/CDialog.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace drivo;

class DialogTemplateTest : public QObject {
    Q_OBJECT
private slots:
    // A template no screen could show is refused like a broken one.
    void brokenTemplatesAreRefused_data() {
        QTest::addColumn<QByteArray>("json");
        QTest::newRow("unknown kind")
            << QByteArray(R"({"size":[1,1],"controls":[{"kind":"slider","rect":[0,0,1,1]}]})");
        QTest::newRow("short rect")
            << QByteArray(R"({"size":[1,1],"controls":[{"kind":"edit","rect":[0,0,1]}]})");
        QTest::newRow("size 0 x 0") << QByteArray(R"({"size":[0,0]})");
        QTest::newRow("negative size") << QByteArray(R"({"size":[-235,55]})");
        QTest::newRow("size 30000 x 30000") << QByteArray(R"({"size":[30000,30000]})");
        QTest::newRow("size INT_MAX") << QByteArray(R"({"size":[2147483647,2147483647]})");
        QTest::newRow("control at INT_MAX") << QByteArray(
            R"({"size":[1,1],"controls":[{"kind":"edit","rect":[2147483647,0,1,1]}]})");
        QTest::newRow("control 2e9 wide")
            << QByteArray(R"({"size":[1,1],"controls":[{"kind":"edit","rect":[0,0,2e9,1]}]})");
        QTest::newRow("font of INT_MAX points")
            << QByteArray(R"({"size":[1,1],"font":{"points":2147483647}})");
        QTest::newRow("title of 4097 characters")
            << QByteArray("{\"size\":[1,1],\"title\":\"" + QByteArray(4097, 'x') + "\"}");
        QTest::newRow("257 controls")
            << R"({"size":[1,1],"controls":[)" +
                   QByteArray(R"({"kind":"frame","rect":[0,0,1,1]},)").repeated(257).chopped(1) +
                   "]}";
    }
    void brokenTemplatesAreRefused() {
        QFETCH(QByteArray, json);
        QVERIFY(!ParseDialogTemplate(json));
    }

    // Edges beyond any widget are clamped there, never overflowed.
    void dialogUnitsBecomePixels() {
        const int max = (1 << 24) - 1; // the largest widget size
        QCOMPARE(DialogUnitsToPixels(QRect(QPoint(INT_MIN, INT_MIN), QPoint(INT_MAX, INT_MAX))),
                 QRect(-max, -max, 2 * max, 2 * max));
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
        const QFont applicationFont = QApplication::font();
        CDialog dialog(102);
        QVERIFY(dialog.Create());
        QCOMPARE(QApplication::font(), applicationFont); // lent to the fields while built
        auto* edit = dialog.Item<QLineEdit>(1032);
        QVERIFY(edit);
        QTest::keyClicks(edit, "1a-2 .3+");
        QCOMPARE(edit->text(), QStringLiteral("123"));
    }
};

#include "DialogTemplateTest.moc"
DRIVO_TEST(DialogTemplateTest);
