#include "TestMain.h"
#include "framework/CDialog.h"
#include "framework/DialogTemplate.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace drivo;

class DialogTemplateTest : public QObject {
    Q_OBJECT
private slots:
    void brokenTemplatesAreRefused_data() {
        QTest::addColumn<QByteArray>("json");
        QTest::newRow("unknown kind")
            << QByteArray(R"({"size":[1,1],"controls":[{"kind":"slider","rect":[0,0,1,1]}]})");
        QTest::newRow("short rect")
            << QByteArray(R"({"size":[1,1],"controls":[{"kind":"edit","rect":[0,0,1]}]})");
    }
    void brokenTemplatesAreRefused() {
        QFETCH(QByteArray, json);
        QVERIFY(!ParseDialogTemplate(json));
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
