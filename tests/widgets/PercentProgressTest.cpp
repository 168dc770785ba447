#include "TestMain.h"
#include "widgets/CPercentProgress.h"

#include <QTest>

using drivo::CPercentProgress;

namespace {

const QRgb kWhite = qRgb(255, 255, 255);
const QRgb kBlack = qRgb(0, 0, 0);

// The battery bar as the main window sets it up, with an aliasing-free font so that text
// pixels are exactly white or black.
QImage Shot(const QString& text, int value, int maximum = 100, int width = 120) {
    CPercentProgress bar;
    bar.resize(width, 30);
    bar.SetWindowTheme(QString());
    QFont font = bar.font();
    font.setPixelSize(16);
    font.setStyleStrategy(QFont::NoAntialias);
    bar.setFont(font);
    bar.setRange(0, maximum);
    bar.setValue(value);
    bar.SetWindowText(text);
    bar.SetBarColor(QColor(0, 255, 0));
    return bar.grab().toImage().convertToFormat(QImage::Format_RGB32);
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
    void blackTextWithAWhiteEdgeAboveLeft() {
        const QImage shot = Shot(QStringLiteral("45%"), 100);
        QCOMPARE(shot.pixelColor(8, 15), QColor(0, 255, 0)); // classic bar in the bar colour
        QRect box;
        for (const QPoint p : PixelsOf(shot, kBlack)) {
            // Each black pixel was drawn over the white pass: above-left is white or black.
            const QRgb above = shot.pixel(p - QPoint(1, 1));
            QVERIFY(above == kWhite || above == kBlack);
            box |= QRect(p, QSize(1, 1));
        }
        // Each white pixel left on the bar is the edge of a black stroke below-right.
        int edge = 0;
        for (const QPoint p : PixelsOf(shot, kWhite))
            if (box.adjusted(-1, -1, 0, 0).contains(p) && ++edge)
                QCOMPARE(shot.pixel(p + QPoint(1, 1)), kBlack);
        QVERIFY(edge > 0);
        // Centred, the black pass one pixel right and down.
        QVERIFY(qAbs(box.center().x() - 61) <= 2 && qAbs(box.center().y() - 16) <= 2);
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
        const QString text = QStringLiteral("07%");
        QCOMPARE(PixelsOf(Shot(text, value, maximum), kBlack), PixelsOf(Shot(text, 50), kBlack));
    }

    void emptyTextDrawsNothingWideTextIsCut() {
        const QImage empty = Shot(QString(), 100);
        QVERIFY(PixelsOf(empty, kBlack).isEmpty());
        QCOMPARE(empty.pixelColor(60, 15), QColor(0, 255, 0));
        const QImage shot = Shot(QStringLiteral("MMMMMMMMMM"), 100, 100, 40);
        QVERIFY(!PixelsOf(shot, kBlack).isEmpty());
        // The black pass is clipped to the moved rectangle: nothing in the first column/row.
        for (const QPoint p : PixelsOf(shot, kBlack))
            QVERIFY(p.x() > 0 && p.y() > 0);
    }

    void newTextWaitsForTheRepaintThatTheColourBrings() {
        struct Counted : CPercentProgress {
            int paints = 0;
            void paintEvent(QPaintEvent* e) override { ++paints; CPercentProgress::paintEvent(e); }
        } bar;
        bar.show();
        QVERIFY(QTest::qWaitForWindowExposed(&bar));
        QCoreApplication::processEvents();
        const int shown = bar.paints;
        bar.SetWindowText(QStringLiteral("45%"));
        QCoreApplication::processEvents();
        QCOMPARE(bar.paints, shown);
        bar.SetBarColor(QColor(255, 128, 80));
        QCoreApplication::processEvents();
        QVERIFY(bar.paints > shown);
        QCOMPARE(bar.BarColor(), QColor(255, 128, 80));
    }
};

#include "PercentProgressTest.moc"
DRIVO_TEST(PercentProgressTest);
