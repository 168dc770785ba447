// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The link's, the bridge driver's and the virtual car's only source of waiting and of elapsed
// time: tests inject a virtual one so that a hundred 70 ms open attempts or a 5 s read time-out
// cost no real time.
#include <chrono>

namespace drivo {

class Sleeper {
public:
    virtual ~Sleeper();
    virtual void SleepFor(std::chrono::microseconds duration) = 0;
    // A monotonic time; only differences between two readings mean anything.
    virtual std::chrono::microseconds Now() const = 0;
};

class RealSleeper final : public Sleeper {
public:
    void SleepFor(std::chrono::microseconds duration) override;
    std::chrono::microseconds Now() const override;
};

} // namespace drivo
