// The balloon tip with a scripted cursor, screen and timer.
#include "TestMain.h"
#include "widgets/CBalloonTip.h"

#include <QMouseEvent>
#include <QTest>
#include <memory>

using namespace drivo;

namespace {

struct Harness {
    QWidget owner;
    bool enabled = true;
    QString text = QStringLiteral("2\n20.0000\n20.00%\n");
    QPoint cursor{100, 100};
    QSize screen{800, 600};
    int timerStarts = 0;
    int timerStops = 0;
    unsigned lastTimeout = 0;
    CBalloonTip tip;

    Harness() {
        CBalloonTip::Environment env;
        env.cursorPos = [this] { return cursor; };
        env.screenSize = [this] { return screen; };
        env.startTimer = [this](int id, unsigned ms) {
            QCOMPARE(id, 1);
            ++timerStarts;
            lastTimeout = ms;
        };
        env.stopTimer = [this](int) { ++timerStops; };
        tip.SetEnvironment(env);
        tip.CreateTip(&owner, &enabled, &text, 4000);
    }

    QImage Picture(const QString& t) {
        text = t;
        tip.HideTip();
        cursor += QPoint(1, 0);
        tip.ShowAtCursor();
        // Outside the window's shape nothing is painted; blank it for a stable comparison.
        QImage img = tip.grab().toImage().convertToFormat(QImage::Format_RGB32);
        const QRegion shape = tip.mask();
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                if (!shape.contains(QPoint(x, y)))
                    img.setPixel(x, y, 0);
        return img;
    }
};

int Count(const QImage& img, QRgb c) {
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            n += img.pixel(x, y) == c ? 1 : 0;
    return n;
}

} // namespace

class BalloonTipTest : public QObject {
    Q_OBJECT
private slots:
    void placement_data() {
        QTest::addColumn<QPoint>("cursor");
        QTest::addColumn<QPoint>("topLeft");
        QTest::newRow("free") << QPoint(100, 100) << QPoint(110, 120);
        QTest::newRow("right edge just inside") << QPoint(669, 100) << QPoint(679, 120);
        QTest::newRow("right edge reached") << QPoint(670, 100) << QPoint(676, 120);
        QTest::newRow("bottom edge just inside") << QPoint(100, 479) << QPoint(110, 499);
        QTest::newRow("bottom edge reached") << QPoint(100, 480) << QPoint(110, 500);
        QTest::newRow("beyond the bottom edge") << QPoint(100, 590) << QPoint(110, 500);
        QTest::newRow("corner") << QPoint(790, 590) << QPoint(676, 500);
    }
    void placement() {
        QFETCH(QPoint, cursor);
        QFETCH(QPoint, topLeft);
        Harness h;
        h.cursor = cursor;
        h.tip.ShowAtCursor();
        QVERIFY(h.tip.isVisible());
        QCOMPARE(h.tip.geometry(), QRect(topLeft, QSize(120, 100)));
        QCOMPARE(h.timerStarts, 1);
        QCOMPARE(h.lastTimeout, 4000u);
        QVERIFY(h.tip.TimerActive());
    }

    void sameTextStaysPut() {
        Harness h;
        h.tip.ShowAtCursor();
        h.cursor = QPoint(300, 300);
        h.tip.ShowAtCursor();
        QCOMPARE(h.tip.pos(), QPoint(110, 120));
        QCOMPARE(h.timerStarts, 1);
        // A new text at the new position moves it and restarts the timeout.
        h.text = QStringLiteral("3\n1\n2\n");
        h.tip.ShowAtCursor();
        QCOMPARE(h.tip.pos(), QPoint(310, 320));
        QCOMPARE(h.timerStarts, 2);
    }

    void timeoutHidesUntilTheCursorMoves() {
        Harness h;
        h.tip.ShowAtCursor();
        h.tip.OnTimer(1);
        QVERIFY(!h.tip.isVisible());
        QVERIFY(!h.tip.TimerActive());
        h.tip.ShowAtCursor();
        QVERIFY(!h.tip.isVisible());
        h.cursor += QPoint(0, 1);
        h.tip.ShowAtCursor();
        QVERIFY(h.tip.isVisible());
        QCOMPARE(h.tip.pos(), QPoint(110, 121));
    }

    void newTextAtTheSameCursorIsOnlyTakenOver() {
        Harness h;
        h.tip.ShowAtCursor();
        h.tip.HideTip();
        h.text = QStringLiteral("4\n5\n6\n");
        h.tip.ShowAtCursor();
        QVERIFY(!h.tip.isVisible());
        QCOMPARE(h.tip.LastText(), h.text);
    }

    void disabledShowsNothing_data() {
        QTest::addColumn<QString>("text");
        QTest::newRow("tip text") << QStringLiteral("1\n2\n3\n");
        QTest::newRow("empty") << QString();
    }
    void disabledShowsNothing() {
        QFETCH(QString, text);
        Harness h;
        h.enabled = false;
        h.text = text;
        h.tip.ShowAtCursor();
        QVERIFY(!h.tip.isVisible());
        QCOMPARE(h.timerStarts, 0);
        h.enabled = true; // read through the pointer at each request
        h.tip.ShowAtCursor();
        QVERIFY(h.tip.isVisible());
    }

    void clickHides() {
        Harness h;
        h.tip.ShowAtCursor();
        QTest::mouseClick(&h.tip, Qt::LeftButton, {}, QPoint(50, 50));
        QVERIFY(!h.tip.isVisible());
        QVERIFY(!h.tip.TimerActive());
    }

    void movingOntoTheTipPushesItAway() {
        Harness h;
        h.tip.ShowAtCursor();
        h.cursor = QPoint(150, 170); // over the tip
        QMouseEvent move(QEvent::MouseMove, QPointF(40, 50), QPointF(150, 170), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(&h.tip, &move);
        QCOMPARE(h.tip.geometry(), QRect(160, 190, 120, 100));
        QCOMPARE(h.tip.LastCursorPos(), QPoint(150, 170));
        QCOMPARE(h.timerStarts, 1);
    }

    void onlyClosedLinesAreDrawn() {
        Harness h;
        const QImage twoLines = h.Picture(QStringLiteral("T\nA\nB\n"));
        const QImage open = h.Picture(QStringLiteral("T\nA\nB"));
        const QImage oneLine = h.Picture(QStringLiteral("T\nA\n"));
        QCOMPARE(open, oneLine);
        QVERIFY(open != twoLines);
        QCOMPARE(h.Picture(QStringLiteral("no line feed")), h.Picture(QString()));
    }

    void paintColours() {
        Harness h;
        const QImage img = h.Picture(QStringLiteral("Ti\nII\nII\n"));
        QCOMPARE(img.size(), QSize(120, 100));
        QCOMPARE(img.pixel(60, 0), qRgb(240, 210, 80));
        QCOMPARE(img.pixel(60, 1), qRgb(240, 210, 80));
        QCOMPARE(img.pixel(60, 2), qRgb(255, 255, 220));
        QCOMPARE(img.pixel(0, 50), qRgb(240, 210, 80));
        QCOMPARE(img.pixel(2, 50), qRgb(255, 255, 220));
        QVERIFY(Count(img, qRgb(255, 100, 0)) > 0);   // title
        QVERIFY(Count(img, qRgb(10, 100, 10)) > 0);   // first value line
        QVERIFY(Count(img, qRgb(150, 150, 150)) > 0); // later lines
        const QImage noTitle = h.Picture(QStringLiteral("\nII\n"));
        QCOMPARE(Count(noTitle, qRgb(255, 100, 0)), 0);
        QCOMPARE(Count(noTitle, qRgb(150, 150, 150)), 0);
    }
};

#include "BalloonTipTest.moc"
DRIVO_TEST(BalloonTipTest);
