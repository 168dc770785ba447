// drivo-demo: the same program with the virtual car in place of the USB car, and a panel to
// plug it, set its readings, run races and switch its faults.
#include "CCarPanel.h"
#include "CDeviceChangeWatcher.h"
#include "CDrivoApp.h"
#include "CMainDialog.h"

#include <QApplication>
#include <QPointer>
#include <QScreen>
#include <QTimer>

namespace {

// Keeps the car's plug callback pointed at the window while it runs.
struct DemoAttachment {
    std::shared_ptr<drivo::sim::VirtualCar> car;
    ~DemoAttachment() { car->SetPlugCallback({}); }
};

std::shared_ptr<void> AttachCar(const std::shared_ptr<drivo::sim::VirtualCar>& car,
                                drivo::CMainDialog& dialog) {
    const QPointer<drivo::CMainDialog> window(&dialog);
    // The car may change presence on a job thread (unplugged mid-exchange): hand the
    // notification to the window thread, as the platform's device-change message would be.
    auto devicesChanged = [window] {
        QMetaObject::invokeMethod(
            qApp,
            [window] {
                if (window)
                    window->OnDeviceChange(drivo::DBT_DEVNODES_CHANGED);
            },
            Qt::QueuedConnection);
    };
    car->SetPlugCallback(devicesChanged);
    auto* panel = new drivo::CCarPanel(car, devicesChanged, &dialog);
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
    return std::make_shared<DemoAttachment>(DemoAttachment{car});
}

} // namespace

int main(int, char** argv) {
    auto car = std::make_shared<drivo::sim::VirtualCar>(std::make_shared<drivo::RealSleeper>());
    return drivo::RunDrivo(argv[0], car,
                           [car](drivo::CMainDialog& dialog) { return AttachCar(car, dialog); });
}
