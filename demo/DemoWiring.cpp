// SPDX-License-Identifier: GPL-3.0-or-later
#include "demo/DemoWiring.h"

#include "app/CMainDialog.h"
#include "demo/CCarPanel.h"
#include "demo/PanelPlacement.h"
#include "framework/DeviceChange.h"

#include <QApplication>
#include <QPointer>
#include <QScreen>
#include <QTimer>

namespace drivo {
namespace {

// Keeps the car's plug callback pointed at the window while it is held. Built in place, never
// copied: a copy's destructor would clear the callback of the car they share.
class DemoAttachment {
public:
    DemoAttachment(std::shared_ptr<sim::VirtualCar> car, std::function<void()> devicesChanged)
        : m_car(std::move(car)) {
        m_car->SetPlugCallback(std::move(devicesChanged));
    }
    DemoAttachment(const DemoAttachment&) = delete;
    DemoAttachment& operator=(const DemoAttachment&) = delete;
    ~DemoAttachment() { m_car->SetPlugCallback({}); }

private:
    std::shared_ptr<sim::VirtualCar> m_car;
};

// Beside the window, never over it; the panel scrolls when it had to shrink.
void PlacePanel(CCarPanel& panel, CMainDialog& window) {
    const QRect screen = window.screen()->availableGeometry();
    const QSize frameExtra = panel.frameGeometry().size() - panel.size();
    const DemoLayout layout =
        LayOutBeside(screen, window.frameGeometry(), panel.sizeHint() + frameExtra);
    window.move(layout.windowAt);
    panel.resize(layout.panel.size() - frameExtra);
    panel.move(layout.panel.topLeft());
}

} // namespace

std::shared_ptr<void> AttachDemoCar(const std::shared_ptr<sim::VirtualCar>& car,
                                    CMainDialog& dialog) {
    const QPointer<CMainDialog> window(&dialog);
    // The car may change presence on a job thread (unplugged mid-exchange): hand the
    // notification to the window thread, as the platform's device-change message would be.
    auto devicesChanged = [window] {
        QMetaObject::invokeMethod(
            qApp,
            [window] {
                if (window)
                    window->Controller().OnDeviceChange(DBT_DEVNODES_CHANGED);
            },
            Qt::QueuedConnection);
    };
    auto attachment = std::make_shared<DemoAttachment>(car, devicesChanged);
    auto* panel = new CCarPanel(car, devicesChanged, &dialog);
    // Once the window is shown and has its place.
    QTimer::singleShot(0, panel, [panel, window] {
        if (window)
            PlacePanel(*panel, *window);
        panel->show();
    });
    return attachment;
}

} // namespace drivo
