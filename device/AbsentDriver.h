// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The bridge driver of a machine where no USB bridge can be reached: every listing is empty
// and every open fails, so the link reports "no car" without special cases of its own.
#include "device/FtDriver.h"

namespace drivo {

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
