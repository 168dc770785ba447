// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the main window needs to reach the car: the bridge driver (libftdi or the virtual
// car), the sleeper of the link's open loop and the messenger that brings job outcomes back
// to the window thread. Missing pieces are filled with "no car attached" and real time.
#include "device/AbsentDriver.h"
#include "device/Sleeper.h"
#include "framework/CWindowMessenger.h"

#include <memory>

namespace drivo {

struct DeviceServices {
    std::shared_ptr<FtDriver> driver;
    std::shared_ptr<Sleeper> sleeper;
    std::shared_ptr<CWindowMessenger> messenger;

    // The same services with every missing piece filled in.
    DeviceServices Completed() const;
};

} // namespace drivo
