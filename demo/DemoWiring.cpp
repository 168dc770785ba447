#include "demo/DemoWiring.h"

#include "app/CMainDialog.h"
#include "demo/CCarPanel.h"
#include "framework/DeviceChange.h"

#include <QApplication>
#include <QPointer>
#include <QScreen>
#include <QTimer>

namespace drivo {
namespace {

// Keeps the car's plug callback pointed at the window while it runs.
struct DemoAttachment {
    std::shared_ptr<sim::VirtualCar> car;
    ~DemoAttachment() {
        if (car)
            car->SetPlugCallback({});
    }
};

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
                    window->OnDeviceChange(DBT_DEVNODES_CHANGED);
            },
            Qt::QueuedConnection);
    };
    car->SetPlugCallback(devicesChanged);
    auto* panel = new CCarPanel(car, devicesChanged, &dialog);
    QTimer::singleShot(0, panel, [panel, window] {
        panel->adjustSize();
        if (window) {
            // Beside the window when the screen has room, else below it or over its corner.
            const QRect screen = window->screen()->availableGeometry();
            const QRect frame = window->frameGeometry();
            QPoint at = frame.topRight() + QPoint(12, 0);
            if (at.x() + panel->width() > screen.right())
                at = QPoint(frame.left(), frame.bottom() + 12);
            if (at.y() + panel->height() > screen.bottom())
                at = QPoint(screen.right() - panel->width(), screen.top());
            panel->move(at);
        }
        panel->show();
    });
    // Built in place: a temporary attachment would clear the callback as it goes.
    auto attachment = std::make_shared<DemoAttachment>();
    attachment->car = car;
    return attachment;
}

} // namespace drivo
