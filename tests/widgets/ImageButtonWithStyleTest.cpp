// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestMain.h"
#include "widgets/CImageButtonWithStyle.h"
#include "widgets/CThemeApi.h"
#include "widgets/ThemeLibrary.h"

#include <QFont>
#include <QRegion>
#include <QTest>
#include <functional>

using namespace drivo;

namespace {

using Button = CImageButtonWithStyle;
using Check = std::function<bool(const CThemeApi&)>;

// Puts the process-wide theme access on a library that paints the themed background red over
// the whole item and records the states asked for (or on none), and the application's style
// back afterwards.
struct RecordingTheme {
    static inline std::vector<int> states;
    ThemeLibrary lib;
    explicit RecordingTheme(bool on = true) {
        states.clear();
        lib.Export<&CThemeApi::IsAppThemed>("IsAppThemed", [] { return true; });
        lib.Export<&CThemeApi::IsThemeActive>("IsThemeActive", [] { return true; });
        lib.Export<&CThemeApi::OpenThemeData>("OpenThemeData", [](QWidget*, const QString&) {
            return reinterpret_cast<HTHEME>(&states);
        });
        lib.Export<&CThemeApi::CloseThemeData>("CloseThemeData", [](HTHEME) { return kThemeOk; });
        lib.Export<&CThemeApi::DrawThemeBackground>(
            "DrawThemeBackground",
            [](HTHEME, QPainter* dc, int, int state, const QRect* r, const QRect*) {
                states.push_back(state);
                dc->fillRect(*r, Qt::red);
                return kThemeOk;
            });
        CThemeApi::Instance().LoadLibrary(on ? &lib : nullptr);
    }
    ~RecordingTheme() { CThemeApi::Instance().LoadLibrary(); }
};

} // namespace

Q_DECLARE_METATYPE(Check)

class ImageButtonWithStyleTest : public QObject {
    Q_OBJECT
private slots:
    void imagePlacement_data() {
        QTest::addColumn<int>("size");
        QTest::addColumn<unsigned>("style");
        QTest::addColumn<int>("left");
        QTest::addColumn<int>("top");
        // Rectangle (10, 20) 40 x 30.
        QTest::newRow("centred") << 10 << 0u << 25 << 30;
        QTest::newRow("left, top") << 10 << (Button::kLeft | Button::kTop) << 10 << 20;
        QTest::newRow("right, bottom") << 10 << (Button::kRight | Button::kBottom) << 40 << 40;
        QTest::newRow("centre bits") << 10 << 0xF00u << 25 << 30;
        QTest::newRow("wider, right") << 45 << (Button::kRight | Button::kBottom) << 10 << 20;
        QTest::newRow("taller, centred") << 35 << 0u << 12 << 20;
    }
    void imagePlacement() {
        QFETCH(int, size);
        QFETCH(unsigned, style);
        const QRect r(10, 20, 40, 30);
        QTEST(Button::ImageLeft(size, r, style), "left");
        QTEST(Button::ImageTop(size, r, style), "top");
    }

    // Disabled before pressed before hot before default.
    void themedState_data() {
        QTest::addColumn<unsigned>("style");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<unsigned>("itemState");
        QTest::addColumn<int>("state"); // 0: the framework draws
        QTest::addColumn<bool>("themed");
        const unsigned all = Button::kStateSelected | Button::kStateHot;
        const unsigned icon = Button::kIcon | Button::kDefPushButton;
        QTest::newRow("disabled wins") << icon << false << all << 4 << true;
        QTest::newRow("pressed default") << icon << true << all << 3 << true;
        QTest::newRow("hot default") << icon << true << Button::kStateHot << 2 << true;
        QTest::newRow("default") << (Button::kBitmap | Button::kDefPushButton) << true << 0u << 5
                                 << true;
        QTest::newRow("normal") << unsigned(Button::kBitmap) << true << 0u << 1 << true;
        QTest::newRow("no image style: default drawing")
            << unsigned(Button::kDefPushButton) << true << 0u << 0 << true;
        QTest::newRow("no theming") << unsigned(Button::kIcon) << true << 0u << 0 << false;
    }
    void themedState() {
        QFETCH(unsigned, style);
        QFETCH(bool, enabled);
        QFETCH(unsigned, itemState);
        QFETCH(int, state);
        QFETCH(bool, themed);
        RecordingTheme theme(themed);
        Button button(nullptr, 1, style);
        button.setEnabled(enabled);
        QImage surface(20, 20, QImage::Format_RGB32);
        QPainter dc(&surface);
        Button::CustomDraw draw{Button::kPrePaint, &dc, QRect(0, 0, 20, 20), itemState};
        long result = -1;
        button.OnNotifyCustomDraw(draw, &result);
        QCOMPARE(result, state ? Button::kSkipDefault : Button::kDoDefault);
        QCOMPARE(RecordingTheme::states, state ? std::vector<int>{state} : std::vector<int>{});
        draw.DrawStage = 2; // neither erase nor paint
        button.OnNotifyCustomDraw(draw, &result);
        QCOMPARE(result, Button::kDoDefault);
    }

    // A monochrome icon (and-mask over xor-mask, 8 x 16) is 8 x 8: centred in 20 x 20 at (6, 6).
    void monochromeIconIsHalfItsMask() {
        RecordingTheme theme;
        QImage mask(8, 16, QImage::Format_Mono);
        mask.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
        mask.fill(0);
        for (int y = 8; y < 16; ++y)
            for (int x = 0; x < 8; ++x)
                mask.setPixel(x, y, 1); // xor half white
        Button button(nullptr, 1, Button::kIcon);
        button.resize(20, 20);
        button.SetIcon({QImage(), mask, QPoint(4, 4)});
        const QImage shot = button.grab().toImage();
        QCOMPARE(shot.pixel(6, 6), qRgb(255, 255, 255));
        QCOMPARE(shot.pixel(13, 13), qRgb(255, 255, 255));
        QCOMPARE(shot.pixel(6, 14), qRgb(255, 0, 0));
        QCOMPARE(shot.pixel(5, 6), qRgb(255, 0, 0));
    }

    // Without the library every function gives its neutral value and writes nothing.
    void fallbacks_data() {
        QTest::addColumn<Check>("check");
        const auto h = reinterpret_cast<HTHEME>(&RecordingTheme::states);
        const auto fails = [](HRESULT r) { return r == static_cast<HRESULT>(0x80004005u); };
        const QRect r(1, 2, 3, 4);
#define FALLBACK(Name, ...) QTest::newRow(#Name) << Check([=](const CThemeApi& t) { __VA_ARGS__ })
        // clang-format off
        FALLBACK(OpenThemeData, return !t.OpenThemeData(nullptr, "BUTTON"););
        FALLBACK(GetWindowTheme, return !t.GetWindowTheme(nullptr););
        FALLBACK(GetThemeSysColorBrush, return !t.GetThemeSysColorBrush(h, 1););
        FALLBACK(IsThemeActive, return !t.IsThemeActive(););
        FALLBACK(IsAppThemed, return !t.IsAppThemed(););
        FALLBACK(IsThemePartDefined, return !t.IsThemePartDefined(h, 1, 1););
        FALLBACK(IsThemeBackgroundPartiallyTransparent, return !t.IsThemeBackgroundPartiallyTransparent(h, 1, 1););
        FALLBACK(GetThemeSysBool, return !t.GetThemeSysBool(h, 1););
        FALLBACK(IsThemeDialogTextureEnabled, return !t.IsThemeDialogTextureEnabled(nullptr););
        FALLBACK(GetThemeSysSize, return t.GetThemeSysSize(h, 1) == 0;);
        FALLBACK(GetThemeAppProperties, return t.GetThemeAppProperties() == 0;);
        FALLBACK(GetThemeSysColor, return t.GetThemeSysColor(h, 1) == 0xFFFFFF;);
        FALLBACK(SetThemeAppProperties, t.SetThemeAppProperties(3); return true;);
        FALLBACK(CloseThemeData, return fails(t.CloseThemeData(h)););
        FALLBACK(DrawThemeBackground, QRect c = r; return fails(t.DrawThemeBackground(h, nullptr, 1, 1, &c, &c)) && c == r;);
        FALLBACK(DrawThemeText, return fails(t.DrawThemeText(h, nullptr, 1, 1, "x", 1, 0, 0, &r)););
        FALLBACK(GetThemeBackgroundContentRect, QRect c = r; return fails(t.GetThemeBackgroundContentRect(h, nullptr, 1, 1, &r, &c)) && c == r;);
        FALLBACK(GetThemeBackgroundExtent, QRect c = r; return fails(t.GetThemeBackgroundExtent(h, nullptr, 1, 1, &r, &c)) && c == r;);
        FALLBACK(GetThemePartSize, QSize s(7, 8); return fails(t.GetThemePartSize(h, nullptr, 1, 1, &r, 0, &s)) && s == QSize(7, 8););
        FALLBACK(GetThemeTextExtent, QRect c = r; return fails(t.GetThemeTextExtent(h, nullptr, 1, 1, "x", 1, 0, &r, &c)) && c == r;);
        FALLBACK(GetThemeTextMetrics, ThemeTextMetrics m{7}; return fails(t.GetThemeTextMetrics(h, nullptr, 1, 1, &m)) && m.Height == 7;);
        FALLBACK(GetThemeBackgroundRegion, QRegion g(r); return fails(t.GetThemeBackgroundRegion(h, nullptr, 1, 1, &r, &g)) && g == QRegion(r););
        FALLBACK(HitTestThemeBackground, std::uint16_t c = 7; return fails(t.HitTestThemeBackground(h, nullptr, 1, 1, 0, &r, nullptr, {}, &c)) && c == 7;);
        FALLBACK(DrawThemeEdge, QRect c = r; return fails(t.DrawThemeEdge(h, nullptr, 1, 1, &r, 0, 0, &c)) && c == r;);
        FALLBACK(DrawThemeIcon, return fails(t.DrawThemeIcon(h, nullptr, 1, 1, &r, nullptr, 0)););
        FALLBACK(GetThemeColor, COLORREF c = 7; return fails(t.GetThemeColor(h, 1, 1, 1, &c)) && c == 7;);
        FALLBACK(GetThemeMetric, int v = 7; return fails(t.GetThemeMetric(h, nullptr, 1, 1, 1, &v)) && v == 7;);
        FALLBACK(GetThemeString, char16_t b[2] = {u'x', 0}; return fails(t.GetThemeString(h, 1, 1, 1, b, 2)) && b[0] == u'x';);
        FALLBACK(GetThemeBool, bool v = true; return fails(t.GetThemeBool(h, 1, 1, 1, &v)) && v;);
        FALLBACK(GetThemeInt, int v = 7; return fails(t.GetThemeInt(h, 1, 1, 1, &v)) && v == 7;);
        FALLBACK(GetThemeEnumValue, int v = 7; return fails(t.GetThemeEnumValue(h, 1, 1, 1, &v)) && v == 7;);
        FALLBACK(GetThemePosition, QPoint p(7, 8); return fails(t.GetThemePosition(h, 1, 1, 1, &p)) && p == QPoint(7, 8););
        FALLBACK(GetThemeFont, QFont f("Sans", 31); return fails(t.GetThemeFont(h, nullptr, 1, 1, 1, &f)) && f.pointSize() == 31;);
        FALLBACK(GetThemeRect, QRect c = r; return fails(t.GetThemeRect(h, 1, 1, 1, &c)) && c == r;);
        FALLBACK(GetThemeMargins, ThemeMargins m{7}; return fails(t.GetThemeMargins(h, nullptr, 1, 1, 1, &r, &m)) && m.Left == 7;);
        FALLBACK(GetThemeIntList, ThemeIntList l{7}; return fails(t.GetThemeIntList(h, 1, 1, 1, &l)) && l.Count == 7;);
        FALLBACK(GetThemePropertyOrigin, int v = 7; return fails(t.GetThemePropertyOrigin(h, 1, 1, 1, &v)) && v == 7;);
        FALLBACK(SetWindowTheme, return fails(t.SetWindowTheme(nullptr, "", "")););
        FALLBACK(GetThemeFilename, char16_t b[2] = {u'x', 0}; return fails(t.GetThemeFilename(h, 1, 1, 1, b, 2)) && b[0] == u'x';);
        FALLBACK(GetThemeSysFont, QFont f("Sans", 31); return fails(t.GetThemeSysFont(h, 1, &f)) && f.pointSize() == 31;);
        FALLBACK(GetThemeSysString, char16_t b[2] = {u'x', 0}; return fails(t.GetThemeSysString(h, 1, b, 2)) && b[0] == u'x';);
        FALLBACK(GetThemeSysInt, int v = 7; return fails(t.GetThemeSysInt(h, 1, &v)) && v == 7;);
        FALLBACK(EnableThemeDialogTexture, return fails(t.EnableThemeDialogTexture(nullptr, 0)););
        FALLBACK(GetCurrentThemeName, char16_t b[2] = {u'x', 0}; return fails(t.GetCurrentThemeName(b, 2, b, 2, b, 2)) && b[0] == u'x';);
        FALLBACK(GetThemeDocumentationProperty, char16_t b[2] = {u'x', 0}; return fails(t.GetThemeDocumentationProperty("a", "b", b, 2)) && b[0] == u'x';);
        FALLBACK(DrawThemeParentBackground, QRect c = r; return fails(t.DrawThemeParentBackground(nullptr, nullptr, &c)) && c == r;);
        FALLBACK(EnableTheming, return fails(t.EnableTheming(true)););
        // clang-format on
#undef FALLBACK
    }
    void fallbacks() {
        QFETCH(Check, check);
        const CThemeApi absent(nullptr);
        QVERIFY(check(absent));
        // A library without that entry point answers the same.
        const ThemeLibrary empty;
        const CThemeApi partial(&empty);
        QVERIFY(check(partial));
    }
};

#include "ImageButtonWithStyleTest.moc"
DRIVO_TEST(ImageButtonWithStyleTest);
