// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/FirstFrame.h"

#include "app/CMainDialog.h"

#include <QEvent>
#include <QTimer>

namespace drivo {

namespace {

class SecondPaintWatcher final : public QObject {
public:
    explicit SecondPaintWatcher(std::function<void()> done) : m_done(std::move(done)) {}

    bool eventFilter(QObject*, QEvent* event) override {
        // The filter sees the paint before it is handled: finish after the event loop's turn.
        if (event->type() == QEvent::Paint && ++m_paints == 2)
            QTimer::singleShot(0, this, [this] { m_done(); });
        return false;
    }

private:
    std::function<void()> m_done;
    int m_paints = 0;
};

} // namespace

void WhenFirstFrameShown(CMainDialog& dialog, std::function<void()> done) {
    auto* watcher = new SecondPaintWatcher(std::move(done));
    watcher->setParent(&dialog.Chart());
    dialog.Chart().installEventFilter(watcher);
}

} // namespace drivo
