#pragma once
// The link's and the virtual car's only source of waiting: tests inject a virtual one so that
// a hundred 70 ms open attempts or a 5 s read time-out cost no real time.
#include <chrono>

namespace drivo {

class Sleeper {
public:
    virtual ~Sleeper();
    virtual void SleepFor(std::chrono::microseconds duration) = 0;
};

class RealSleeper final : public Sleeper {
public:
    void SleepFor(std::chrono::microseconds duration) override;
};

} // namespace drivo
