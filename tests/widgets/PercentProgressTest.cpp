#include "TestMain.h"
#include "widgets/CPercentProgress.h"

#include <QTest>

using drivo::CPercentProgress;

namespace {

const QRgb kWhite = qRgb(255, 255, 255);
const QRgb kBlack = qRgb(0, 0, 0);
const QColor kBar(0, 255, 0);

// The battery display as the main window sets it up, with an aliasing-free font so that
// text pixels are exactly white or black.
void SetUp(CPercentProgress& bar, QSize size = {120, 30}) {
    bar.resize(size);
    bar.SetWindowTheme(QString());
    QFont font = bar.font();
    font.setPixelSize(16);
    font.setBold(true);
    font.setStyleStrategy(QFont::NoAntialias);
    bar.setFont(font);
    bar.SetBarColor(kBar);
}

QImage Grab(QWidget& w) {
    return w.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

QList<QPoint> PixelsOf(const QImage& img, QRgb colour) {
    QList<QPoint> found;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (img.pixel(x, y) == colour)
                found.append({x, y});
    return found;
}

} // namespace

class PercentProgressTest : public QObject {
    Q_OBJECT
private slots:
    void blackTextWithAWhiteEdgeAboveLeft_data() {
        QTest::addColumn<QString>("text");
        QTest::newRow("percent") << QStringLiteral("45%");
        QTest::newRow("full") << QStringLiteral("100%");
    }
    void blackTextWithAWhiteEdgeAboveLeft() {
        QFETCH(QString, text);
        CPercentProgress bar;
        SetUp(bar);
        bar.setValue(100); // the whole groove in bar colour under the text
        bar.SetWindowText(text);
        const QImage shot = Grab(bar);
        const QList<QPoint> black = PixelsOf(shot, kBlack);
        QVERIFY(!black.isEmpty());
        // Each black pixel was drawn over the white pass: above-left of it is white or black.
        for (const QPoint p : black) {
            const QRgb above = shot.pixel(p - QPoint(1, 1));
            QVERIFY2(above == kWhite || above == kBlack, qPrintable(QString("at %1,%2").arg(p.x()).arg(p.y())));
        }
        // Each white pixel left inside the bar is the edge of a black stroke below-right.
        const QRect inner = bar.rect().adjusted(3, 3, -3, -3);
        int whites = 0;
        for (const QPoint p : PixelsOf(shot, kWhite)) {
            if (!inner.contains(p))
                continue;
            ++whites;
            QCOMPARE(shot.pixel(p + QPoint(1, 1)), kBlack);
        }
        QVERIFY(whites > 0);
        // Centred: the black pass sits one pixel right and down of the centre.
        QRect box;
        for (const QPoint p : black)
            box |= QRect(p, QSize(1, 1));
        QVERIFY(qAbs(box.center().x() - (bar.width() / 2 + 1)) <= 2);
        QVERIFY(qAbs(box.center().y() - (bar.height() / 2 + 1)) <= 2);
    }

    void emptyTextShowsTheBarAlone_data() {
        QTest::addColumn<bool>("classic");
        QTest::newRow("classic") << true;
        QTest::newRow("application style") << false;
    }
    void emptyTextShowsTheBarAlone() {
        QFETCH(bool, classic);
        CPercentProgress bar;
        SetUp(bar);
        if (!classic)
            bar.SetWindowTheme(QStringLiteral("Explorer"));
        bar.setValue(40);
        QProgressBar plain;
        plain.setStyle(bar.style());
        plain.setPalette(bar.palette());
        plain.resize(bar.size());
        plain.setRange(0, 100);
        plain.setValue(40);
        plain.setTextVisible(false);
        QCOMPARE(Grab(bar), Grab(plain));
    }

    void classicStyleFillsWithTheBarColour() {
        CPercentProgress bar;
        SetUp(bar);
        bar.setValue(50);
        const QImage shot = Grab(bar);
        QCOMPARE(QColor(shot.pixel(10, 15)), kBar);
        QVERIFY(QColor(shot.pixel(110, 15)) != kBar);
    }

    // The control never formats the position: the same text comes out whatever it is.
    void textIgnoresPositionAndRange_data() {
        QTest::addColumn<int>("maximum");
        QTest::addColumn<int>("value");
        QTest::newRow("empty bar") << 100 << 0;
        QTest::newRow("full bar") << 100 << 100;
        QTest::newRow("other range") << 1000 << 123;
    }
    void textIgnoresPositionAndRange() {
        QFETCH(int, maximum);
        QFETCH(int, value);
        CPercentProgress reference;
        SetUp(reference);
        reference.setValue(50);
        reference.SetWindowText(QStringLiteral("07%"));
        CPercentProgress bar;
        SetUp(bar);
        bar.setRange(0, maximum);
        bar.setValue(value);
        bar.SetWindowText(QStringLiteral("07%"));
        QCOMPARE(PixelsOf(Grab(bar), kBlack), PixelsOf(Grab(reference), kBlack));
    }

    void wideTextIsCutAtTheEdges() {
        CPercentProgress bar;
        SetUp(bar, {40, 30});
        bar.setValue(100);
        bar.SetWindowText(QStringLiteral("MMMMMMMMMM"));
        const QImage shot = Grab(bar);
        // The black pass is clipped to the moved rectangle: nothing in the first column/row.
        for (int y = 0; y < shot.height(); ++y)
            QVERIFY(shot.pixel(0, y) != kBlack);
        for (int x = 0; x < shot.width(); ++x)
            QVERIFY(shot.pixel(x, 0) != kBlack);
        QVERIFY(!PixelsOf(shot, kBlack).isEmpty());
    }

    void newTextWaitsForARepaintThatTheColourChangeBrings() {
        QWidget window;
        auto* bar = new CPercentProgress(&window);
        SetUp(*bar);
        int paints = 0;
        struct Counter : QObject {
            int* count;
            explicit Counter(int* c) : count(c) {}
            bool eventFilter(QObject*, QEvent* e) override {
                if (e->type() == QEvent::Paint)
                    ++*count;
                return false;
            }
        } counter(&paints);
        bar->installEventFilter(&counter);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCoreApplication::processEvents();
        const int shown = paints;
        bar->SetWindowText(QStringLiteral("45%"));
        QCoreApplication::processEvents();
        QCOMPARE(paints, shown);
        bar->SetBarColor(QColor(255, 128, 80));
        QCoreApplication::processEvents();
        QVERIFY(paints > shown);
        QCOMPARE(bar->BarColor(), QColor(255, 128, 80));
    }
};

#include "PercentProgressTest.moc"
DRIVO_TEST(PercentProgressTest);
