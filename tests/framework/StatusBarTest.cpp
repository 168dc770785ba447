// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestMain.h"
#include "framework/CStatusBar.h"

#include <QEvent>
#include <QTest>

using namespace drivo;

namespace {

struct PaintCounter final : QObject {
    std::map<QObject*, int> paints;
    bool eventFilter(QObject* watched, QEvent* event) override {
        paints[watched] += event->type() == QEvent::Paint ? 1 : 0;
        return false;
    }
};

} // namespace

class StatusBarTest : public QObject {
    Q_OBJECT
private slots:
    // A drag writes pane 0 on every step: only that pane is drawn again, the bar keeps its
    // layout (a text wider than the pane included) and the clock's pane stays as drawn.
    void paneTextRepaintsThatPaneAlone_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("paints");
        QTest::newRow("new text") << "Intensity 37% Duration 200ms." << 1;
        QTest::newRow("the same text") << "ready" << 0;
        QTest::newRow("wider than the pane") << QString(300, u'W') << 1;
    }
    void paneTextRepaintsThatPaneAlone() {
        QWidget window;
        window.resize(400, 100);
        CStatusBar bar(&window);
        bar.SetIndicators({1, 2});
        bar.SetPaneInfo(1, 2, false, 80);
        bar.SetPaneText(0, "ready");
        bar.Reposition();
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QList<QWidget*> panes = bar.findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
        QList<QRect> geometry;
        PaintCounter counter;
        for (QWidget* w : panes) {
            geometry << w->geometry();
            w->installEventFilter(&counter);
        }
        bar.installEventFilter(&counter);
        QFETCH(QString, text);
        bar.SetPaneText(0, text);
        QCoreApplication::processEvents();
        QCoreApplication::processEvents(); // a relayout would post its own paints
        QCOMPARE(bar.PaneText(0), text);
        QTEST(counter.paints[panes.value(0)], "paints");
        QCOMPARE(counter.paints[panes.value(1)] + counter.paints[&bar], 0);
        for (int i = 0; i < panes.size(); ++i)
            QCOMPARE(panes[i]->geometry(), geometry[i]);
    }
};

#include "StatusBarTest.moc"
DRIVO_TEST(StatusBarTest);
