// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A umockdev test bed with emulated FTDI bridges (vendor 0x0403, product 0x6001, an FT232R):
// libusb finds them in the bed's sysfs and opens their device nodes, and every usbdevfs request
// is answered here, on umockdev's worker thread. A bridge with a car hands its bulk OUT bytes to
// the virtual car, on the line settings decoded from libftdi's vendor requests, and returns the
// car's answer on bulk IN behind the two FTDI status bytes. The process must run with umockdev's
// preload library (the test's CTest entry sets LD_PRELOAD).
#include "device/Sleeper.h"
#include "sim/VirtualCar.h"
#include "sim/VirtualClock.h"

#include <condition_variable>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

typedef struct _UMockdevTestbed UMockdevTestbed;

namespace drivo::test {

// One vendor request on endpoint 0, as the bridge received it.
struct VendorRequest {
    int requestType, request, value, index;
    bool operator==(const VendorRequest&) const = default;
};

enum class BridgeFault {
    None,
    Garbage,      // bulk IN carries noise instead of the car's answer
    Late,         // the car's answer arrives 6 s after the frame (status packets meanwhile)
    Stall,        // the bulk IN endpoint stalls
    ShortPackets, // bulk IN packets of one byte, shorter than the status bytes
    StatusOnly,   // bulk IN packets carry the status bytes and nothing else
    Vanish,       // the bridge goes away once a frame was written
    VanishInRead, // the bridge goes away while a bulk IN request is pending
};

class EmulatedFtdiBus {
public:
    explicit EmulatedFtdiBus(std::shared_ptr<sim::VirtualClock> clock);
    ~EmulatedFtdiBus();
    EmulatedFtdiBus(const EmulatedFtdiBus&) = delete;
    EmulatedFtdiBus& operator=(const EmulatedFtdiBus&) = delete;

    // Attaches a bridge with this product description, with the car behind it when given;
    // `announce` also sends its "add" uevent. Returns its sysfs path.
    std::string Plug(const std::string& product, std::shared_ptr<sim::VirtualCar> car = nullptr,
                     bool announce = false);
    // Detaches it: its uevent "remove", then every later request fails with ENODEV.
    void Unplug(const std::string& path);
    // A USB device of another maker, without a node.
    void PlugOtherMaker();
    // A device of another subsystem with its "add" uevent.
    void AnnounceOtherDevice();
    // Takes the read and write permission off the bridge's device node.
    void MakeUnreadable(const std::string& path);

    void SetFault(BridgeFault fault) {
        std::lock_guard guard(m_mutex);
        m_fault = fault;
    }
    std::vector<VendorRequest> VendorRequests() const { return Copy(m_vendorRequests); }
    std::string BulkOut() const { return Copy(m_bulkOut); }
    bool IsClaimed() const { return Copy(m_claims) != 0; }
    void WaitWhileClaimed() const;

    struct Bridge;

private:
    friend struct Handler;
    template <typename T> T Copy(const T& member) const {
        std::lock_guard guard(m_mutex);
        return member;
    }
    UMockdevTestbed* m_bed = nullptr;
    std::shared_ptr<sim::VirtualClock> m_clock;
    mutable std::mutex m_mutex;
    mutable std::condition_variable m_released;
    std::map<std::string, std::unique_ptr<Bridge>> m_bridges;
    BridgeFault m_fault = BridgeFault::None;
    std::vector<VendorRequest> m_vendorRequests;
    std::string m_bulkOut;
    int m_claims = 0;
};

// The link's sleeper beside the bed: virtual time, and instead of 70 ms of nothing it waits
// until the transaction holding the bridge has released it, so concurrent jobs take turns.
class WaitForFreeBridge final : public Sleeper {
public:
    WaitForFreeBridge(const EmulatedFtdiBus& bus, std::shared_ptr<sim::VirtualClock> clock)
        : m_bus(bus), m_clock(std::move(clock)) {}
    void SleepFor(std::chrono::microseconds d) override {
        m_clock->SleepFor(d);
        m_bus.WaitWhileClaimed();
    }
    std::chrono::microseconds Now() const override { return m_clock->Now(); }

private:
    const EmulatedFtdiBus& m_bus;
    std::shared_ptr<sim::VirtualClock> m_clock;
};

// Swaps the calling thread's effective capabilities with the ones given.
void SwapEffectiveCapabilities(unsigned (&effective)[2]);

// While it lives, the calling thread runs without effective capabilities, as an unprivileged
// user would (a root test run keeps no permission override), so a node without permissions
// cannot be opened.
struct NoPermissionOverride {
    unsigned saved[2] = {}; // none while it lives; then the ones it took away
    NoPermissionOverride() { SwapEffectiveCapabilities(saved); }
    ~NoPermissionOverride() { SwapEffectiveCapabilities(saved); }
};

} // namespace drivo::test
