// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How a job reports: one posted outcome to the window that started it. The window side binds
// the notifier to a queued delivery on its own thread.
#include <cstdint>
#include <optional>

namespace drivo {

using WindowHandle = std::uintptr_t;

inline constexpr unsigned WM_USER = 0x0400;
inline constexpr unsigned WM_BATTERY_DONE = WM_USER + 1;
inline constexpr unsigned WM_RACEINFO_DONE = WM_USER + 2;
inline constexpr unsigned WM_RACETIME_DONE = WM_USER + 3;
inline constexpr unsigned WM_SEND_DONE = WM_USER + 4;
inline constexpr unsigned WM_CONFIG_DONE = WM_USER + 5;
inline constexpr unsigned WM_VERSION_DONE = WM_USER + 6;

// A job's result: which job (its WM_*_DONE number) and what it read, or nothing where a read
// failed. A send's value is 1 once every setting was acknowledged.
struct JobOutcome {
    unsigned message = 0;
    std::optional<int> value;        // battery, configuration state, race time, version, send
    std::optional<int> speedReading; // the race information's second read, beside its race time

    static JobOutcome Failed(unsigned message) { return {message, {}, {}}; }
    // A read's value; a negative one is how the reads say they failed.
    static JobOutcome Read(unsigned message, int value) { return {message, ValueOf(value), {}}; }
    static std::optional<int> ValueOf(int read) {
        return read < 0 ? std::nullopt : std::optional<int>(read);
    }
};

// Post is called from worker threads and must be thread-safe and must not block for long.
class JobNotifier {
public:
    virtual ~JobNotifier();
    virtual void Post(WindowHandle target, const JobOutcome& outcome) = 0;
};

} // namespace drivo
