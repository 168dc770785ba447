// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/ImageDerivation.h"
#include "TestMain.h"
#include "widgets/ImageDrawing.h"

#include <QPainter>
#include <QTest>
#include <functional>

using namespace drivo;

namespace {

constexpr QRgb kMagenta = 0xffff00ff;

// A 3 x 2 bitmap: the given colour, with the top-left pixel transparent (magenta).
QImage Bitmap(QRgb color, qreal ratio = 1) {
    QImage image(3, 2, QImage::Format_RGB32);
    image.fill(color);
    image.setPixel(0, 0, kMagenta);
    image.setDevicePixelRatio(ratio);
    return image;
}

SkinIcon Icon(QRgb color) {
    QImage argb(4, 4, QImage::Format_ARGB32);
    argb.fill(color);
    argb.setPixel(1, 1, qRgb(0, 0, 0));
    argb.setPixel(3, 3, qRgba(0, 0, 0, 0));
    return IconFromImage(argb);
}

} // namespace

class ImageDerivationTest : public QObject {
    Q_OBJECT
private slots:
    void greyAndDarkCopies_data() {
        QTest::addColumn<QRgb>("color");
        QTest::addColumn<QRgb>("grey");
        QTest::addColumn<QRgb>("dark");
        QTest::newRow("white") << qRgb(255, 255, 255) << qRgb(255, 255, 255) << qRgb(191, 191, 191);
        QTest::newRow("red") << qRgb(255, 0, 0) << qRgb(76, 76, 76) << qRgb(191, 0, 0);
        QTest::newRow("mixed") << qRgb(100, 1, 254) << qRgb(59, 59, 59) << qRgb(75, 0, 190);
    }
    void greyAndDarkCopies() {
        QFETCH(QRgb, color);
        QFETCH(QRgb, grey);
        QFETCH(QRgb, dark);
        const QImage source = Bitmap(color, 2);
        const QImage g = MakeGrayBitmap(source, 3, 2, kMagenta);
        const QImage d = MakeDarkBitmap(source, 3, 2, kMagenta);
        QCOMPARE(g.pixel(2, 1), grey);
        QCOMPARE(d.pixel(2, 1), dark);
        // The transparent colour is kept; the pixel ratio too, so a 2x face stays sharp.
        QCOMPARE(g.pixel(0, 0), kMagenta);
        QCOMPARE(d.pixel(0, 0), kMagenta);
        QCOMPARE(g.devicePixelRatio(), 2.0);
        QCOMPARE(source, Bitmap(color, 2)); // untouched
        // Icons: black stays black, the mask is shared.
        const SkinIcon greyIcon = MakeGrayIcon(Icon(color));
        const SkinIcon darkIcon = MakeDarkIcon(Icon(color));
        QCOMPARE(greyIcon.Color.pixel(0, 0), grey);
        QCOMPARE(darkIcon.Color.pixel(0, 0), dark);
        QCOMPARE(greyIcon.Color.pixel(1, 1), qRgb(0, 0, 0));
        QCOMPARE(darkIcon.Mask, Icon(color).Mask);
    }

    void darken_data() {
        QTest::addColumn<double>("factor");
        QTest::addColumn<QRgb>("result");
        QTest::newRow("0 keeps") << 0.0 << qRgb(255, 100, 1);
        QTest::newRow("1.5 keeps") << 1.5 << qRgb(255, 100, 1);
        QTest::newRow("negative keeps") << -0.5 << qRgb(255, 100, 1);
        QTest::newRow("1 gives black") << 1.0 << qRgb(0, 0, 0);
        QTest::newRow("0.25") << 0.25 << qRgb(191, 75, 0);
    }
    void darken() {
        QFETCH(double, factor);
        QTEST(Darken(qRgb(255, 100, 1), factor), "result");
    }

    // The mask marks the transparent colour and blackens it in the source, so a second mask
    // of the same bitmap finds nothing, unless the transparent colour was black already.
    void maskBlackensTheSource_data() {
        QTest::addColumn<QRgb>("transparent");
        QTest::addColumn<int>("secondMaskBit");
        QTest::newRow("magenta") << kMagenta << 0;
        QTest::newRow("black") << qRgb(0, 0, 0) << 1;
    }
    void maskBlackensTheSource() {
        QFETCH(QRgb, transparent);
        QImage source = Bitmap(qRgb(10, 20, 30));
        source.setPixel(0, 0, transparent);
        const QImage first = MakeMask(source, 3, 2, transparent);
        QCOMPARE(first.format(), QImage::Format_Mono);
        QCOMPARE(first.pixelIndex(0, 0), 1);
        QCOMPARE(first.pixelIndex(1, 0), 0);
        QCOMPARE(source.pixel(0, 0), qRgb(0, 0, 0));
        QCOMPARE(source.pixel(1, 0), qRgb(10, 20, 30));
        QTEST(MakeMask(source, 3, 2, transparent).pixelIndex(0, 0), "secondMaskBit");
    }

    // One bit a pixel across whole and short mask bytes, most significant first.
    void maskBitsFollowThePixels() {
        QImage source(11, 1, QImage::Format_RGB32);
        source.fill(qRgb(10, 20, 30));
        const QList<int> transparent{0, 7, 8, 10};
        for (int x : transparent)
            source.setPixel(x, 0, kMagenta);
        const QImage mask = MakeMask(source, 11, 1, kMagenta);
        for (int x = 0; x < 11; ++x)
            QCOMPARE(mask.pixelIndex(x, 0), int(transparent.contains(x)));
    }

    // A bitmap through its mask leaves what the two raster operations leave, wherever it lands
    // and whichever way the painter maps it.
    void maskedBitmapAsTheRasterOps_data() {
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<qreal>("ratio");
        QTest::addColumn<bool>("clipped");
        QTest::newRow("inside") << QPoint(3, 2) << 1.0 << false;
        QTest::newRow("over the top left") << QPoint(-5, -1) << 1.0 << false;
        QTest::newRow("over the bottom right") << QPoint(14, 6) << 1.0 << false;
        QTest::newRow("clipped") << QPoint(3, 2) << 1.0 << true;
        QTest::newRow("sharp surface") << QPoint(3, 2) << 2.0 << false;
    }
    void maskedBitmapAsTheRasterOps() {
        QFETCH(QPoint, at);
        QFETCH(qreal, ratio);
        QFETCH(bool, clipped);
        QImage bitmap(13, 5, QImage::Format_RGB32); // a width that ends inside a mask byte
        for (int y = 0; y < 5; ++y)
            for (int x = 0; x < 13; ++x)
                bitmap.setPixel(x, y, (x + 2 * y) % 3 ? qRgb(x * 19, y * 50, 90) : kMagenta);
        const QImage mask = MakeMask(bitmap, 13, 5, kMagenta);
        QImage drawn(20, 9, QImage::Format_RGB32);
        for (int y = 0; y < 9; ++y)
            for (int x = 0; x < 20; ++x)
                drawn.setPixel(x, y, qRgb(x * 12, 200 - y * 20, x * y));
        drawn.setDevicePixelRatio(ratio);
        QImage expected = drawn.copy();
        const auto paint = [&](QImage& on, const std::function<void(QPainter&)>& draw) {
            QPainter p(&on);
            if (clipped)
                p.setClipRect(QRect(0, 0, 9, 9));
            draw(p);
        };
        paint(drawn, [&](QPainter& p) { DrawMaskedBitmap(p, at, bitmap, mask); });
        paint(expected, [&](QPainter& p) {
            p.setCompositionMode(QPainter::RasterOp_SourceAndDestination);
            p.drawImage(at, mask);
            p.setCompositionMode(QPainter::RasterOp_SourceOrDestination);
            p.drawImage(at, bitmap);
        });
        QCOMPARE(drawn, expected);
    }

    void badInputGivesNoImage() {
        QImage null;
        QImage source = Bitmap(qRgb(1, 2, 3));
        QVERIFY(MakeMask(null, 3, 2, kMagenta).isNull());
        QVERIFY(MakeMask(source, 0, 2, kMagenta).isNull());
        QCOMPARE(source.pixel(0, 0), kMagenta); // nothing changed
        QVERIFY(MakeGrayBitmap(source, 3, -1, kMagenta).isNull());
        QVERIFY(MakeDarkBitmap(null, 3, 2, kMagenta).isNull());
        SkinIcon colourless = Icon(qRgb(9, 9, 9));
        colourless.Color = QImage();
        QVERIFY(MakeGrayIcon(colourless).IsNull());
        QVERIFY(MakeDarkIcon(SkinIcon{}).IsNull());
    }
};

#include "ImageDerivationTest.moc"
DRIVO_TEST(ImageDerivationTest);
