// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's skin as the window builds it: skinned buttons over their placeholders, the
// background picture, the flag placeholders; and a working window when the skin is broken.
#include "AppTestSupport.h"
#include "TestMain.h"
#include "tools/art/ContrastRatio.h"
#include "widgets/CImageButtonWithStyle.h"

#include <QCheckBox>
#include <QLabel>

using namespace drivo;
using namespace drivo::test;

namespace {

// In creation order.
const QList<int> kSkinIds = {ctl::kSend, ctl::kRaceInfo,   ctl::kBattery,
                             ctl::kExit, ctl::kFrenchFlag, ctl::kEnglishFlag};

// Records the commands instead of running them.
class RecordingDialog : public CMainDialog {
public:
    using CMainDialog::CMainDialog;
    std::vector<int> commands;
    void OnCommand(int id) override { commands.push_back(id); }
};

} // namespace

class MainDialogSkinTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { QCOMPARE(PictureCount(), 0); }

    // Hidden, they hold the languages' states: for a French user French checked and pushed in,
    // with the icons.
    void flagPlaceholdersHoldTheLanguage() {
        MainWindow w(UserLanguage(1036));
        auto* french = w.dialog->Item<CImageButtonWithStyle>(ctl::kFrenchFlag);
        auto* english = w.dialog->Item<CImageButtonWithStyle>(ctl::kEnglishFlag);
        QVERIFY(french && english && french->isHidden() && english->isHidden());
        QVERIFY(french->isChecked() && french->isDown());
        QVERIFY(!english->isChecked() && !english->isDown());
        QVERIFY(!french->GetIcon().IsNull() && !english->GetIcon().IsNull());
        QVERIFY(french->GetIcon().Color != english->GetIcon().Color);
    }

    // Each skinned button lies over its hidden placeholder, named but without words of its
    // own, and its click arrives under the placeholder's id.
    void skinnedButtonsStandForTheirPlaceholders_data() {
        QTest::addColumn<int>("id");
        QTest::addColumn<QString>("name");
        const char* names[] = {"Envoi", "Infos course", "Etat de charge",
                               "Exit",  "Français",     "English"};
        for (int i = 0; i < kSkinIds.size(); ++i)
            QTest::newRow(names[i]) << kSkinIds[i] << QString::fromUtf8(names[i]);
    }
    void skinnedButtonsStandForTheirPlaceholders() {
        QFETCH(int, id);
        MainWindow<RecordingDialog> w;
        QWidget* placeholder = w.dialog->GetDlgItem(id);
        CSkinButton* skin = w.Skin(id);
        QVERIFY(skin && placeholder && skin != placeholder && placeholder->isHidden());
        QCOMPARE(skin->geometry(), placeholder->geometry());
        QTEST(skin->accessibleName(), "name");
        QVERIFY(skin->text().isEmpty()); // the face carries the words
        skin->setEnabled(true);          // no car: the command buttons start disabled
        QTest::mouseClick(skin, Qt::LeftButton);
        QCOMPARE(w.dialog->commands, std::vector<int>{id});
        w.dialog->close();
    }

    // Tab runs through the template's controls first; the skinned buttons come last, in the
    // order they were made.
    void skinnedButtonsComeLastInTheTabOrder() {
        MainWindow w;
        QList<QWidget*> chain;
        for (QWidget* c = w.dialog->nextInFocusChain(); c != w.dialog.get();
             c = c->nextInFocusChain())
            if ((c->focusPolicy() & Qt::TabFocus) && !c->isHidden())
                chain << c;
        QList<qsizetype> skins;
        for (int id : kSkinIds)
            skins << chain.indexOf(w.Skin(id));
        QVERIFY(std::is_sorted(skins.begin(), skins.end()) && skins.front() >= 0);
        for (int id : {1039, 1040, 1032, 1034, 1035, 1036, 1037, 1044, 1072})
            QVERIFY(chain.indexOf(w.dialog->GetDlgItem(id)) < skins.front());
    }

    // Every text the window writes on its picture stays readable: 4.5:1 at least against
    // each pixel of the picture behind it.
    void labelsKeepTheirContrastOnThePicture() {
        MainWindow w;
        QList<QWidget*> texts;
        for (QWidget* c : w.dialog->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            if ((qobject_cast<QLabel*>(c) || qobject_cast<QCheckBox*>(c)) && c->isVisible())
                texts << c;
        QVERIFY(texts.size() >= 18);
        for (QWidget* t : texts)
            t->hide();
        w.dialog->grab(); // the chart's first paint renders its surface
        const QImage behind = w.dialog->grab().toImage();
        for (QWidget* t : texts) {
            t->show();
            const QColor ink = t->palette().color(t->foregroundRole());
            const QRect r = t->geometry().intersected(behind.rect());
            double worst = 21;
            for (int y = r.top(); y <= r.bottom(); ++y)
                for (int x = r.left(); x <= r.right(); ++x)
                    worst = std::min(worst, art::ContrastRatio(ink, behind.pixelColor(x, y)));
            const QString what = t->property("text").toString();
            QVERIFY2(worst >= 4.5, qPrintable(QStringLiteral("%1: %2:1").arg(what).arg(worst)));
        }
    }

    // A language bundle whose picture and button faces are no pictures: the window still opens
    // and works, each button saying in the bundle's words what it does; nothing is reported.
    void brokenSkinLeavesAWorkingWindow() {
        // Current from the start, and the user's language, so the window applies it again.
        QVERIFY(ResourceModule::Current().LoadBundle(DRIVO_TEST_BUNDLE_BROKEN_SKIN));
        QTemporaryDir dir;
        QVERIFY(QFile::copy(DRIVO_TEST_BUNDLE_BROKEN_SKIN, dir.filePath("drivoENU.rcc")));
        {
            MainWindow<RecordingDialog> w(UserLanguage(1033, dir.filePath("drivo")));
            QVERIFY(w.dialog->isVisible());
            QVERIFY(w.Pictures().empty());
            QCOMPARE(w.Skin(ctl::kSend)->text(), QStringLiteral("Envoi"));
            QCOMPARE(w.Skin(ctl::kFrenchFlag)->text(), QStringLiteral("Français"));
            QTest::mouseClick(w.Skin(ctl::kExit), Qt::LeftButton);
            QCOMPARE(w.dialog->commands, std::vector<int>{ctl::kExit});
            QVERIFY(w.boxes.Boxes.isEmpty());
            w.dialog->close();
        }
        ResourceModule::Current().ReleaseBundle();
    }
};

#include "MainDialogSkinTest.moc"
DRIVO_TEST(MainDialogSkinTest);
