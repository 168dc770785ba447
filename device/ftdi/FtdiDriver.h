// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// D2XX operations over libftdi1: FTDI devices (vendor 0x0403, FTDI's standard product ids)
// listed and opened by their USB product description. Each handle owns its own libftdi
// context, so transactions on different handles may run on different threads. The read
// time-out is measured and waited on the given sleeper (real time when none is given).
#include "device/FtDriver.h"
#include "device/Sleeper.h"

#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <vector>

namespace drivo {

class FtdiDriver final : public FtDriver {
public:
    explicit FtdiDriver(std::shared_ptr<Sleeper> sleeper = nullptr);
    ~FtdiDriver() override;
    FtdiDriver(const FtdiDriver&) = delete;
    FtdiDriver& operator=(const FtdiDriver&) = delete;

    FT_STATUS FT_CreateDeviceInfoList(DWORD* numDevices) override;
    FT_STATUS FT_GetDeviceInfoList(FT_DEVICE_LIST_INFO_NODE* list, DWORD* numDevices) override;
    FT_STATUS FT_OpenEx(const void* arg1, DWORD flags, FT_HANDLE* handle) override;
    FT_STATUS FT_SetBaudRate(FT_HANDLE handle, ULONG baudRate) override;
    FT_STATUS FT_SetTimeouts(FT_HANDLE handle, ULONG readTimeout, ULONG writeTimeout) override;
    FT_STATUS FT_SetDataCharacteristics(FT_HANDLE handle, UCHAR wordLength, UCHAR stopBits,
                                        UCHAR parity) override;
    FT_STATUS FT_Write(FT_HANDLE handle, const void* buffer, DWORD bytesToWrite,
                       DWORD* bytesWritten) override;
    FT_STATUS FT_Read(FT_HANDLE handle, void* buffer, DWORD bytesToRead,
                      DWORD* bytesReturned) override;
    FT_STATUS FT_Close(FT_HANDLE handle) override;

    struct Port;

private:
    Port* Find(FT_HANDLE handle);

    const std::shared_ptr<Sleeper> m_sleeper;
    std::mutex m_mutex;
    std::vector<FT_DEVICE_LIST_INFO_NODE> m_list;
    std::set<Port*> m_ports;
};

} // namespace drivo
