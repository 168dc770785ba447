// SPDX-License-Identifier: GPL-3.0-or-later
// The balloon tip with a scripted cursor, screen and timer.
#include "TestMain.h"
#include "widgets/CBalloonTip.h"

#include <QMouseEvent>
#include <QTest>

using namespace drivo;

namespace {

struct Harness {
    QWidget owner;
    bool enabled = true;
    QString text = QStringLiteral("2\n20.0000\n20.00%\n");
    QPoint cursor{100, 100};
    int timerStarts = 0;
    CBalloonTip tip;

    Harness() {
        CBalloonTip::Environment env;
        env.cursorPos = [this] { return cursor; };
        env.screenSize = [] { return QSize(800, 600); };
        env.startTimer = [this](int, unsigned ms) {
            QCOMPARE(ms, 4000u);
            ++timerStarts;
        };
        env.stopTimer = [](int) {};
        tip.SetEnvironment(env);
        tip.CreateTip(&owner, &enabled, &text, 4000);
    }

    // The tip showing t; outside the window's shape nothing is painted, so that is blanked.
    QImage Picture(const QString& t) {
        text = t;
        tip.HideTip();
        cursor += QPoint(1, 0);
        tip.ShowAtCursor();
        QImage img = tip.grab().toImage().convertToFormat(QImage::Format_RGB32);
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                if (!tip.mask().contains(QPoint(x, y)))
                    img.setPixel(x, y, 0);
        return img;
    }
};

} // namespace

class BalloonTipTest : public QObject {
    Q_OBJECT
private slots:
    // The 120 x 100 tip sits 10,20 off the cursor on an 800 x 600 screen, pushed back at the edges.
    void placement_data() {
        QTest::addColumn<QPoint>("cursor");
        QTest::addColumn<QPoint>("topLeft");
        QTest::newRow("right edge just inside") << QPoint(669, 100) << QPoint(679, 120);
        QTest::newRow("right edge reached") << QPoint(670, 100) << QPoint(676, 120);
        QTest::newRow("bottom edge reached") << QPoint(100, 480) << QPoint(110, 500);
        QTest::newRow("corner") << QPoint(790, 590) << QPoint(676, 500);
    }
    void placement() {
        Harness h;
        QFETCH(QPoint, cursor);
        h.cursor = cursor;
        h.tip.ShowAtCursor();
        QVERIFY(h.tip.isVisible() && h.tip.TimerActive());
        QFETCH(QPoint, topLeft);
        QCOMPARE(h.tip.geometry(), QRect(topLeft, QSize(120, 100)));
        QCOMPARE(h.timerStarts, 1); // once, for the 4 s the tip was created with
    }

    void sameTextStaysPut() {
        Harness h;
        h.tip.ShowAtCursor();
        h.cursor = QPoint(300, 300);
        h.tip.ShowAtCursor();
        QCOMPARE(h.tip.pos(), QPoint(110, 120));
        QCOMPARE(h.timerStarts, 1);
        h.text = QStringLiteral("3\n1\n2\n"); // a new text moves it and restarts the timeout
        h.tip.ShowAtCursor();
        QCOMPARE(h.tip.pos(), QPoint(310, 320));
        QCOMPARE(h.timerStarts, 2);
    }

    void timeoutHidesUntilTheCursorMoves() {
        Harness h;
        h.tip.ShowAtCursor();
        h.tip.OnTimer(1);
        QVERIFY(!h.tip.isVisible() && !h.tip.TimerActive());
        h.text = QStringLiteral("4\n5\n6\n"); // a new text at the same cursor is only taken over
        h.tip.ShowAtCursor();
        QVERIFY(!h.tip.isVisible());
        h.cursor += QPoint(0, 1);
        h.tip.ShowAtCursor();
        QVERIFY(h.tip.isVisible());
    }

    void clickOrMoveOntoTheTip() {
        Harness h;
        h.tip.ShowAtCursor();
        h.cursor = QPoint(150, 170); // over the tip: it moves away, keeping its timeout
        QMouseEvent move(QEvent::MouseMove, QPointF(40, 50), QPointF(h.cursor), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(&h.tip, &move);
        QCOMPARE(h.tip.geometry(), QRect(160, 190, 120, 100));
        QCOMPARE(h.timerStarts, 1);
        QTest::mouseClick(&h.tip, Qt::LeftButton, {}, QPoint(50, 50));
        QVERIFY(!h.tip.isVisible() && !h.tip.TimerActive());
    }

    void onlyClosedLinesAreDrawn() {
        Harness h;
        const QImage open = h.Picture(QStringLiteral("T\nA\nB"));
        QCOMPARE(open, h.Picture(QStringLiteral("T\nA\n")));
        QVERIFY(open != h.Picture(QStringLiteral("T\nA\nB\n")));
        QCOMPARE(h.Picture(QStringLiteral("no line feed")), h.Picture(QString()));
    }
};

#include "BalloonTipTest.moc"
DRIVO_TEST(BalloonTipTest);
