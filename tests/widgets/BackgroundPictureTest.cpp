// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/BackgroundPicture.h"
#include "TestMain.h"
#include "i18n/ResourceModule.h"
#include "widgets/ScaledJpeg.h"

#include <QBuffer>
#include <QImageReader>
#include <QPainter>
#include <QTest>
#include <QWidget>

using namespace drivo;

namespace {

constexpr int kPicture = 143;
constexpr QRgb kBlank = 0xFF102030;

// What DrawWindowPictures leaves on a blank surface the size of the window.
QImage Drawn(const QWidget& window) {
    QImage surface(window.size(), QImage::Format_ARGB32_Premultiplied);
    surface.fill(kBlank);
    QPainter painter(&surface);
    DrawWindowPictures(&window, painter);
    return surface;
}

bool Untouched(const QImage& surface) {
    QImage blank(surface.size(), surface.format());
    blank.fill(kBlank);
    return surface == blank;
}

int EntriesOf(const QWidget& window) {
    int n = 0;
    for (const PictureEntry* e = PictureListHead(); e; e = e->next)
        n += e->owner == &window ? 1 : 0;
    return n;
}

QByteArray JpegOf(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPEG", 95);
    return bytes;
}

// A small real JPEG whose header claims `size`: the decoder believes it and reads on.
QByteArray JpegClaiming(QSize size) {
    QImage small(16, 16, QImage::Format_RGB32);
    small.fill(Qt::darkCyan);
    QByteArray bytes = JpegOf(small);
    const int sof = bytes.indexOf(QByteArray("\xFF\xC0", 2));
    bytes[sof + 5] = char(size.height() >> 8);
    bytes[sof + 6] = char(size.height() & 0xFF);
    bytes[sof + 7] = char(size.width() >> 8);
    bytes[sof + 8] = char(size.width() & 0xFF);
    return bytes;
}

} // namespace

class BackgroundPictureTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { QCOMPARE(PictureCount(), 0); }

    void freeingOneWindowLeavesTheOthersDrawn() {
        QWidget first, second;
        first.resize(120, 90);
        second.resize(120, 90);
        AddResourcePicture(&first, kPicture, first.rect());
        AddResourcePicture(&second, kPicture, second.rect());
        FinishPictureDecoding();
        QCOMPARE(PictureCount(), 2);
        QVERIFY(!Untouched(Drawn(first)));

        FreeWindowPictures(&first);
        QCOMPARE(PictureCount(), 1);
        QVERIFY(Untouched(Drawn(first)));
        QVERIFY(!Untouched(Drawn(second)));
        FreeWindowPictures(&first); // a second walk finds nothing
        QCOMPARE(PictureCount(), 1);
        FreeWindowPictures(&second);
        FreeWindowPictures(&second);
    }

    // The pictures of one window are drawn newest first: the older one ends on top.
    void theOlderPictureEndsOnTop() {
        QWidget window;
        window.resize(160, 80);
        AddResourcePicture(&window, kPicture, QRect(0, 0, 100, 80));
        FinishPictureDecoding();
        const QImage olderAlone = Drawn(window);
        AddResourcePicture(&window, kPicture, QRect(60, 0, 100, 80));
        FinishPictureDecoding();
        const QImage both = Drawn(window);
        QCOMPARE(both.copy(0, 0, 100, 80), olderAlone.copy(0, 0, 100, 80));
        QVERIFY(both.pixel(150, 40) != kBlank);
        QCOMPARE(EntriesOf(window), 2);
        FreeWindowPictures(&window);
    }

    // A window destroyed without freeing leaves nothing behind.
    void aDestroyedWindowTakesItsPicturesAlong() {
        auto window = std::make_unique<QWidget>();
        window->resize(40, 30);
        AddResourcePicture(window.get(), kPicture, window->rect());
        AddResourcePicture(window.get(), kPicture, window->rect());
        QCOMPARE(PictureCount(), 2);
        window.reset();
        QCOMPARE(PictureCount(), 0);
        FinishPictureDecoding(); // the results find no entry
    }

    void registration_data() {
        QTest::addColumn<int>("id");
        QTest::addColumn<QRect>("rect");
        QTest::addColumn<int>("entries");
        QTest::addColumn<bool>("drawn");
        QTest::newRow("whole window") << kPicture << QRect(0, 0, 64, 48) << 1 << true;
        QTest::newRow("zero-sized rectangle") << kPicture << QRect(10, 10, 0, 0) << 1 << false;
        QTest::newRow("missing resource") << 999 << QRect(0, 0, 64, 48) << 0 << false;
    }
    void registration() {
        QFETCH(int, id);
        QFETCH(QRect, rect);
        QWidget window;
        window.resize(64, 48);
        AddResourcePicture(&window, id, rect);
        FinishPictureDecoding();
        QTEST(EntriesOf(window), "entries");
        QTEST(!Untouched(Drawn(window)), "drawn");
        if (const PictureEntry* e = PictureListHead()) { // sizes as the picture reports them
            QCOMPARE(e->sourceWidth, 3200 * 2540 / 96);
            QCOMPARE(e->sourceHeight, 2400 * 2540 / 96);
        }
        FreeWindowPictures(&window);
    }

    // The window's first frame never waits: the picture arrives later, and a second
    // registration of the same bytes (a language switch) shows it at once. A decoding held
    // back until the first frame (as the program holds it) still ends when it is waited for.
    void decodesAwayFromTheFirstFrameAndReusesTheSameBytes_data() {
        QTest::addColumn<bool>("held");
        QTest::addColumn<QSize>("size"); // sizes decoded by no other test
        QTest::newRow("free") << false << QSize(77, 55);
        QTest::newRow("held") << true << QSize(75, 57);
    }
    void decodesAwayFromTheFirstFrameAndReusesTheSameBytes() {
        QFETCH(bool, held);
        QFETCH(QSize, size);
        QWidget window;
        window.resize(size);
        HoldPictureDecoding(held);
        AddResourcePicture(&window, kPicture, window.rect());
        QVERIFY(Untouched(Drawn(window)));
        FinishPictureDecoding();
        const QImage shown = Drawn(window);
        QVERIFY(!Untouched(shown));
        FreeWindowPictures(&window);
        AddResourcePicture(&window, kPicture, window.rect());
        QCOMPARE(Drawn(window), shown);
        FreeWindowPictures(&window);
    }

    // At start the window registers its picture, frees it and registers it again (its
    // language) before the decoding is done: the second registration gets the same result.
    void aRegistrationWhileDecodingGetsThatResult() {
        QWidget window;
        window.resize(71, 53); // a size decoded by no other test
        AddResourcePicture(&window, kPicture, window.rect());
        FreeWindowPictures(&window);
        AddResourcePicture(&window, kPicture, window.rect());
        QCOMPARE(EntriesOf(window), 1);
        FinishPictureDecoding();
        const QImage shown = Drawn(window);
        FreeWindowPictures(&window);
        const auto decoded =
            LoadPictureFromMemory(ResourceModule::Current().LoadBinary(kPicture), {71, 53});
        QVERIFY(decoded);
        QCOMPARE(shown, decoded->image.convertToFormat(shown.format()));
    }

    // The picture as Qt's own reader scales it, within rounding: same orientation, channel
    // order and edges, at a ratio the decoder's M/8 scaling meets exactly, one it passes, and
    // one it cannot reach (twice and more, left to Qt's reader).
    void decodesAsQtsReaderDoes_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<bool>("scaledWhileDecoded");
        const QByteArray program = ResourceModule::Current().LoadBinary(kPicture);
        QImage corners(64, 48, QImage::Format_RGB32);
        corners.fill(Qt::white);
        QPainter(&corners).fillRect(0, 0, 16, 12, Qt::red);
        QImage grey(40, 30, QImage::Format_Grayscale8);
        for (int y = 0; y < grey.height(); ++y)
            for (int x = 0; x < grey.width(); ++x)
                grey.scanLine(y)[x] = static_cast<uchar>(x * 6);
        QTest::newRow("window") << program << QSize(793, 567) << true;
        QTest::newRow("one eighth") << program << QSize(400, 300) << true;
        QTest::newRow("corner, not mirrored") << JpegOf(corners) << QSize(50, 40) << true;
        QTest::newRow("twice and a half") << JpegOf(corners) << QSize(160, 120) << false;
        QTest::newRow("grey") << JpegOf(grey) << QSize(33, 25) << true;
    }
    void decodesAsQtsReaderDoes() {
        QFETCH(QByteArray, bytes);
        QFETCH(QSize, size);
        const auto loaded = LoadPictureFromMemory(bytes, size);
        QVERIFY(loaded);
        QBuffer buffer(&bytes);
        QImageReader reader(&buffer);
        reader.setScaledSize(size);
        const QImage expected = reader.read().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(loaded->image.size(), expected.size());
        QCOMPARE(loaded->image.format(), QImage::Format_RGB32);
        long long total = 0;
        int worst = 0;
        for (int y = 0; y < size.height(); ++y)
            for (int x = 0; x < size.width(); ++x) {
                const QRgb a = loaded->image.pixel(x, y);
                const QRgb b = expected.pixel(x, y);
                for (int d : {qRed(a) - qRed(b), qGreen(a) - qGreen(b), qBlue(a) - qBlue(b)}) {
                    total += std::abs(d);
                    worst = std::max(worst, std::abs(d));
                }
            }
        QVERIFY2(total < 3LL * size.width() * size.height(), qPrintable(QString::number(total)));
        QVERIFY2(worst < 64, qPrintable(QString::number(worst)));
        // Only JPEGs that this path leaves go through Qt's reader.
        QTEST(!DecodeJpegToSize(bytes, size, 64 << 20).isNull(), "scaledWhileDecoded");
    }

    void loadsFromMemory_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("picture");
        QTest::newRow("the program's picture")
            << ResourceModule::Current().LoadBinary(kPicture) << true;
        QTest::newRow("nothing") << QByteArray() << false;
        QTest::newRow("not a picture") << QByteArray("JFIF? no, just text") << false;
        // Decoded at the window's size straight from the stream, never at its own.
        QTest::newRow("20000 x 20000") << JpegClaiming({20000, 20000}) << true;
    }
    void loadsFromMemory() {
        QFETCH(QByteArray, bytes);
        const auto loaded = LoadPictureFromMemory(bytes, {793, 567});
        QTEST(loaded.has_value(), "picture");
        if (loaded)
            QCOMPARE(loaded->image.size(), QSize(793, 567));
    }
};

#include "BackgroundPictureTest.moc"
DRIVO_TEST(BackgroundPictureTest);
