// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How a job reports: one posted outcome message to the window that started it. The window
// side binds the notifier to a queued delivery on its own thread.
#include <cstdint>

namespace drivo {

using WindowHandle = std::uintptr_t;

inline constexpr unsigned WM_USER = 0x0400;
inline constexpr unsigned WM_BATTERY_DONE = WM_USER + 1;
inline constexpr unsigned WM_RACEINFO_DONE = WM_USER + 2;
inline constexpr unsigned WM_RACETIME_DONE = WM_USER + 3;
inline constexpr unsigned WM_SEND_DONE = WM_USER + 4;
inline constexpr unsigned WM_CONFIG_DONE = WM_USER + 5;
inline constexpr unsigned WM_VERSION_DONE = WM_USER + 6;

// Post is called from worker threads and must be thread-safe and must not block for long.
class JobNotifier {
public:
    virtual ~JobNotifier();
    virtual void Post(WindowHandle target, unsigned message, std::intptr_t wParam,
                      std::intptr_t lParam) = 0;
};

} // namespace drivo
