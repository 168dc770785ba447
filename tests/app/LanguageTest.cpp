// SPDX-License-Identifier: GPL-3.0-or-later
// The window's language: the bundle chosen at start from the user's default language, the
// flags, and what every switch rewrites. Bundles lie beside a program path of the test's own.
#include "AppTestSupport.h"
#include "TestMain.h"
#include "app/CAboutDialog.h"
#include "chart/CBarPlot.h"
#include "i18n/IconFiles.h"
#include "i18n/UserLanguage.h"

#include <QCheckBox>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QStyle>

using namespace drivo;

namespace {

constexpr std::uint16_t kFrench = 1036, kEnglish = 1033, kGerman = 1031, kGermanNeutral = 7,
                        kUnknown = 1024;

// The language group, the race time, the About box's title and its firmware label.
const QStringList kSaysFrench = {"Langue", "Temps chronométré: 0 ms", "About Drivo",
                                 "Embarqué version:"};
const QStringList kSaysEnglish = {"Language", "Race time: 0 ms", "About Drivo",
                                  "Firmware version:"};
const QStringList kSaysGerman = {"Sprache", "Gemessene Zeit: 0 ms", "Über Drivo",
                                 "Firmware-Version:"};

// A folder holding the program "drivo" and the bundles a test puts beside it, or an
// installation (<dir>/bin/drivo, bundles in <dir>/share/drivo), or the build's own program
// folder with the bundles and links the build made.
class ProgramDir {
public:
    explicit ProgramDir(const QString& layout = QStringLiteral("beside")) : m_layout(layout) {
        if (m_layout == "installed")
            QVERIFY(QDir(m_dir.path()).mkpath(QStringLiteral("share/drivo")));
    }
    QString Program() const {
        if (m_layout == "built")
            return QStringLiteral(DRIVO_TEST_BUNDLE_DIR "/drivo");
        return m_dir.filePath(m_layout == "installed" ? "bin/drivo" : "drivo");
    }
    // Copies a bundle (the built one by default) as drivo<abbr>.rcc, cut to `length` bytes.
    void Put(const QString& abbr, qsizetype length = -1, const QString& source = {}) const {
        QFile in(source.isEmpty() ? QStringLiteral(DRIVO_TEST_BUNDLE_DIR "/drivo%1.rcc").arg(abbr)
                                  : source);
        QVERIFY(in.open(QIODevice::ReadOnly));
        QFile out(m_dir.filePath((m_layout == "installed" ? "share/drivo/drivo" : "drivo") + abbr +
                                 ".rcc"));
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(in.read(length < 0 ? in.size() : length));
    }

private:
    QString m_layout;
    QTemporaryDir m_dir;
};

struct Window : drivo::test::MainWindow<> {
    Window(std::uint16_t user, const ProgramDir& dir)
        : MainWindow(drivo::test::UserLanguage(user, dir.Program())) {}
    QString Text(int id) const {
        QWidget* w = dialog->GetDlgItem(id);
        if (auto* group = qobject_cast<QGroupBox*>(w))
            return group->title();
        if (auto* button = qobject_cast<QAbstractButton*>(w))
            return button->text();
        return qobject_cast<QLabel*>(w)->text();
    }
    void Click(int flag) const { qobject_cast<QPushButton*>(dialog->CommandButton(flag))->click(); }
    QStringList Menu() const {
        QStringList items;
        for (QAction* a : dialog->Menu().Menu()->actions())
            items << (a->isSeparator() ? QStringLiteral("-") : a->text());
        return items;
    }
    bool Checked(int flag) const { return dialog->Item<QPushButton>(flag)->isChecked(); }
};

// What a switch rewrites, each compared with the current module's text.
void VerifyWindowSpeaks(const Window& w, const QString& languageGroup) {
    QCOMPARE(w.Text(ctl::kLanguageGroup), languageGroup);
    const std::pair<int, int> texts[] = {
        {1049, ctl::kBattery},         {1048, ctl::kRaceInfo},       {1050, ctl::kSend},
        {1054, ctl::kRaceLengthLabel}, {1055, ctl::kWheelDiamLabel}, {1056, ctl::kTimeMaxLabel},
        {1057, ctl::kStage1Label},     {1058, ctl::kStage2Label},    {1059, ctl::kStage3Label},
        {1060, ctl::kStage4Label},     {1061, ctl::kStage5Label},    {1069, ctl::kReturnMode}};
    for (auto [string, control] : texts)
        QCOMPARE(w.Text(control), LoadResourceString(string));
    for (auto [string, button] :
         {std::pair{1036, ctl::kBattery}, {1037, ctl::kRaceInfo}, {1039, ctl::kSend}})
        QCOMPARE(w.dialog->ToolTips()->ToolText(w.dialog->CommandButton(button)),
                 LoadResourceString(string));
    QCOMPARE(w.dialog->ToolTips()->ToolCount(), 3);
    QCOMPARE(
        w.Menu(),
        QStringList({LoadResourceString(1071) + "\tCtrl+O", LoadResourceString(1072) + "\tCtrl+S",
                     LoadResourceString(1073) + "\tCtrl+J", "-", LoadResourceString(101)}));
    QCOMPARE(w.dialog->Chart().Title(), LoadResourceString(1066));
}

// Every label, check box and field of a window holds its whole text, drawn with the font the
// package brings: a label or box asks for its text's width measured with its font's metrics
// (plus frame, indent or indicator), a field for the text, its frame and 2-pixel margins.
void VerifyTextsFit(const QWidget& window) {
    const QString family = QFontInfo(window.font()).family();
    QVERIFY2(family == "Liberation Sans" || family == "Arimo",
             qPrintable(family + ", not the package's font (fonts-liberation2, tools/deps.sh)"));
    for (QWidget* c : window.findChildren<QWidget*>()) {
        const auto* edit = qobject_cast<QLineEdit*>(c);
        if (!c->property(kControlIdProperty).isValid() || c->isHidden() ||
            !(edit || qobject_cast<QLabel*>(c) || qobject_cast<QCheckBox*>(c)))
            continue;
        const int frame = c->style()->pixelMetric(QStyle::PM_DefaultFrameWidth);
        const int needed = edit ? c->fontMetrics().horizontalAdvance(edit->text()) + 2 * frame + 4
                                : c->sizeHint().width();
        QVERIFY2(needed <= c->width(), qPrintable(QStringLiteral("control %1 (%2): %3 > %4")
                                                      .arg(ControlIdOf(c))
                                                      .arg(c->property("text").toString())
                                                      .arg(needed)
                                                      .arg(c->width())));
    }
}

// Whether the button shows the face: each of its pixels but the transparent ones, centred.
bool Shows(CSkinButton* button, const QImage& face) {
    const QImage shown = button->grab().toImage();
    const QPoint at((button->width() - face.width()) / 2, (button->height() - face.height()) / 2);
    for (int y = 0; y < face.height(); ++y)
        for (int x = 0; x < face.width(); ++x) {
            const QPoint p = at + QPoint(x, y);
            if (face.pixel(x, y) != 0xffff00ff && shown.rect().contains(p) &&
                shown.pixel(p) != face.pixel(x, y))
                return false;
        }
    return true;
}

// The command buttons show the faces of the current module or of the program and are named as
// their placeholders are; the flags keep their names.
void VerifyFaces(const Window& w, bool moduleFaces, const QStringList& names) {
    const std::pair<int, int> buttons[] = {
        {ctl::kSend, 150}, {ctl::kRaceInfo, 153}, {ctl::kBattery, 156}, {ctl::kExit, 159}};
    for (int i = 0; i < 4; ++i) {
        CSkinButton* button = w.dialog->CommandButton(buttons[i].first);
        button->setEnabled(true); // no car: disabled, they would show grey copies
        const QImage face = ResourceModule::Current().LoadBitmap(
            buttons[i].second,
            moduleFaces ? ResourceModule::From::CurrentModule : ResourceModule::From::Program);
        QVERIFY(!face.isNull() && Shows(button, face));
        QVERIFY(button->text().isEmpty());
        QCOMPARE(button->accessibleName(), names[i]);
    }
    QCOMPARE(w.dialog->CommandButton(ctl::kFrenchFlag)->accessibleName(),
             QStringLiteral("Français"));
    QCOMPARE(w.dialog->CommandButton(ctl::kEnglishFlag)->accessibleName(),
             QStringLiteral("English"));
}

const QStringList kNamesFrench = {"Envoi", "Infos course", "Etat de charge", "Exit"};
const QStringList kNamesEnglish = {"Send", "Race info", "Battery state", "Exit"};

} // namespace

class LanguageTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { ResourceModule::Current().ReleaseBundle(); } // the window leaves it loaded

    // The language the window and its About box speak (icon 128 from the same module), each
    // text inside its control.
    void startsInTheUsersLanguage_data() {
        QTest::addColumn<int>("user");
        QTest::addColumn<QString>("bundles"); // English and German: where, none if empty
        QTest::addColumn<int>("length");      // of each bundle; -1 whole
        QTest::addColumn<QStringList>("says");
        const QString kBeside = "beside", kInstalled = "installed", kBuilt = "built";
        const auto of = [](const char* locale) { return int(LanguageIdOfLocale(QLocale(locale))); };
        QTest::newRow("French user, no French bundle")
            << int(kFrench) << kBeside << -1 << kSaysFrench;
        QTest::newRow("English user") << int(kEnglish) << kBeside << -1 << kSaysEnglish;
        QTest::newRow("German user") << int(kGerman) << kBeside << -1 << kSaysGerman;
        QTest::newRow("English user, no bundle") << int(kEnglish) << QString() << -1 << kSaysFrench;
        QTest::newRow("English user, truncated bundle")
            << int(kEnglish) << kBeside << 900 << kSaysFrench;
        QTest::newRow("German, a country the table lacks")
            << int(kGermanNeutral) << kBeside << -1 << kSaysGerman;
        QTest::newRow("language the table lacks") << int(kUnknown) << kBeside << -1 << kSaysFrench;
        QTest::newRow("English user, installed")
            << int(kEnglish) << kInstalled << -1 << kSaysEnglish;
        QTest::newRow("en_GB, the build's bundles") << of("en_GB") << kBuilt << -1 << kSaysEnglish;
        QTest::newRow("en_IN, the build's bundles") << of("en_IN") << kBuilt << -1 << kSaysEnglish;
        QTest::newRow("de_AT, the build's bundles") << of("de_AT") << kBuilt << -1 << kSaysGerman;
        QTest::newRow("de_CH, the build's bundles") << of("de_CH") << kBuilt << -1 << kSaysGerman;
    }
    void startsInTheUsersLanguage() {
        QFETCH(int, user);
        QFETCH(QString, bundles);
        QFETCH(int, length);
        QFETCH(QStringList, says);
        ProgramDir dir(bundles);
        for (const QString& abbr : bundles == "beside" || bundles == "installed"
                                       ? QStringList{"ENU", "DEU"}
                                       : QStringList{})
            dir.Put(abbr, length);
        Window w(std::uint16_t(user), dir);
        VerifyWindowSpeaks(w, says[0]);
        QCOMPARE(w.Text(ctl::kRaceTimeLabel), says[1]);
        QCOMPARE(int(w.dialog->Controller().LanguageId()), user);
        QVERIFY(w.boxes.Boxes.isEmpty());
        CAboutDialog about(w.dialog->Controller(), w.dialog.get());
        QVERIFY(about.Create());
        QCOMPARE(about.windowTitle(), says[2]);
        QStringList labels;
        bool icon = false; // its 30-pixel drawing, shown as drawn
        const QImage drawn = ReadPngFile(QStringLiteral(":/drivo/icon/128/30.png"))
                                 .convertToFormat(QImage::Format_ARGB32_Premultiplied);
        for (QLabel* label : about.findChildren<QLabel*>()) {
            labels << label->text();
            icon = icon || label->pixmap().toImage().convertToFormat(drawn.format()) == drawn;
        }
        QVERIFY2(labels.contains(says[3]), qPrintable(labels.join(u'|')));
        QVERIFY(icon);
        VerifyTextsFit(*w.dialog);
        VerifyTextsFit(about);
        // The chart's labels are the window's font, so both are drawn by one font engine.
        QCOMPARE(CBarPlot::LabelFont(), w.dialog->font());
    }

    // English user: the French flag frees the bundle, the English flag loads it again; the
    // flags never change the user's language, nor what the settings file keeps.
    void flagsSwitchAndAreNotRemembered() {
        ProgramDir dir;
        dir.Put("ENU");
        Window w(kEnglish, dir);
        test::Deliver(*w.dialog, {WM_RACEINFO_DONE, 1234, 0});
        w.Click(ctl::kFrenchFlag);
        QVERIFY(!ResourceModule::Current().HasBundle());
        VerifyWindowSpeaks(w, "Langue");
        QCOMPARE(w.Text(ctl::kRaceTimeLabel), QStringLiteral("Temps chronométré: 1234 ms"));
        QVERIFY(w.Checked(ctl::kFrenchFlag) && !w.Checked(ctl::kEnglishFlag));
        w.Click(ctl::kEnglishFlag);
        w.Click(ctl::kEnglishFlag); // twice equals once
        VerifyWindowSpeaks(w, "Language");
        QCOMPARE(w.Text(ctl::kMaxSpeedLabel), QStringLiteral("Top speed: 0.00 m/s"));
        QVERIFY(!w.Checked(ctl::kFrenchFlag) && w.Checked(ctl::kEnglishFlag));
        QCOMPARE(w.dialog->Controller().LanguageId(), kEnglish);
        w.dialog->close();
        QCOMPARE(w.cwd.SettingsValue("LanguageId"), QStringLiteral("1033"));
    }

    // A bundle's own faces at start and after each switch both ways; the program's for a
    // bundle without faces and for French. The spoken names follow each switch.
    void facesAndNamesFollowTheLanguage_data() {
        QTest::addColumn<int>("user");
        QTest::addColumn<QString>("english"); // drivoENU.rcc: the built one, or this one
        QTest::addColumn<bool>("faces");      // of the user's bundle
        QTest::addColumn<QStringList>("names");
        QTest::newRow("English user") << int(kEnglish) << QString() << true << kNamesEnglish;
        QTest::newRow("German user") << int(kGerman) << QString() << true
                                     << QStringList{"Senden", "Renninfo", "Ladezustand", "Exit"};
        QTest::newRow("English bundle without faces")
            << int(kEnglish) << QStringLiteral(DRIVO_TEST_BUNDLE_HOSTILE) << false
            << QStringList{"", "", "", "Exit"};
    }
    void facesAndNamesFollowTheLanguage() {
        QFETCH(int, user);
        QFETCH(QString, english);
        QFETCH(bool, faces);
        QFETCH(QStringList, names);
        ProgramDir dir;
        dir.Put("ENU", -1, english);
        dir.Put("DEU");
        Window w(std::uint16_t(user), dir);
        VerifyFaces(w, faces, names);
        w.Click(ctl::kFrenchFlag);
        VerifyFaces(w, false, kNamesFrench);
        w.Click(ctl::kEnglishFlag);
        VerifyFaces(w, english.isEmpty(), english.isEmpty() ? kNamesEnglish : names);
    }

    // Without the English bundle the English flag keeps French.
    void englishFlagWithoutBundleKeepsFrench() {
        ProgramDir dir;
        Window w(kFrench, dir);
        QCOMPARE(w.Pictures().size(), size_t(1));
        const std::uint64_t first = w.Pictures()[0]->serial;
        w.Click(ctl::kEnglishFlag);
        w.Click(ctl::kEnglishFlag);
        VerifyWindowSpeaks(w, "Langue");
        // The picture was registered again, once, in the whole background area.
        const std::vector<const PictureEntry*> after = w.Pictures();
        QCOMPARE(after.size(), size_t(1));
        QVERIFY(after[0]->serial != first);
        QCOMPARE(QRect(after[0]->left, after[0]->top, after[0]->width, after[0]->height),
                 w.dialog->GetDlgItem(ctl::kBackgroundArea)->geometry());
        QVERIFY(!w.Checked(ctl::kFrenchFlag) && w.Checked(ctl::kEnglishFlag));
        QCOMPARE(w.dialog->Controller().LanguageId(), kFrench);
    }

    // A bundle is data: an empty 101 removes the About item, a missing id shows no text, and
    // conversions that do not fit their arguments stay in the text.
    void hostileBundleNeitherCrashesNorInjects() {
        ProgramDir dir;
        dir.Put("ENU", -1, QStringLiteral(DRIVO_TEST_BUNDLE_HOSTILE));
        Window w(kFrench, dir);
        w.Click(ctl::kEnglishFlag);
        QCOMPARE(w.Text(ctl::kLanguageGroup), QStringLiteral("Hostile"));
        QCOMPARE(w.Text(ctl::kRaceLengthLabel), QString());
        QCOMPARE(w.Text(ctl::kRaceTimeLabel), QStringLiteral("0 ms %s%n"));
        QCOMPARE(w.Text(ctl::kMaxSpeedLabel), QStringLiteral("%d %n m/s"));
        QCOMPARE(w.Menu(), QStringList({"-"}));
        QVERIFY(!CAboutDialog(w.dialog->Controller(), w.dialog.get())
                     .Create());   // 30000 x 30000 units: not opened
        w.Click(ctl::kFrenchFlag); // the item comes back, still after one separator
        QCOMPARE(w.Menu().mid(3), QStringList({"-", "&About Drivo..."}));
    }
};

#include "LanguageTest.moc"
DRIVO_TEST(LanguageTest);
