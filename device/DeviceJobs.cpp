// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/DeviceJobs.h"

#include "device/CarLink.h"
#include "device/CommandFrame.h"

#include <array>
#include <functional>
#include <thread>

namespace drivo {

namespace {

void Deliver(DeviceContext& context, WindowHandle target, const JobOutcome& outcome) {
    if (!context.notifier)
        return;
    try {
        context.notifier->Post(target, outcome);
    } catch (...) {
        // A window side that cannot take the message loses it, as a closed window would.
    }
}

// Runs a job body, turning anything unexpected (allocation failure) into the job's failure
// outcome, and posts exactly once.
JobOutcome RunAndPost(DeviceContext& context, WindowHandle target, JobOutcome failure,
                      const std::function<JobOutcome()>& body) {
    JobOutcome outcome = failure;
    try {
        outcome = body();
    } catch (...) {
        outcome = failure;
    }
    Deliver(context, target, outcome);
    return outcome;
}

JobOutcome SingleQuery(DeviceContext& context, WindowHandle target, unsigned message,
                       std::string_view mnemonic) {
    return RunAndPost(context, target, JobOutcome::Failed(message), [&] {
        return JobOutcome::Read(message, QueryValue(context.link, mnemonic));
    });
}

int SendAll(UsbLink& link, const SendRequest& request) {
    for (int stage = 0; stage < kStageCount; ++stage) {
        const std::array<int, 3> fields = {stage + 1, request.times[stage], request.values[stage]};
        if (SendSetting(link, kStageSetting, fields) == 0)
            return 0;
    }
    const std::array<int, 1> timeMax = {request.timeMax};
    const std::array<int, 1> distance = {request.distance};
    const std::array<int, 1> returnMode = {request.returnMode};
    if (SendSetting(link, kTimeMaxSetting, timeMax) == 0)
        return 0;
    if (SendSetting(link, kDistanceSetting, distance) == 0)
        return 0;
    if (SendSetting(link, kReturnModeSetting, returnMode) == 0)
        return 0;
    return 1;
}

// Starts the job on its own detached thread. If no thread can be started, the failure
// outcome is posted right away so the window never waits for a job that does not exist.
void Launch(std::shared_ptr<DeviceContext> context, WindowHandle target, JobOutcome failure,
            std::function<void(DeviceContext&)> job) {
    try {
        std::thread([context, job = std::move(job)] { job(*context); }).detach();
    } catch (...) {
        Deliver(*context, target, failure);
    }
}

} // namespace

int QueryValue(UsbLink& link, std::string_view mnemonic) {
    const CommandInfo* info = FindCommand(mnemonic);
    if (info == nullptr || info->kind != CommandKind::Query)
        return -1;
    const std::string frame = FormatQuery(mnemonic);
    std::array<char, kFrameBufferSize> reply{};
    DWORD count = static_cast<DWORD>(info->answerLength);
    const FT_STATUS status = link.Transact(frame, reply, count);
    const std::string_view bytes(reply.data(), status == FT_OK ? count : 0);
    return ParseValueReply(mnemonic, info->answerLength, status, count, bytes);
}

int SendSetting(UsbLink& link, std::string_view mnemonic, std::span<const int> values) {
    const std::string frame = FormatSetting(mnemonic, values);
    if (frame.empty())
        return 0;
    std::array<char, kFrameBufferSize> reply{};
    DWORD count = kAcknowledgementLength;
    const FT_STATUS status = link.Transact(frame, reply, count);
    const std::string_view bytes(reply.data(), status == FT_OK ? count : 0);
    return CheckAcknowledgement(mnemonic, status, count, bytes);
}

JobOutcome BatteryJob(DeviceContext& context, WindowHandle target) {
    return SingleQuery(context, target, WM_BATTERY_DONE, kBatteryQuery);
}

JobOutcome ConfigStateJob(DeviceContext& context, WindowHandle target) {
    return SingleQuery(context, target, WM_CONFIG_DONE, kConfigStateQuery);
}

JobOutcome RaceTimeJob(DeviceContext& context, WindowHandle target) {
    return SingleQuery(context, target, WM_RACETIME_DONE, kRaceTimeQuery);
}

JobOutcome VersionJob(DeviceContext& context, WindowHandle target) {
    return SingleQuery(context, target, WM_VERSION_DONE, kVersionQuery);
}

JobOutcome RaceInfoJob(DeviceContext& context, WindowHandle target) {
    return RunAndPost(context, target, JobOutcome::Failed(WM_RACEINFO_DONE), [&] {
        // Both are always asked, so a lost race time does not hide the speed reading.
        const int time = QueryValue(context.link, kRaceTimeQuery);
        const int speed = QueryValue(context.link, kMaxSpeedQuery);
        return JobOutcome{WM_RACEINFO_DONE, JobOutcome::ValueOf(time), JobOutcome::ValueOf(speed)};
    });
}

JobOutcome SendJob(DeviceContext& context, std::unique_ptr<SendRequest> request) {
    const JobOutcome failed = JobOutcome::Failed(WM_SEND_DONE);
    if (!request)
        return failed;
    const JobOutcome outcome = RunAndPost(context, request->target, failed, [&] {
        return SendAll(context.link, *request) == 1 ? JobOutcome{WM_SEND_DONE, 1, {}} : failed;
    });
    request.reset();
    return outcome;
}

void StartBatteryJob(std::shared_ptr<DeviceContext> context, WindowHandle target) {
    Launch(std::move(context), target, JobOutcome::Failed(WM_BATTERY_DONE),
           [target](DeviceContext& c) { BatteryJob(c, target); });
}

void StartConfigStateJob(std::shared_ptr<DeviceContext> context, WindowHandle target) {
    Launch(std::move(context), target, JobOutcome::Failed(WM_CONFIG_DONE),
           [target](DeviceContext& c) { ConfigStateJob(c, target); });
}

void StartRaceInfoJob(std::shared_ptr<DeviceContext> context, WindowHandle target) {
    Launch(std::move(context), target, JobOutcome::Failed(WM_RACEINFO_DONE),
           [target](DeviceContext& c) { RaceInfoJob(c, target); });
}

void StartRaceTimeJob(std::shared_ptr<DeviceContext> context, WindowHandle target) {
    Launch(std::move(context), target, JobOutcome::Failed(WM_RACETIME_DONE),
           [target](DeviceContext& c) { RaceTimeJob(c, target); });
}

void StartVersionJob(std::shared_ptr<DeviceContext> context, WindowHandle target) {
    Launch(std::move(context), target, JobOutcome::Failed(WM_VERSION_DONE),
           [target](DeviceContext& c) { VersionJob(c, target); });
}

void StartSendJob(std::shared_ptr<DeviceContext> context, std::unique_ptr<SendRequest> request) {
    if (!request)
        return;
    const WindowHandle target = request->target;
    // std::function needs a copyable callable, so the request travels in a shared_ptr that
    // only the job's thread uses; it is freed when the job is done with it.
    auto shared = std::make_shared<std::unique_ptr<SendRequest>>(std::move(request));
    Launch(std::move(context), target, JobOutcome::Failed(WM_SEND_DONE),
           [shared](DeviceContext& c) { SendJob(c, std::move(*shared)); });
}

} // namespace drivo
