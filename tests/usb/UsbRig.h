// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The link and the jobs with the real libftdi driver against an emulated FTDI bridge of the
// test bed, the virtual car behind it, all on one virtual clock. The process must run with
// umockdev's preload library.
#include "EmulatedFtdi.h"
#include "device/DeviceContext.h"
#include "device/ftdi/FtdiDriver.h"

namespace drivo::test {

struct NoNotifier final : JobNotifier {
    void Post(WindowHandle, const JobOutcome&) override {}
};

struct UsbRig {
    std::shared_ptr<sim::VirtualClock> clock = std::make_shared<sim::VirtualClock>();
    EmulatedFtdiBus bus{clock};
    std::shared_ptr<sim::VirtualCar> car = std::make_shared<sim::VirtualCar>(clock);
    std::shared_ptr<DeviceContext> context =
        CreateDeviceContext(std::make_shared<FtdiDriver>(clock), std::make_shared<NoNotifier>(),
                            std::make_shared<WaitForFreeBridge>(bus, clock));
    UsbLink& link = context->link;

    // Nothing of a transaction is left behind: bridge released, car closed, link free.
    bool Closed() const { return !bus.IsClaimed() && !car->IsOpen() && !link.Mutex().IsHeld(); }
};

} // namespace drivo::test
