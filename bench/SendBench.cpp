// One send of a profile (SCL x 5, SST, SAD, SRM) to the virtual car with the link's real
// 70 ms sleeper, against its floor: one open delay per transaction plus every byte of the
// frames and acknowledgements at 19200 baud. Anything above that is the program's own cost.
#include "BenchRatio.h"
#include "device/CommandFrame.h"
#include "device/DeviceJobs.h"
#include "sim/VirtualCar.h"

#include <array>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

constexpr double kSendGoal = 1.04;
constexpr int kBitsPerByte = 10; // start, 8 data, stop

class NoNotifier final : public drivo::JobNotifier {
public:
    void Post(drivo::WindowHandle, unsigned, std::intptr_t, std::intptr_t) override {}
};

drivo::SendRequest Request() {
    drivo::SendRequest r;
    r.target = 1;
    r.times = {500, 1000, 1500, 2000, 4000};
    r.values = {40, 70, 100, 90, 60};
    r.distance = drivo::RaceDistance(20000, 26);
    r.timeMax = 4000;
    r.returnMode = 1;
    return r;
}

// The floor of SendJob for the request, in seconds.
double SendFloorSeconds(const drivo::SendRequest& r) {
    std::size_t bytes = 0;
    int transactions = 0;
    const auto frame = [&](std::string_view mnemonic, auto values) {
        bytes += drivo::FormatSetting(mnemonic, values).size() + drivo::kAcknowledgementLength;
        ++transactions;
    };
    for (int stage = 0; stage < drivo::kSendStages; ++stage)
        frame("SCL", std::array<int, 3>{stage + 1, r.times[stage], r.values[stage]});
    frame("SST", std::array<int, 1>{r.timeMax});
    frame("SAD", std::array<int, 1>{r.distance});
    frame("SRM", std::array<int, 1>{r.returnMode});
    const double openDelay =
        std::chrono::duration<double>(drivo::kOpenRetryDelay).count() * transactions;
    return openDelay + static_cast<double>(bytes) * kBitsPerByte / drivo::kBaudRate;
}

void BM_SendRoundTrip(benchmark::State& state) {
    const auto sleeper = std::make_shared<drivo::RealSleeper>();
    const auto car = std::make_shared<drivo::sim::VirtualCar>(sleeper);
    const auto context = drivo::CreateDeviceContext(car, std::make_shared<NoNotifier>(), sleeper);
    for (auto _ : state) {
        const drivo::JobOutcome outcome =
            drivo::SendJob(*context, std::make_unique<drivo::SendRequest>(Request()));
        if (outcome.wParam != 1)
            state.SkipWithError("the car refused the profile");
    }
}
BENCHMARK(BM_SendRoundTrip)->Iterations(3)->UseRealTime()->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    const double floor = SendFloorSeconds(Request());
    std::printf("send floor: %.1f ms\n", floor * 1000.0);
    return drivo::bench::RunWithRatios(
        argc, argv,
        {{"BM_SendRoundTrip/iterations:3/real_time", "", kSendGoal, floor, false, true}});
}
