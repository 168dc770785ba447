// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/AbsentDriver.h"

namespace drivo {

FT_STATUS AbsentDriver::FT_CreateDeviceInfoList(DWORD* numDevices) {
    if (numDevices)
        *numDevices = 0;
    return FT_OK;
}

FT_STATUS AbsentDriver::FT_GetDeviceInfoList(FT_DEVICE_LIST_INFO_NODE*, DWORD* numDevices) {
    return FT_CreateDeviceInfoList(numDevices);
}

FT_STATUS AbsentDriver::FT_OpenEx(const void*, DWORD, FT_HANDLE* handle) {
    if (handle)
        *handle = nullptr;
    return FT_DEVICE_NOT_FOUND;
}

} // namespace drivo
