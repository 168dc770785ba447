#pragma once
// What the main window needs to reach the car: the bridge driver (libftdi or the virtual
// car), the sleeper of the link's open loop and the messenger that brings job outcomes back
// to the window thread. Missing pieces are filled with "no car attached" and real time.
#include "CWindowMessenger.h"
#include "device/FtDriver.h"
#include "device/Sleeper.h"

#include <memory>

namespace drivo {

struct DeviceServices {
    std::shared_ptr<FtDriver> driver;
    std::shared_ptr<Sleeper> sleeper;
    std::shared_ptr<CWindowMessenger> messenger;

    // The same services with every missing piece filled in.
    DeviceServices Completed() const;
};

// A bridge driver with nothing attached: lists no device and opens none.
class AbsentDriver final : public FtDriver {
public:
    FT_STATUS FT_CreateDeviceInfoList(DWORD* numDevices) override;
    FT_STATUS FT_GetDeviceInfoList(FT_DEVICE_LIST_INFO_NODE* list, DWORD* numDevices) override;
    FT_STATUS FT_OpenEx(const void* arg1, DWORD flags, FT_HANDLE* handle) override;
    FT_STATUS FT_SetBaudRate(FT_HANDLE, ULONG) override { return FT_INVALID_HANDLE; }
    FT_STATUS FT_SetTimeouts(FT_HANDLE, ULONG, ULONG) override { return FT_INVALID_HANDLE; }
    FT_STATUS FT_SetDataCharacteristics(FT_HANDLE, UCHAR, UCHAR, UCHAR) override {
        return FT_INVALID_HANDLE;
    }
    FT_STATUS FT_Write(FT_HANDLE, const void*, DWORD, DWORD*) override { return FT_INVALID_HANDLE; }
    FT_STATUS FT_Read(FT_HANDLE, void*, DWORD, DWORD*) override { return FT_INVALID_HANDLE; }
    FT_STATUS FT_Close(FT_HANDLE) override { return FT_INVALID_HANDLE; }
};

} // namespace drivo
