// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/ftdi/FtdiDriver.h"
#include "device/ftdi/LibFtdi.h"

#include <libudev.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <functional>

namespace drivo {

namespace {

constexpr int kFtdiVendor = 0x0403;
constexpr int kFtdiProducts[] = {0x6001, 0x6010, 0x6011, 0x6014, 0x6015};
// Pause between two polls of the bridge that brought no data (the bridge itself answers a poll
// only every latency period, 16 ms by default).
constexpr std::chrono::milliseconds kReadPollPause{1};

// Only called where a context exists, which the opened library made.
const LibFtdi& Usb() {
    return *OpenLibFtdi();
}

struct ContextDeleter {
    void operator()(ftdi_context* context) const { Usb().ftdi_free(context); }
};
using Context = std::unique_ptr<ftdi_context, ContextDeleter>;

struct Found {
    libusb_device* device;
    int product;
    std::string description;
    std::string serial;
    bool accessDenied; // listed, but the user may not open it: no strings
};

// Why a device whose strings could not be read cannot be opened (0 when it now can).
int OpenError(libusb_device* device) {
    libusb_device_handle* handle = nullptr;
    const int result = Usb().libusb_open(device, &handle);
    if (result == 0)
        Usb().libusb_close(handle);
    return result;
}

// Visits every attached FTDI device with its product description; the visitor returns true to
// stop. A machine whose USB library cannot start has no USB devices to offer: nothing is
// visited. Returns false only when the bus could not be listed.
bool ForEachDevice(ftdi_context* context, const std::function<bool(const Found&)>& visit) {
    for (int product : kFtdiProducts) {
        ftdi_device_list* devices = nullptr;
        if (Usb().ftdi_usb_find_all(context, &devices, kFtdiVendor, product) < 0)
            return false;
        bool stop = false;
        for (ftdi_device_list* entry = devices; entry != nullptr && !stop; entry = entry->next) {
            char description[64] = {};
            char serial[16] = {};
            // A device we may not open (permissions) is still listed, without its strings.
            bool denied = false;
            const int strings =
                Usb().ftdi_usb_get_strings(context, entry->dev, nullptr, 0, description,
                                           sizeof description, serial, sizeof serial);
            if (strings < 0) {
                description[0] = serial[0] = '\0';
                constexpr int kOpenFailed = -4; // libftdi: libusb_open() failed
                denied = strings == kOpenFailed && OpenError(entry->dev) == LIBUSB_ERROR_ACCESS;
            }
            stop = visit(Found{entry->dev, product, description, serial, denied});
        }
        Usb().ftdi_list_free(&devices);
        if (stop)
            break;
    }
    return true;
}

// True when udev lists the USB devices and none is FTDI's: then starting the USB library (an
// event thread, started and joined again) to look for the bridge can be spared, and most
// checks find no car. Whatever udev cannot tell is left to the USB library, which lists the
// devices through udev itself.
bool NoFtdiDeviceListed() {
    udev* u = udev_new();
    if (u == nullptr)
        return false;
    udev_enumerate* listing = udev_enumerate_new(u);
    bool none = listing != nullptr && udev_enumerate_add_match_subsystem(listing, "usb") >= 0 &&
                udev_enumerate_add_match_property(listing, "DEVTYPE", "usb_device") >= 0 &&
                udev_enumerate_scan_devices(listing) >= 0;
    for (udev_list_entry* entry = none ? udev_enumerate_get_list_entry(listing) : nullptr;
         entry != nullptr && none; entry = udev_list_entry_get_next(entry)) {
        udev_device* device = udev_device_new_from_syspath(u, udev_list_entry_get_name(entry));
        const char* id = device ? udev_device_get_sysattr_value(device, "idVendor") : nullptr;
        // In hex, as the kernel writes it; unreadable: let libusb look.
        none = id != nullptr && std::strtol(id, nullptr, 16) != kFtdiVendor;
        if (device != nullptr)
            udev_device_unref(device);
    }
    udev_enumerate_unref(listing);
    udev_unref(u);
    return none;
}

void CopyText(char* target, std::size_t size, const std::string& text) {
    const std::size_t n = std::min(size - 1, text.size());
    std::memcpy(target, text.data(), n);
    target[n] = '\0';
}

} // namespace

struct FtdiDriver::Port {
    Context context;
    ULONG readTimeoutMs = 0; // D2XX default: wait until the count arrived
};

FtdiDriver::FtdiDriver(std::shared_ptr<Sleeper> sleeper)
    : m_sleeper(sleeper ? std::move(sleeper) : std::make_shared<RealSleeper>()) {}

FtdiDriver::~FtdiDriver() {
    for (Port* port : m_ports) {
        Usb().ftdi_usb_close(port->context.get());
        delete port;
    }
}

FtdiDriver::Port* FtdiDriver::Find(FT_HANDLE handle) {
    std::lock_guard guard(m_mutex);
    auto it = m_ports.find(static_cast<Port*>(handle));
    return it == m_ports.end() ? nullptr : *it;
}

FT_STATUS FtdiDriver::FT_CreateDeviceInfoList(DWORD* numDevices) {
    if (numDevices == nullptr)
        return FT_INVALID_PARAMETER;
    std::vector<FT_DEVICE_LIST_INFO_NODE> nodes;
    // Without the USB library, as when it cannot start, there are no devices to offer.
    Context context(NoFtdiDeviceListed() || !OpenLibFtdi() ? nullptr : Usb().ftdi_new());
    if (context) {
        const bool listed = ForEachDevice(context.get(), [&](const Found& found) {
            FT_DEVICE_LIST_INFO_NODE node;
            node.ID = static_cast<ULONG>(kFtdiVendor << 16 | found.product);
            if (found.accessDenied)
                node.Flags |= FT_FLAGS_ACCESS_DENIED;
            CopyText(node.Description, sizeof node.Description, found.description);
            CopyText(node.SerialNumber, sizeof node.SerialNumber, found.serial);
            nodes.push_back(node);
            return false;
        });
        if (!listed)
            return FT_OTHER_ERROR;
    }
    std::lock_guard guard(m_mutex);
    m_list = std::move(nodes);
    *numDevices = static_cast<DWORD>(m_list.size());
    return FT_OK;
}

FT_STATUS FtdiDriver::FT_GetDeviceInfoList(FT_DEVICE_LIST_INFO_NODE* list, DWORD* numDevices) {
    if (list == nullptr || numDevices == nullptr)
        return FT_INVALID_PARAMETER;
    std::lock_guard guard(m_mutex);
    // Never write more entries than the caller says it holds.
    const DWORD count = std::min<DWORD>(*numDevices, static_cast<DWORD>(m_list.size()));
    std::copy_n(m_list.begin(), count, list);
    *numDevices = count;
    return FT_OK;
}

FT_STATUS FtdiDriver::FT_OpenEx(const void* arg1, DWORD flags, FT_HANDLE* handle) {
    if (arg1 == nullptr || handle == nullptr || flags != FT_OPEN_BY_DESCRIPTION)
        return FT_INVALID_PARAMETER;
    const std::string wanted(static_cast<const char*>(arg1));
    auto port = std::make_unique<Port>();
    // The device must be opened through the USB context that found it, and that context then
    // lives as long as the handle.
    port->context.reset(OpenLibFtdi() ? Usb().ftdi_new() : nullptr);
    if (!port->context)
        return FT_DEVICE_NOT_FOUND;
    FT_STATUS status = FT_DEVICE_NOT_FOUND;
    ForEachDevice(port->context.get(), [&](const Found& found) {
        if (found.description != wanted)
            return false;
        // Fails while another transaction (or program) has claimed the device.
        status = Usb().ftdi_usb_open_dev(port->context.get(), found.device) == 0
                     ? FT_OK
                     : FT_DEVICE_NOT_OPENED;
        return true;
    });
    if (status != FT_OK)
        return status;
    std::lock_guard guard(m_mutex);
    *handle = port.get();
    m_ports.insert(port.release());
    return FT_OK;
}

FT_STATUS FtdiDriver::FT_SetBaudRate(FT_HANDLE handle, ULONG baudRate) {
    Port* port = Find(handle);
    if (port == nullptr)
        return FT_INVALID_HANDLE;
    const int result = Usb().ftdi_set_baudrate(port->context.get(), static_cast<int>(baudRate));
    return result == 0 ? FT_OK : result == -1 ? FT_INVALID_BAUD_RATE : FT_IO_ERROR;
}

FT_STATUS FtdiDriver::FT_SetTimeouts(FT_HANDLE handle, ULONG readTimeout, ULONG writeTimeout) {
    Port* port = Find(handle);
    if (port == nullptr)
        return FT_INVALID_HANDLE;
    port->readTimeoutMs = readTimeout;
    // USB transfers wait at most the write time-out; reads are timed by FT_Read's own loop.
    port->context->usb_write_timeout = static_cast<int>(std::max<ULONG>(writeTimeout, 1));
    port->context->usb_read_timeout = static_cast<int>(std::clamp<ULONG>(readTimeout, 1, 100));
    return FT_OK;
}

FT_STATUS FtdiDriver::FT_SetDataCharacteristics(FT_HANDLE handle, UCHAR wordLength, UCHAR stopBits,
                                                UCHAR parity) {
    Port* port = Find(handle);
    if (port == nullptr)
        return FT_INVALID_HANDLE;
    if ((wordLength != FT_BITS_7 && wordLength != FT_BITS_8) ||
        (stopBits != FT_STOP_BITS_1 && stopBits != FT_STOP_BITS_2) || parity > FT_PARITY_SPACE)
        return FT_INVALID_PARAMETER;
    const int result =
        Usb().ftdi_set_line_property(port->context.get(), wordLength == FT_BITS_8 ? BITS_8 : BITS_7,
                                     stopBits == FT_STOP_BITS_1 ? STOP_BIT_1 : STOP_BIT_2,
                                     static_cast<ftdi_parity_type>(parity));
    return result == 0 ? FT_OK : FT_IO_ERROR;
}

FT_STATUS FtdiDriver::FT_Write(FT_HANDLE handle, const void* buffer, DWORD bytesToWrite,
                               DWORD* bytesWritten) {
    Port* port = Find(handle);
    if (port == nullptr)
        return FT_INVALID_HANDLE;
    if (buffer == nullptr || bytesWritten == nullptr)
        return FT_INVALID_PARAMETER;
    const int result =
        Usb().ftdi_write_data(port->context.get(), static_cast<const unsigned char*>(buffer),
                              static_cast<int>(bytesToWrite));
    if (result < 0)
        return FT_IO_ERROR;
    *bytesWritten = static_cast<DWORD>(result);
    return FT_OK;
}

FT_STATUS FtdiDriver::FT_Read(FT_HANDLE handle, void* buffer, DWORD bytesToRead,
                              DWORD* bytesReturned) {
    Port* port = Find(handle);
    if (port == nullptr)
        return FT_INVALID_HANDLE;
    if (buffer == nullptr || bytesReturned == nullptr)
        return FT_INVALID_PARAMETER;
    auto* bytes = static_cast<unsigned char*>(buffer);
    const auto deadline = m_sleeper->Now() + std::chrono::milliseconds(port->readTimeoutMs);
    DWORD received = 0;
    // libftdi returns whatever has arrived; D2XX waits for the full count or the time-out.
    while (received < bytesToRead) {
        const int result = Usb().ftdi_read_data(port->context.get(), bytes + received,
                                                static_cast<int>(bytesToRead - received));
        if (result < 0)
            return FT_IO_ERROR;
        received += static_cast<DWORD>(result);
        if (received >= bytesToRead)
            break;
        if (port->readTimeoutMs != 0 && m_sleeper->Now() >= deadline)
            break;
        if (result == 0)
            m_sleeper->SleepFor(kReadPollPause);
    }
    *bytesReturned = received;
    return FT_OK;
}

FT_STATUS FtdiDriver::FT_Close(FT_HANDLE handle) {
    Port* port = nullptr;
    {
        std::lock_guard guard(m_mutex);
        auto it = m_ports.find(static_cast<Port*>(handle));
        if (it == m_ports.end())
            return FT_INVALID_HANDLE;
        port = *it;
        m_ports.erase(it);
    }
    const int result = Usb().ftdi_usb_close(port->context.get());
    delete port;
    return result == 0 ? FT_OK : FT_IO_ERROR;
}

} // namespace drivo
