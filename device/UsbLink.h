// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The only road to the car: counting attached cars, and one complete exchange that opens the
// car by its USB description, configures the line, writes a frame, reads the answer of known
// length and closes again. Safe to use from several threads at once. Each exchange is shown to
// the link trace (device/LinkTrace.h).
#include "device/CarLink.h"
#include "device/FtDriver.h"
#include "device/LinkMutex.h"
#include "device/LinkTrace.h"
#include "device/Sleeper.h"

#include <chrono>
#include <memory>
#include <span>
#include <string_view>

namespace drivo {

inline constexpr int kOpenAttempts = 100;
inline constexpr std::chrono::milliseconds kOpenRetryDelay{70};

class UsbLink {
public:
    UsbLink(std::shared_ptr<FtDriver> driver, std::shared_ptr<Sleeper> sleeper);

    // Attached FTDI devices described exactly as the car; -1 when they cannot be listed.
    // `inaccessible`, when given, receives the number of FTDI devices listed without a
    // description because the user may not open them (each may be the car).
    int CountMatchingDevices(int* inaccessible = nullptr);
    // One exchange. On entry replyCount is N, the bytes to read; `reply` must hold N + 1 bytes
    // (else FT_INVALID_PARAMETER and nothing happens). On success replyCount is the count
    // received and a NUL follows those bytes. Never leaves the device open or the lock held.
    FT_STATUS Transact(std::string_view command, std::span<char> reply, DWORD& replyCount);

    void CreateLinkMutex();
    void LockLink();
    void UnlockLink();
    void CloseLinkMutex();
    const LinkMutex& Mutex() const { return m_mutex; }

private:
    // The exchange itself; what the trace shows is filled in as it goes.
    FT_STATUS Exchange(std::string_view command, std::span<char> reply, DWORD& replyCount,
                       LinkTransaction& trace);
    FT_STATUS Open(FT_HANDLE& handle, int& attempts);
    FT_STATUS Configure(FT_HANDLE handle);

    std::shared_ptr<FtDriver> m_driver;
    std::shared_ptr<Sleeper> m_sleeper;
    LinkMutex m_mutex;
};

} // namespace drivo
