// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The FTDI D2XX operations the link uses, as one interface with D2XX's own names, argument
// order and status values, so the link reads like its D2XX counterpart and any bridge driver
// (libftdi, the virtual car, a test script) can sit behind it.
#include <cstdint>

namespace drivo {

using FT_STATUS = std::uint32_t;
using FT_HANDLE = void*;
using DWORD = std::uint32_t;
using ULONG = std::uint32_t;
using UCHAR = unsigned char;

inline constexpr FT_STATUS FT_OK = 0;
inline constexpr FT_STATUS FT_INVALID_HANDLE = 1;
inline constexpr FT_STATUS FT_DEVICE_NOT_FOUND = 2;
inline constexpr FT_STATUS FT_DEVICE_NOT_OPENED = 3;
inline constexpr FT_STATUS FT_IO_ERROR = 4;
inline constexpr FT_STATUS FT_INSUFFICIENT_RESOURCES = 5;
inline constexpr FT_STATUS FT_INVALID_PARAMETER = 6;
inline constexpr FT_STATUS FT_INVALID_BAUD_RATE = 7;
inline constexpr FT_STATUS FT_OTHER_ERROR = 18;

inline constexpr DWORD FT_OPEN_BY_SERIAL_NUMBER = 1;
inline constexpr DWORD FT_OPEN_BY_DESCRIPTION = 2;

// A flag of a device list entry, of this program's own (D2XX uses bits 0 and 1): the device is
// attached but the user may not open it (no udev rule), so its description could not be read.
inline constexpr ULONG FT_FLAGS_ACCESS_DENIED = 0x100;

inline constexpr UCHAR FT_BITS_8 = 8;
inline constexpr UCHAR FT_BITS_7 = 7;
inline constexpr UCHAR FT_STOP_BITS_1 = 0;
inline constexpr UCHAR FT_STOP_BITS_2 = 2;
inline constexpr UCHAR FT_PARITY_NONE = 0;
inline constexpr UCHAR FT_PARITY_ODD = 1;
inline constexpr UCHAR FT_PARITY_EVEN = 2;
inline constexpr UCHAR FT_PARITY_MARK = 3;
inline constexpr UCHAR FT_PARITY_SPACE = 4;

struct FT_DEVICE_LIST_INFO_NODE {
    ULONG Flags = 0;
    ULONG Type = 0;
    ULONG ID = 0;
    DWORD LocId = 0;
    char SerialNumber[16] = {};
    char Description[64] = {};
    FT_HANDLE ftHandle = nullptr;
};

// Implementations must be safe to call from several threads at once (each transaction uses
// its own handle). FT_Read keeps D2XX semantics: it returns once bytesToRead bytes arrived or
// the read time-out passed, with FT_OK and the count received in both cases.
class FtDriver {
public:
    virtual ~FtDriver();
    virtual FT_STATUS FT_CreateDeviceInfoList(DWORD* numDevices) = 0;
    virtual FT_STATUS FT_GetDeviceInfoList(FT_DEVICE_LIST_INFO_NODE* list, DWORD* numDevices) = 0;
    virtual FT_STATUS FT_OpenEx(const void* arg1, DWORD flags, FT_HANDLE* handle) = 0;
    virtual FT_STATUS FT_SetBaudRate(FT_HANDLE handle, ULONG baudRate) = 0;
    virtual FT_STATUS FT_SetTimeouts(FT_HANDLE handle, ULONG readTimeout, ULONG writeTimeout) = 0;
    virtual FT_STATUS FT_SetDataCharacteristics(FT_HANDLE handle, UCHAR wordLength, UCHAR stopBits,
                                                UCHAR parity) = 0;
    virtual FT_STATUS FT_Write(FT_HANDLE handle, const void* buffer, DWORD bytesToWrite,
                               DWORD* bytesWritten) = 0;
    virtual FT_STATUS FT_Read(FT_HANDLE handle, void* buffer, DWORD bytesToRead,
                              DWORD* bytesReturned) = 0;
    virtual FT_STATUS FT_Close(FT_HANDLE handle) = 0;
};

} // namespace drivo
