// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/DeviceContext.h"

namespace drivo {

JobNotifier::~JobNotifier() = default;

DeviceContext::DeviceContext(std::shared_ptr<FtDriver> driver,
                             std::shared_ptr<JobNotifier> jobNotifier,
                             std::shared_ptr<Sleeper> sleeper)
    : link(std::move(driver), std::move(sleeper)), notifier(std::move(jobNotifier)) {}

std::shared_ptr<DeviceContext> CreateDeviceContext(std::shared_ptr<FtDriver> driver,
                                                   std::shared_ptr<JobNotifier> notifier,
                                                   std::shared_ptr<Sleeper> sleeper) {
    auto context =
        std::make_shared<DeviceContext>(std::move(driver), std::move(notifier), std::move(sleeper));
    context->link.CreateLinkMutex();
    return context;
}

} // namespace drivo
