// SPDX-License-Identifier: GPL-3.0-or-later
#include "DeviceServices.h"

namespace drivo {

DeviceServices DeviceServices::Completed() const {
    DeviceServices s = *this;
    if (!s.driver)
        s.driver = std::make_shared<AbsentDriver>();
    if (!s.sleeper)
        s.sleeper = std::make_shared<RealSleeper>();
    if (!s.messenger)
        s.messenger = std::make_shared<CWindowMessenger>();
    return s;
}

} // namespace drivo
