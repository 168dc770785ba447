// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestMain.h"
#include "widgets/CPercentProgress.h"

#include <QTest>

using drivo::CPercentProgress;

namespace {

const QRgb kWhite = qRgb(255, 255, 255), kBlack = qRgb(0, 0, 0);

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
        // The control never formats the position: the same text whatever it and the range are.
        QCOMPARE(PixelsOf(Shot(QStringLiteral("45%"), 123, 1000), kBlack), PixelsOf(shot, kBlack));
        // Too wide a text is cut; the black pass is clipped to the moved rectangle.
        const QList<QPoint> cut =
            PixelsOf(Shot(QStringLiteral("MMMMMMMMMM"), 100, 100, 40), kBlack);
        QVERIFY(!cut.isEmpty());
        for (const QPoint p : cut)
            QVERIFY(p.x() > 0 && p.y() > 0);
    }
};

#include "PercentProgressTest.moc"
DRIVO_TEST(PercentProgressTest);
