// SPDX-License-Identifier: GPL-3.0-or-later
// The real driver path: Send and one battery read through the link and the jobs with the
// libftdi driver against the emulated bridge of the USB test bed, timed on the bed's virtual
// clock, each against the same floor as drivo_send_bench. What lies above the floor is the
// bridge's latency timer, left at its default (the link configures nothing but the line), and
// the car's own answer time. Runs under umockdev's preload library, like the USB tests.
#include "BenchRatio.h"
#include "SendFloor.h"
#include "UsbRig.h"
#include "device/DeviceJobs.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <functional>

namespace {

// A regression guard above today's figure (1.217: 16 ms of latency after each answer's last
// byte, and the car's answer time, over 8 transactions of about 73 ms).
constexpr double kUsbSendGoal = 1.25;
constexpr char kSend[] = "BM_UsbSend/iterations:1/manual_time";

void TimeOnTheBed(benchmark::State& state,
                  const std::function<bool(drivo::DeviceContext&)>& exchange) {
    drivo::test::UsbRig rig;
    rig.bus.Plug(drivo::kCarDescription, rig.car);
    for (auto _ : state) {
        const auto start = rig.clock->Now();
        if (!exchange(*rig.context))
            state.SkipWithError("the exchange failed");
        state.SetIterationTime(std::chrono::duration<double>(rig.clock->Now() - start).count());
    }
}

void BM_UsbSend(benchmark::State& state) {
    TimeOnTheBed(state, [](drivo::DeviceContext& context) {
        auto request = std::make_unique<drivo::SendRequest>(drivo::bench::FloorRequest());
        return drivo::SendJob(context, std::move(request)).value == 1;
    });
}
BENCHMARK(BM_UsbSend)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_UsbBatteryRead(benchmark::State& state) {
    TimeOnTheBed(state, [](drivo::DeviceContext& context) {
        return drivo::BatteryJob(context, 1).value > 0;
    });
}
BENCHMARK(BM_UsbBatteryRead)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    const double sendFloor = drivo::bench::SendFloorSeconds(drivo::bench::FloorRequest());
    const double readFloor = drivo::bench::QueryFloorSeconds(drivo::kBatteryQuery);
    std::printf("send floor: %.1f ms, battery read floor: %.1f ms\n", sendFloor * 1000.0,
                readFloor * 1000.0);
    std::map<std::string, double> ratios;
    const int status = drivo::bench::RunWithRatios(
        argc, argv,
        {{kSend, "", kUsbSendGoal, sendFloor, false, true},
         {"BM_UsbBatteryRead/iterations:1/manual_time", "", kUsbSendGoal, readFloor, false, false}},
        &ratios);
    if (ratios.count(kSend) != 0)
        std::printf("usb send / floor: %.3f\n", ratios[kSend]);
    return status;
}
