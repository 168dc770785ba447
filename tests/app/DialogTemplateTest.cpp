#include "TestMain.h"
#include "app/CDialog.h"
#include "app/DialogTemplate.h"

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
        QCOMPARE(t->Title, QStringLiteral("Drivo"));
        QCOMPARE(t->Size, QSize(529, 349));
        const std::vector<int> ids = {1069, 1051, 1052, 1049, 1042, 1041, 1038, 1025, 1031, 1059,
                                      1039, -1,   1060, 1040, -1,   1066, 1032, -1,   1065, 1034,
                                      -1,   1064, 1035, -1,   1063, 1036, -1,   1062, 1037, 1061,
                                      1044, -1,   8,    1056, 1054, 1055, 1071, 1072};
        QCOMPARE(t->Controls.size(), ids.size());
        for (size_t i = 0; i < ids.size(); ++i)
            QCOMPARE(t->Controls[i].Id, ids[i]);
        QCOMPARE(t->Controls[1].Text, QStringLiteral("Temps chronométré: ms"));
    }

    void controls_data() {
        QTest::addColumn<int>("id");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QRect>("rect");
        QTest::addColumn<bool>("visible");
        QTest::newRow("background area") << 1069 << "frame" << QRect(0, 0, 529, 349) << false;
        QTest::newRow("race length") << 1039 << "edit" << QRect(69, 105, 52, 12) << true;
        QTest::newRow("exit placeholder") << 8 << "button" << QRect(462, -4, 50, 21) << false;
        QTest::newRow("return box") << 1072 << "checkbox" << QRect(82, 223, 64, 10) << true;
    }
    void controls() {
        QFETCH(int, id);
        QFETCH(QString, kind);
        QFETCH(QRect, rect);
        QFETCH(bool, visible);
        const auto t = ParseDialogTemplate(MainTemplate());
        QVERIFY(t);
        const auto it = std::find_if(t->Controls.begin(), t->Controls.end(),
                                     [id](const ControlTemplate& c) { return c.Id == id; });
        QVERIFY(it != t->Controls.end());
        QCOMPARE(it->Kind, kind);
        QCOMPARE(it->Rect, rect);
        QCOMPARE(it->Visible, visible);
    }

    void brokenTemplatesAreRefused_data() {
        QTest::addColumn<QByteArray>("json");
        QTest::newRow("empty") << QByteArray();
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

    void digitFieldsTakeOnlyDigits_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("kept");
        QTest::newRow("digits") << "1234" << "1234";
        QTest::newRow("letters and signs") << "1a-2 .3+" << "123";
    }
    void digitFieldsTakeOnlyDigits() {
        QFETCH(QString, typed);
        QFETCH(QString, kept);
        CDialog dialog(102);
        QVERIFY(dialog.Create());
        auto* edit = dialog.Item<QLineEdit>(1032);
        QVERIFY(edit);
        QTest::keyClicks(edit, typed);
        QCOMPARE(edit->text(), kept);
    }
};

#include "DialogTemplateTest.moc"
DRIVO_TEST(DialogTemplateTest);
