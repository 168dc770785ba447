// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestMain.h"
#include "framework/CDialog.h"
#include "widgets/CSkinButton.h"

#include <QApplication>
#include <QDesktopServices>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QTest>
#include <functional>

using namespace drivo;

namespace {

constexpr QRgb kMagenta = 0xffff00ff;
constexpr QRgb kGreen = 0xff00c000; // hover/pressed face
constexpr QRgb kBlue = 0xff0000c0;  // normal face
constexpr QRgb kParent = 0xffc00000;

// A 20 x 10 face of one colour with a transparent 2 x 2 corner at the top left.
QImage Face(QRgb color) {
    QImage image(20, 10, QImage::Format_RGB32);
    image.fill(color);
    QPainter(&image).fillRect(0, 0, 2, 2, QColor(kMagenta));
    return image;
}

// A button of 40 x 30 in a parent painted in kParent; the face sits at (10, 10).
struct Rig {
    QWidget parent;
    CSkinButton* button;
    explicit Rig(unsigned style = CButton::kPushButton) {
        parent.setAutoFillBackground(true);
        SetParentColor(kParent);
        parent.resize(100, 60);
        button = new CSkinButton(&parent, 5, style);
        button->setGeometry(30, 15, 40, 30);
        button->SetBitmapPair(Face(kGreen), kMagenta, Face(kBlue), kMagenta);
        parent.show();
    }
    void SetParentColor(QRgb color) {
        QPalette palette = parent.palette();
        palette.setColor(QPalette::Window, color);
        parent.setPalette(palette);
    }
    QImage Grab() const { return button->grab().toImage(); }
    QRgb Pixel(QPoint p) const { return Grab().pixel(p); }
    void Move(QPoint p, Qt::MouseButtons held = Qt::NoButton) const {
        QMouseEvent move(QEvent::MouseMove, p, button->mapToGlobal(p), Qt::NoButton, held, {});
        QApplication::sendEvent(button, &move);
    }
};

using Call = std::function<unsigned(CSkinButton&)>;

// Records what the popup menu of a button would have done.
class MenuButton : public CSkinButton {
public:
    using CSkinButton::CSkinButton;
    QPoint shownAt;
    bool pressedWhileShown = false;
    int TrackPopupMenu(QMenu*, QPoint globalPos) override {
        shownAt = globalPos;
        pressedWhileShown = grab().toImage().pixel(20, 15) == kGreen;
        return 0x10077;
    }
};

// Receives the menu callback and opened links.
class Receiver : public QObject {
    Q_OBJECT
public:
    CMenuCallbackEvent seen{0, nullptr, 0};
    QList<QUrl> opened;
    bool event(QEvent* e) override {
        if (e->type() == CMenuCallbackEvent::Type())
            seen = *static_cast<CMenuCallbackEvent*>(e);
        return QObject::event(e);
    }
public slots:
    void open(const QUrl& url) { opened << url; }
};

class CommandLog : public CDialog {
public:
    CommandLog() : CDialog(0) {}
    std::vector<int> commands;
    void OnCommand(int id) override { commands.push_back(id); }
};

} // namespace

Q_DECLARE_METATYPE(Call)

class SkinButtonTest : public QObject {
    Q_OBJECT
private slots:
    // Each refused call leaves the colours, the alignment and the images as they were.
    void statusCodes_data() {
        QTest::addColumn<Call>("call");
        QTest::addColumn<unsigned>("status");
        QTest::addColumn<bool>("imagesKept");
#define ROW(name, status, kept, ...)                                                               \
    QTest::newRow(name) << Call([](CSkinButton& b) { __VA_ARGS__; }) << status##u << kept
        // clang-format off
        ROW("slot 6", 3, true, return b.SetStateColor(6, 0));
        ROW("get slot 6", 3, true, QRgb c; return b.GetStateColor(6, &c));
        ROW("shade slot 6", 3, true, return b.ShadeStateColor(6, 1));
        ROW("shade 256", 5, true, return b.ShadeStateColor(2, 256));
        ROW("shade -256", 5, true, return b.ShadeStateColor(2, -256));
        ROW("alignment 4", 4, true, return b.SetImageAlignment(4));
        ROW("pressed style 2", 6, true, return b.SetPressedShift(2));
        ROW("background, not transparent", 5, true, return b.SetParentBackground(Face(kBlue)));
        ROW("menu without submenu", 1, true, return b.SetPopupMenu(new QMenu, nullptr));
        ROW("cursor missing", 1, true, return b.SetCursorResource(9999));
        ROW("null bitmap", 1, false, return b.SetBitmapPair(QImage(), kMagenta));
        ROW("empty normal bitmap", 1, false, return b.SetBitmapPair(Face(kGreen), kMagenta, QImage(0, 0, QImage::Format_RGB32), 0));
        ROW("missing resource", 1, false, return b.SetBitmapPair(9999, kMagenta, 0, 0));
        ROW("null icon", 1, false, return b.SetIconPair(SkinIcon{}));
        ROW("no first bitmap: fine, no image", 0, false, return b.SetBitmapPair(std::nullopt, 0));
        // clang-format on
#undef ROW
    }
    void statusCodes() {
        QFETCH(Call, call);
        QFETCH(bool, imagesKept);
        Rig rig;
        QVERIFY(rig.button->ShadeStateColor(2, 5) == 0);
        const auto colors = [&] {
            std::vector<QRgb> all(6);
            for (std::uint8_t slot = 0; slot < 6; ++slot)
                rig.button->GetStateColor(slot, &all[slot]);
            return all;
        };
        const std::vector<QRgb> before = colors();
        const QImage shot = rig.Grab();
        QTEST(call(*rig.button), "status");
        QCOMPARE(colors(), before);
        QCOMPARE(rig.Pixel({20, 15}) == kBlue, imagesKept);
        if (imagesKept)
            QCOMPARE(rig.Grab(), shot);
    }

    void shadeStateColor_data() {
        QTest::addColumn<int>("offset");
        QTest::addColumn<QRgb>("result");
        QTest::newRow("+100 stops at 255") << 100 << qRgb(255, 155, 105);
        QTest::newRow("-100 stops at 0") << -100 << qRgb(150, 50, 0);
        QTest::newRow("0") << 0 << qRgb(200, 100, 50);
    }
    void shadeStateColor() {
        QFETCH(int, offset);
        CSkinButton button;
        QCOMPARE(button.SetStateColor(4, qRgb(200, 100, 50)), 0u);
        QCOMPARE(button.ShadeStateColor(4, std::int16_t(offset)), 0u);
        QRgb shaded = 0;
        button.GetStateColor(4, &shaded);
        QTEST(shaded, "result");
    }

    // Item 100 x 40, image 20 x 10, origin (3, 3).
    void placeImage_data() {
        QTest::addColumn<int>("align");
        QTest::addColumn<bool>("title");
        QTest::addColumn<bool>("pressed");
        QTest::addColumn<QPoint>("image");
        QTest::addColumn<QRect>("caption");
        const QRect item(0, 0, 100, 40);
        QTest::newRow("left, title") << 0 << true << false << QPoint(3, 15) << QRect(23, 0, 77, 40);
        QTest::newRow("left, no title") << 0 << false << false << QPoint(40, 15) << item;
        QTest::newRow("left, pressed") << 0 << false << true << QPoint(41, 16) << item;
        QTest::newRow("above, title")
            << 1 << true << false << QPoint(40, 3) << QRect(0, 10, 100, 30);
        QTest::newRow("above, no title") << 1 << false << false << QPoint(40, 15) << item;
        QTest::newRow("right, title")
            << 2 << true << false << QPoint(77, 15) << QRect(3, 0, 74, 40);
        QTest::newRow("right, no title") << 2 << false << false << QPoint(40, 0) << item;
        QTest::newRow("overlap") << 3 << true << false << QPoint(0, 0) << item;
    }
    void placeImage() {
        QFETCH(int, align);
        QFETCH(bool, title);
        QFETCH(bool, pressed);
        CSkinButton button;
        button.resize(100, 40);
        QCOMPARE(button.SetImageAlignment(std::uint8_t(align)), 0u);
        QRect moved = button.rect();
        QTEST(button.PlaceImage(title, button.rect(), moved, pressed, 20, 10).topLeft(), "image");
        QTEST(moved, "caption");
    }

    // Face pixel at (20, 15); pressed shifts it by (1, 1), so (10, 10) then shows the face
    // colour of the parent-less button, not the image.
    void facesByState_data() {
        QTest::addColumn<QString>("state");
        QTest::addColumn<unsigned>("style");
        QTest::addColumn<QRgb>("face");
        const QRgb grey = qRgb(112, 112, 112); // 0.587 * 192
        const unsigned push = CButton::kPushButton, box = CButton::kCheckBox;
        QTest::newRow("normal") << "normal" << push << kBlue;
        QTest::newRow("hovered") << "hover" << push << kGreen;
        QTest::newRow("hovered, then left") << "hover leave" << push << kBlue;
        QTest::newRow("pressed") << "press" << push << kGreen;
        QTest::newRow("disabled") << "disabled" << push << grey;
        QTest::newRow("disabled, hovered") << "disabled hover" << push << grey;
        QTest::newRow("check box, hovered") << "hover" << box << kBlue;
        QTest::newRow("check box, checked") << "checked" << box << kGreen;
    }
    void facesByState() {
        QFETCH(QString, state);
        QFETCH(unsigned, style);
        QFETCH(QRgb, face);
        Rig rig(style);
        if (state.contains("disabled"))
            rig.button->setEnabled(false);
        if (state.contains("hover"))
            rig.Move({20, 15});
        if (state.contains("leave")) {
            QEvent leave(QEvent::Leave);
            QApplication::sendEvent(rig.button, &leave);
        }
        if (state == "press")
            QTest::mousePress(rig.button, Qt::LeftButton, {}, {20, 15});
        if (state == "checked")
            QTest::mouseClick(rig.button, Qt::LeftButton, {}, {20, 15});
        const QImage shot = rig.Grab();
        QCOMPARE(shot.pixel(20, 15), face);
        const bool shifted = state == "press";
        QCOMPARE(shot.pixel(12, 12) == face, !shifted);
        QCOMPARE(shot.pixel(30, 19) == face, shifted);
        // The transparent corner shows the button's face colour, in every state.
        const QRgb corner = shot.pixel(shifted ? 11 : 10, shifted ? 11 : 10);
        QCOMPARE(corner, shot.pixel(1, 1));
        if (state == "press")
            QTest::mouseRelease(rig.button, Qt::LeftButton, {}, {20, 15});
    }

    // Focused, a flat face shows its focus rectangle when asked; disabled, it hands the focus on.
    void focusRectangleAndHandOver() {
        Rig rig;
        auto* next = new QLineEdit(&rig.parent);
        next->show();
        rig.button->setFocusPolicy(Qt::StrongFocus);
        rig.parent.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&rig.parent));
        rig.button->setFocus();
        QVERIFY(rig.button->hasFocus());
        const QRgb plain = rig.Pixel({3, 3});
        rig.button->SetFlatFocusRect(true);
        QCOMPARE(rig.Pixel({3, 3}), plain ^ 0x00ffffff);
        QCOMPARE(rig.Pixel({4, 3}), plain); // dotted
        rig.button->setEnabled(false);
        QVERIFY(next->hasFocus());
    }

    void transparentFaceKeepsItsCopyUntilSetTransparent() {
        Rig rig;
        rig.button->SetTransparent();
        QCOMPARE(rig.Pixel({10, 10}), kParent); // the mask's corner shows the parent
        QCOMPARE(rig.Pixel({0, 0}), kParent);
        rig.SetParentColor(qRgb(255, 255, 0));
        QCOMPARE(rig.Pixel({0, 0}), kParent);
        rig.button->SetTransparent();
        QCOMPARE(rig.Pixel({0, 0}), qRgb(255, 255, 0));
        // A change of the system's colours takes the copy anew too.
        rig.SetParentColor(qRgb(0, 255, 255));
        QEvent themeChange(QEvent::ThemeChange);
        QApplication::sendEvent(rig.button, &themeChange);
        QCOMPARE(rig.Pixel({0, 0}), qRgb(0, 255, 255));
        QCOMPARE(rig.Pixel({20, 15}), kBlue);
    }

    void doubleClickActsAsPress() {
        Rig rig;
        int clicks = 0;
        QObject::connect(rig.button, &QAbstractButton::clicked, [&] { ++clicks; });
        QTest::mouseClick(rig.button, Qt::LeftButton, {}, {20, 15});
        QTest::mouseDClick(rig.button, Qt::LeftButton, {}, {20, 15});
        QTest::mouseRelease(rig.button, Qt::LeftButton, {}, {20, 15});
        QCOMPARE(clicks, 2);
    }

    void popupMenuTellsTheCallbackAndPostsTheCommand() {
        Rig rig;
        CommandLog owner;
        Receiver callback;
        auto* button = new MenuButton(&owner, 3);
        button->setGeometry(0, 0, 40, 30);
        button->SetBitmapPair(Face(kGreen), kMagenta, Face(kBlue), kMagenta);
        auto* menu = new QMenu;
        QMenu* sub = menu->addMenu(QStringLiteral("sub"));
        QCOMPARE(button->SetPopupMenu(menu, &owner), 0u);
        button->SetPopupMenuCallback(&callback, 0x401, 99);
        owner.show();
        QTest::mouseClick(button, Qt::LeftButton, {}, {20, 15});
        QCOMPARE(callback.seen.Message, 0x401u);
        QCOMPARE(callback.seen.SubMenu, sub);
        QCOMPARE(callback.seen.LParam, std::intptr_t(99));
        QCOMPARE(button->shownAt, button->mapToGlobal(QPoint(0, 30)));
        QVERIFY(button->pressedWhileShown);
        QCOMPARE(owner.commands, std::vector<int>({3})); // the click itself; the choice is posted
        QCoreApplication::processEvents();
        QCOMPARE(owner.commands, std::vector<int>({3, 0x77}));
        QCOMPARE(rig.Pixel({20, 15}), kBlue); // unrelated button untouched
    }

    void linkTipAndSize() {
        Rig rig;
        Receiver receiver;
        QDesktopServices::setUrlHandler(QStringLiteral("drivo-test"), &receiver, "open");
        rig.button->SetLink(QStringLiteral("drivo-test://") + QString(300, 'x'));
        QCOMPARE(rig.button->Link().toUtf8().size(), 260);
        // A character ending at byte 260 is kept; one crossing it is left out whole.
        const QString e = QStringLiteral("é");
        rig.button->SetLink(QString(258, 'x') + e + 'x');
        QCOMPARE(rig.button->Link(), QString(258, 'x') + e);
        rig.button->SetLink(QString(259, 'x') + e);
        QCOMPARE(rig.button->Link(), QString(259, 'x'));
        rig.button->SetLink(QStringLiteral("drivo-test://car"));
        QTest::mouseClick(rig.button, Qt::LeftButton, {}, {20, 15});
        QDesktopServices::unsetUrlHandler(QStringLiteral("drivo-test"));
        QCOMPARE(receiver.opened, QList<QUrl>({QUrl(QStringLiteral("drivo-test://car"))}));
        rig.button->SetTipText(QString());
        QVERIFY(!rig.button->ToolTip() || rig.button->toolTip().isEmpty());
        rig.button->SetTipText(QStringLiteral("Envoyer"), false);
        QVERIFY(rig.button->toolTip().isEmpty());
        rig.button->ActivateTip(true);
        QCOMPARE(rig.button->toolTip(), QStringLiteral("Envoyer"));
        // The button's own tip wraps at 400 pixels; asked for, it is a balloon.
        for (const bool balloon : {false, true}) {
            CSkinButton button;
            button.resize(40, 30);
            if (balloon)
                button.UseBalloonTip();
            button.SetTipText(QStringLiteral("Envoi des paramètres de commande ").repeated(8));
            QHelpEvent help(QEvent::ToolTip, {5, 5}, button.mapToGlobal(QPoint(5, 5)));
            QApplication::sendEvent(&button, &help);
            const QWidget* tip = button.ToolTip()->ShownTip();
            QVERIFY(tip && tip->width() <= 400 && tip->height() > 3 * tip->fontMetrics().height());
            QCOMPARE(tip->mask().isEmpty(), !balloon); // a balloon is cut to its round corners
            QVERIFY(!balloon || (!tip->mask().contains(QPoint(0, 0)) &&
                                 tip->mask().contains(tip->rect().center())));
        }
        QCOMPARE(rig.button->FitToImage(), 0u);
        QCOMPARE(rig.button->size(), QSize(20, 10));
    }

    void styleGivesDefaultAndCheckBox() {
        CSkinButton def(nullptr, 1, CButton::kDefPushButton);
        CSkinButton box(nullptr, 2, CButton::kCheckBox);
        QCOMPARE(def.GetDialogCode(), 0x2010u);
        def.SetButtonStyle(CButton::kPushButton);
        QCOMPARE(def.GetDialogCode(), 0x2020u);
        QCOMPARE(def.GetStyle() & CButton::kTypeMask, CButton::kOwnerDraw);
        def.SetCheck(1);
        QVERIFY(!def.IsChecked()); // only in check-box mode
        box.SetCheck(2);
        QCOMPARE(box.GetCheck(), 1);
        box.SetCheck(3);
        QCOMPARE(box.GetCheck(), 0);
    }

    // A 2x face on a 2x surface: each device pixel of the face lands on its own, and the
    // mask's transparent device pixel lines up with it.
    void doubleRatioFaceStaysSharp() {
        QImage face(40, 20, QImage::Format_RGB32);
        face.fill(kBlue);
        face.setPixel(1, 1, kGreen);
        face.setPixel(2, 1, kMagenta);
        face.setDevicePixelRatio(2);
        CSkinButton button;
        button.resize(40, 30);
        QCOMPARE(button.SetBitmapPair(face, kMagenta), 0u);
        QImage surface(80, 60, QImage::Format_RGB32);
        surface.setDevicePixelRatio(2);
        QPainter dc(&surface);
        button.DrawItem(dc, 0, button.rect());
        dc.end();
        // Image at (10, 10) logical = (20, 20) device.
        QCOMPARE(surface.pixel(21, 21), kGreen);
        QCOMPARE(surface.pixel(22, 21), surface.pixel(0, 0)); // the face colour shows through
        QCOMPARE(surface.pixel(23, 21), kBlue);
        QCOMPARE(surface.pixel(20, 20), kBlue);
    }
};

#include "SkinButtonTest.moc"
DRIVO_TEST(SkinButtonTest);
