// SPDX-License-Identifier: GPL-3.0-or-later
// One send of a profile (SCL for each stage, SST, SAD, SRM) to the virtual car with the link's real
// 70 ms sleeper, against its floor: one open delay per transaction plus every byte of the
// frames and acknowledgements at the car's baud rate. Anything above that is the program's own
// cost.
#include "BenchRatio.h"
#include "SendFloor.h"
#include "device/DeviceJobs.h"
#include "sim/VirtualCar.h"

#include <benchmark/benchmark.h>
#include <memory>

namespace {

constexpr double kSendGoal = 1.04;

class NoNotifier final : public drivo::JobNotifier {
public:
    void Post(drivo::WindowHandle, const drivo::JobOutcome&) override {}
};

void BM_SendRoundTrip(benchmark::State& state) {
    const auto sleeper = std::make_shared<drivo::RealSleeper>();
    const auto car = std::make_shared<drivo::sim::VirtualCar>(sleeper);
    const auto context = drivo::CreateDeviceContext(car, std::make_shared<NoNotifier>(), sleeper);
    for (auto _ : state) {
        const drivo::JobOutcome outcome = drivo::SendJob(
            *context, std::make_unique<drivo::SendRequest>(drivo::bench::FloorRequest()));
        if (outcome.value != 1)
            state.SkipWithError("the car refused the profile");
    }
}
BENCHMARK(BM_SendRoundTrip)->Iterations(3)->UseRealTime()->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    const double floor = drivo::bench::SendFloorSeconds(drivo::bench::FloorRequest());
    std::printf("send floor: %.1f ms\n", floor * 1000.0);
    return drivo::bench::RunWithRatios(
        argc, argv,
        {{"BM_SendRoundTrip/iterations:3/real_time", "", kSendGoal, floor, false, true}});
}
