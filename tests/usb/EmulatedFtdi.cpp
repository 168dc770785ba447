// SPDX-License-Identifier: GPL-3.0-or-later
#include "EmulatedFtdi.h"

#include <umockdev.h>

#include <linux/capability.h>
#include <linux/ioctl.h>
#include <linux/usbdevice_fs.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <utility>

namespace drivo::test {

namespace {

constexpr std::chrono::milliseconds kLatency{16}; // the bridge's latency timer
constexpr std::chrono::seconds kLateBy{6};
constexpr unsigned char kStatus[2] = {0x01, 0x60};
constexpr std::size_t kPayload = 62; // a 64-byte packet less the status bytes
constexpr unsigned char kBulkOut = 0x02;

// FT232R: device descriptor, then one configuration with one vendor interface and its two
// bulk endpoints of 64 bytes.
constexpr char kDescriptors[] = "12010002000000400304016000060102030109022000010100A02D"
                                "0904000002FFFFFF020705810240000007050202400000";

// The baud rate of libftdi's divisor for an FT232R: 3 MHz over an eighth-step divisor (the
// special divisors 0 and 1, for 3 and 2 Mbaud, are not needed here).
ULONG DecodeBaud(int value, int index) {
    static constexpr int kEighths[8] = {0, 4, 2, 1, 3, 5, 6, 7};
    const int whole = value & 0x3FFF;
    const int eighths = kEighths[(value >> 14) | ((index & 1) << 2)];
    return static_cast<ULONG>(24'000'000 / (whole * 8 + eighths));
}

std::string StringDescriptor(const std::u16string& text) {
    std::string d(2 + 2 * text.size(), '\0');
    d[0] = static_cast<char>(d.size());
    d[1] = 3;
    std::memcpy(d.data() + 2, text.data(), 2 * text.size());
    return d;
}

} // namespace

struct EmulatedFtdiBus::Bridge {
    EmulatedFtdiBus* bus;
    std::string path, node;
    std::u16string product, serial;
    std::shared_ptr<sim::VirtualCar> car;
    FT_HANDLE carHandle = nullptr;
    UMockdevIoctlBase* handler = nullptr;
    UMockdevIoctlClient* claimedBy = nullptr;
    bool gone = false;
    std::chrono::microseconds answerAt{0};
    std::vector<std::pair<UMockdevIoctlClient*, UMockdevIoctlData*>> reapable;
};

// Answers the usbdevfs requests of one bridge (on umockdev's worker thread).
struct Handler {
    EmulatedFtdiBus& bus;
    EmulatedFtdiBus::Bridge& b;

    void Release() {
        if (b.carHandle != nullptr)
            b.car->FT_Close(b.carHandle);
        b.carHandle = nullptr;
        if (b.claimedBy != nullptr)
            --bus.m_claims;
        b.claimedBy = nullptr;
        bus.m_released.notify_all();
    }

    void Control(const unsigned char* setup, unsigned char* data, usbdevfs_urb& urb) {
        const int type = setup[0], request = setup[1], value = setup[2] | setup[3] << 8,
                  index = setup[4] | setup[5] << 8, length = setup[6] | setup[7] << 8;
        if (type == 0x80 && request == 6 && value >> 8 == 3) { // string descriptor
            const int i = value & 0xFF;
            const std::string d = StringDescriptor(i == 0   ? std::u16string(1, u'\x0409')
                                                   : i == 1 ? u"FTDI"
                                                   : i == 2 ? b.product
                                                            : b.serial);
            urb.actual_length = std::min<int>(length, static_cast<int>(d.size()));
            std::memcpy(data, d.data(), static_cast<std::size_t>(urb.actual_length));
            return;
        }
        if ((type & 0x60) != 0x40) { // nothing else of the standard requests is needed
            urb.status = -EPIPE;
            return;
        }
        bus.m_vendorRequests.push_back({type, request, value, index});
        if (type & 0x80) // nor vendor reads (modem status, latency)
            urb.status = -EPIPE;
        else if (b.carHandle != nullptr && request == 3)
            b.car->FT_SetBaudRate(b.carHandle, DecodeBaud(value, index));
        else if (b.carHandle != nullptr && request == 4)
            b.car->FT_SetDataCharacteristics(b.carHandle, static_cast<UCHAR>(value & 0xFF),
                                             (value >> 11 & 7) == 0 ? FT_STOP_BITS_1
                                                                    : FT_STOP_BITS_2,
                                             static_cast<UCHAR>(value >> 8 & 7));
    }

    void BulkOut(const unsigned char* data, usbdevfs_urb& urb) {
        bus.m_bulkOut.append(reinterpret_cast<const char*>(data),
                             static_cast<std::size_t>(urb.buffer_length));
        urb.actual_length = urb.buffer_length;
        DWORD written = 0;
        if (b.carHandle != nullptr)
            b.car->FT_Write(b.carHandle, data, static_cast<DWORD>(urb.buffer_length), &written);
        if (bus.m_fault == BridgeFault::Late)
            b.answerAt = bus.m_clock->Now() + kLateBy;
        if (bus.m_fault == BridgeFault::Vanish)
            Vanish();
    }

    void Vanish() {
        b.gone = true;
        Release();
        umockdev_testbed_remove_device(bus.m_bed, b.path.c_str());
    }

    void BulkIn(unsigned char* data, usbdevfs_urb& urb) {
        const BridgeFault fault = bus.m_fault;
        if (fault == BridgeFault::Stall || fault == BridgeFault::VanishInRead) {
            // The kernel ends a request pending at a disconnect with ESHUTDOWN.
            urb.status = fault == BridgeFault::Stall ? -EPIPE : -ESHUTDOWN;
            if (fault == BridgeFault::VanishInRead)
                Vanish();
            return;
        }
        std::string payload;
        if (b.carHandle != nullptr && fault != BridgeFault::StatusOnly &&
            fault != BridgeFault::ShortPackets && bus.m_clock->Now() >= b.answerAt) {
            // The answer reaches the bridge byte by byte at the line's pace (each read of one
            // byte spends its arrival on the clock); the packet leaves once full, or when the
            // latency timer has run out after the last byte came in (a read that got nothing).
            char byte = 0;
            DWORD received = 0;
            while (payload.size() < kPayload &&
                   b.car->FT_Read(b.carHandle, &byte, 1, &received) == FT_OK && received == 1)
                payload += byte;
            if (fault == BridgeFault::Garbage)
                payload.assign(payload.size(), '\xA5');
        } else {
            bus.m_clock->SleepFor(kLatency);
        }
        std::memcpy(data, kStatus, 2);
        std::memcpy(data + 2, payload.data(), payload.size());
        urb.actual_length =
            fault == BridgeFault::ShortPackets ? 1 : static_cast<int>(2 + payload.size());
    }

    static gboolean OnIoctl(UMockdevIoctlBase*, UMockdevIoctlClient* client, gpointer data) {
        auto& bridge = *static_cast<EmulatedFtdiBus::Bridge*>(data);
        std::lock_guard guard(bridge.bus->m_mutex);
        return Handler{*bridge.bus, bridge}.Answer(client);
    }

    gboolean Answer(UMockdevIoctlClient* client) {
        const gulong request = umockdev_ioctl_client_get_request(client);
        UMockdevIoctlData* arg = umockdev_ioctl_client_get_arg(client);
        auto complete = [client](long result, int error) {
            umockdev_ioctl_client_complete(client, result, error);
            return TRUE;
        };
        if (request == USBDEVFS_REAPURB || request == USBDEVFS_REAPURBNDELAY) {
            for (auto it = b.reapable.begin(); it != b.reapable.end(); ++it) {
                if (it->first != client)
                    continue;
                UMockdevIoctlData* pointer =
                    umockdev_ioctl_data_resolve(arg, 0, sizeof(void*), nullptr);
                umockdev_ioctl_data_set_ptr(pointer, 0, it->second);
                g_object_unref(pointer);
                g_object_unref(it->second);
                b.reapable.erase(it);
                return complete(0, 0);
            }
            return complete(-1, b.gone ? ENODEV : EAGAIN);
        }
        if (b.gone)
            return complete(-1, ENODEV);
        switch (request) {
        case USBDEVFS_GET_CAPABILITIES: {
            UMockdevIoctlData* caps = umockdev_ioctl_data_resolve(arg, 0, sizeof(guint32), nullptr);
            *reinterpret_cast<guint32*>(caps->data) = USBDEVFS_CAP_BULK_CONTINUATION |
                                                      USBDEVFS_CAP_NO_PACKET_SIZE_LIM |
                                                      USBDEVFS_CAP_REAP_AFTER_DISCONNECT;
            g_object_unref(caps);
            return complete(0, 0);
        }
        case USBDEVFS_CLAIMINTERFACE:
            if (b.claimedBy != nullptr && b.claimedBy != client)
                return complete(-1, EBUSY);
            if (b.claimedBy == nullptr) {
                ++bus.m_claims;
                if (b.car && b.car->FT_OpenEx(kCarDescription, FT_OPEN_BY_DESCRIPTION,
                                              &b.carHandle) == FT_OK)
                    b.car->FT_SetTimeouts(b.carHandle, static_cast<ULONG>(kLatency.count()), 1000);
            }
            b.claimedBy = client;
            b.answerAt = {};
            return complete(0, 0);
        case USBDEVFS_RELEASEINTERFACE:
            if (b.claimedBy == client)
                Release();
            return complete(0, 0);
        case USBDEVFS_SUBMITURB: {
            UMockdevIoctlData* urbData =
                umockdev_ioctl_data_resolve(arg, 0, sizeof(usbdevfs_urb), nullptr);
            auto& urb = *reinterpret_cast<usbdevfs_urb*>(urbData->data);
            UMockdevIoctlData* buffer =
                umockdev_ioctl_data_resolve(urbData, G_STRUCT_OFFSET(usbdevfs_urb, buffer),
                                            static_cast<gsize>(urb.buffer_length), nullptr);
            auto* bytes = static_cast<unsigned char*>(urb.buffer);
            urb.status = 0;
            urb.actual_length = 0;
            if (urb.type == USBDEVFS_URB_TYPE_CONTROL)
                Control(bytes, bytes + 8, urb);
            else if (urb.endpoint == kBulkOut)
                BulkOut(bytes, urb);
            else
                BulkIn(bytes, urb);
            if (buffer != nullptr)
                g_object_unref(buffer);
            b.reapable.emplace_back(client, urbData);
            return complete(0, 0);
        }
        case USBDEVFS_DISCARDURB: // every URB completes at once: nothing left to discard
            return complete(-1, EINVAL);
        default: // no kernel driver to detach, nothing else supported
            return complete(
                -1, request == USBDEVFS_GETDRIVER || request == USBDEVFS_IOCTL ? ENODATA : ENOTTY);
        }
    }
};

EmulatedFtdiBus::EmulatedFtdiBus(std::shared_ptr<sim::VirtualClock> clock)
    : m_bed(umockdev_testbed_new()), m_clock(std::move(clock)) {}

EmulatedFtdiBus::~EmulatedFtdiBus() {
    g_object_unref(m_bed); // stops umockdev's worker thread: no request arrives after this
    for (auto& [path, bridge] : m_bridges) {
        for (auto& [client, urb] : bridge->reapable)
            g_object_unref(urb);
        if (bridge->carHandle != nullptr)
            bridge->car->FT_Close(bridge->carHandle);
        g_object_unref(bridge->handler);
    }
}

std::string EmulatedFtdiBus::Plug(const std::string& product, std::shared_ptr<sim::VirtualCar> car,
                                  bool announce) {
    auto bridge = std::make_unique<Bridge>();
    const int bus = static_cast<int>(m_bridges.size()) + 1;
    char node[32];
    std::snprintf(node, sizeof node, "bus/usb/%03d/001", bus);
    bridge->bus = this;
    bridge->path = "/sys/devices/usb" + std::to_string(bus);
    bridge->node = std::string("/dev/") + node;
    bridge->product.assign(product.begin(), product.end());
    bridge->serial = u"ZR" + std::u16string(1, static_cast<char16_t>(u'0' + bus));
    bridge->car = std::move(car);
    bridge->handler = umockdev_ioctl_base_new();
    g_signal_connect(bridge->handler, "handle-ioctl", G_CALLBACK(Handler::OnIoctl), bridge.get());
    // The handler first, so the node answers as soon as libusb can see the device.
    umockdev_testbed_attach_ioctl(m_bed, bridge->node.c_str(), bridge->handler, nullptr);
    const std::string record =
        "P: /devices/usb" + std::to_string(bus) + "\nN: " + node +
        "\nE: SUBSYSTEM=usb\nE: DEVTYPE=usb_device\nE: DEVNAME=" + bridge->node +
        "\nE: BUSNUM=" + std::string(node + 8, 3) +
        "\nE: DEVNUM=001\nA: idVendor=0403\\n\nA: idProduct=6001\\n\nA: busnum=" +
        std::to_string(bus) + "\\n\nA: devnum=1\\n\nA: speed=12\\n\n" +
        "A: bConfigurationValue=1\\n\nH: descriptors=" + kDescriptors + "\n";
    umockdev_testbed_add_from_string(m_bed, record.c_str(), nullptr);
    const std::string path = bridge->path;
    {
        std::lock_guard guard(m_mutex);
        m_bridges.emplace(path, std::move(bridge));
    }
    if (announce)
        umockdev_testbed_uevent(m_bed, path.c_str(), "add");
    return path;
}

void EmulatedFtdiBus::Unplug(const std::string& path) {
    {
        std::lock_guard guard(m_mutex);
        Bridge& bridge = *m_bridges.at(path);
        bridge.gone = true;
        Handler{*this, bridge}.Release();
    }
    umockdev_testbed_uevent(m_bed, path.c_str(), "remove");
    umockdev_testbed_remove_device(m_bed, path.c_str());
}

void EmulatedFtdiBus::PlugOtherMaker() {
    // A mouse's vendor (0x046D) in both its sysfs attribute and its device descriptor.
    std::string descriptors = kDescriptors;
    descriptors.replace(16, 8, "6D04C52B");
    const std::string record = "P: /devices/usb99\nN: bus/usb/099/001\nE: SUBSYSTEM=usb\n"
                               "E: DEVTYPE=usb_device\nE: BUSNUM=099\nE: DEVNUM=001\n"
                               "A: idVendor=046d\\n\nA: idProduct=c52b\\n\nA: busnum=99\\n\n"
                               "A: devnum=1\\n\nA: speed=12\\n\nA: bConfigurationValue=1\\n\n"
                               "H: descriptors=" +
                               descriptors + "\n";
    umockdev_testbed_add_from_string(m_bed, record.c_str(), nullptr);
}

void EmulatedFtdiBus::AnnounceOtherDevice() {
    umockdev_testbed_add_from_string(
        m_bed, "P: /devices/virtual/input/input7\nE: SUBSYSTEM=input\n", nullptr);
    umockdev_testbed_uevent(m_bed, "/sys/devices/virtual/input/input7", "add");
}

void EmulatedFtdiBus::MakeUnreadable(const std::string& path) {
    gchar* root = umockdev_testbed_get_root_dir(m_bed);
    const std::string node = root + m_bridges.at(path)->node;
    g_free(root);
    chmod(node.c_str(), 0);
}

void EmulatedFtdiBus::WaitWhileClaimed() const {
    std::unique_lock lock(m_mutex);
    m_released.wait(lock, [this] { return m_claims == 0; });
}

void SwapEffectiveCapabilities(unsigned (&effective)[2]) {
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct caps[2] = {};
    syscall(SYS_capget, &header, caps);
    std::swap(caps[0].effective, effective[0]);
    std::swap(caps[1].effective, effective[1]);
    syscall(SYS_capset, &header, caps);
}

} // namespace drivo::test
