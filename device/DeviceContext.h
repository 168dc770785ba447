// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Everything a running job uses, held by shared ownership so a detached job that outlives the
// window (or whoever started it) still has a valid link, driver, sleeper and notifier.
#include "device/FtDriver.h"
#include "device/JobNotifier.h"
#include "device/Sleeper.h"
#include "device/UsbLink.h"

#include <memory>

namespace drivo {

struct DeviceContext {
    DeviceContext(std::shared_ptr<FtDriver> driver, std::shared_ptr<JobNotifier> notifier,
                  std::shared_ptr<Sleeper> sleeper);

    UsbLink link;
    std::shared_ptr<JobNotifier> notifier;
};

// A context whose link mutex is created, so that jobs started on it take turns on the car.
// Whoever owns it calls CloseLinkMutex on its link when it goes away; jobs still running then
// no longer wait for one another.
std::shared_ptr<DeviceContext>
CreateDeviceContext(std::shared_ptr<FtDriver> driver, std::shared_ptr<JobNotifier> notifier,
                    std::shared_ptr<Sleeper> sleeper = std::make_shared<RealSleeper>());

} // namespace drivo
