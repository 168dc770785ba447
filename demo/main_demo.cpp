// SPDX-License-Identifier: GPL-3.0-or-later
// drivo-demo: the same program with the virtual car in place of the USB car, and a panel to
// plug it, set its readings, run races and switch its faults.
#include "app/CDrivoApp.h"
#include "demo/DemoWiring.h"

int main(int argc, char** argv) {
    auto car = std::make_shared<drivo::sim::VirtualCar>(std::make_shared<drivo::RealSleeper>());
    return drivo::RunDrivo(argc, argv, car, [car](drivo::CMainDialog& dialog) {
        return drivo::AttachDemoCar(car, dialog);
    });
}
