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

// The link mutex is created here (the window's construction creates it in one step with the
// context); CloseLinkMutex on the context's link when the window goes away.
std::shared_ptr<DeviceContext>
CreateDeviceContext(std::shared_ptr<FtDriver> driver, std::shared_ptr<JobNotifier> notifier,
                    std::shared_ptr<Sleeper> sleeper = std::make_shared<RealSleeper>());

} // namespace drivo
