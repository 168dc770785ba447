#include "TestMain.h"
#include "framework/CDialog.h"
#include "framework/DialogTemplate.h"

#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace drivo;

namespace {

QByteArray MainTemplate() {
    QFile f(QStringLiteral(DRIVO_SOURCE_DIR "/res/dialog/102.json"));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class DialogTemplateTest : public QObject {
    Q_OBJECT
private slots:
    void mainTemplateKeepsTemplateOrder() {
        const auto t = ParseDialogTemplate(MainTemplate());
        QVERIFY(t);
        QCOMPARE(t->Size, QSize(529, 349));
        const std::vector<int> ids = {1069, 1051, 1052, 1049, 1042, 1041, 1038, 1025, 1031, 1059,
                                      1039, -1,   1060, 1040, -1,   1066, 1032, -1,   1065, 1034,
                                      -1,   1064, 1035, -1,   1063, 1036, -1,   1062, 1037, 1061,
                                      1044, -1,   8,    1056, 1054, 1055, 1071, 1072};
        QCOMPARE(t->Controls.size(), ids.size());
        for (size_t i = 0; i < ids.size(); ++i)
            QCOMPARE(t->Controls[i].Id, ids[i]);
        QCOMPARE(t->Controls[1].Text, QStringLiteral("Temps chronométré: ms"));
        QCOMPARE(t->Controls[0].Rect, QRect(0, 0, 529, 349)); // the background area
        QCOMPARE(t->Controls[10].Kind, QStringLiteral("edit"));
        QCOMPARE(t->Controls[10].Rect, QRect(69, 105, 52, 12)); // the race length
        QCOMPARE(t->Controls[32].Rect, QRect(462, -4, 50, 21)); // exit, above the top edge
        QVERIFY(!t->Controls[32].Visible);
        QCOMPARE(t->Controls[37].Kind, QStringLiteral("checkbox"));
    }

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
