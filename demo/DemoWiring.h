// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// drivo-demo's wiring: the virtual car's plug events reach the main window as device changes,
// and the car panel opens beside the window. The demo's main and the tests both call it.
#include "sim/VirtualCar.h"

#include <memory>

namespace drivo {

class CMainDialog;

// Attaches the car and its panel to the window; what it returns keeps the car's plug callback
// pointed at the window while it is held.
std::shared_ptr<void> AttachDemoCar(const std::shared_ptr<sim::VirtualCar>& car,
                                    CMainDialog& dialog);

} // namespace drivo
