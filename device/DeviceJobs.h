// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The six exchanges with the car. Each runs its transactions through the context's link and
// posts exactly one outcome to the notifier: the value read, or none when the read failed (a
// send's value is 1). The Run functions do it on the calling thread (tests, or a thread of the
// caller's own); the Start functions return at once and run the job on a detached thread that keeps
// the context alive until it has posted.
#include "device/DeviceContext.h"
#include "device/SendRequest.h"

#include <cstdint>
#include <memory>
#include <string_view>

namespace drivo {

// One query transaction: the reply's value or -1.
int QueryValue(UsbLink& link, std::string_view mnemonic);
// One setting transaction: 1 when acknowledged, else 0.
int SendSetting(UsbLink& link, std::string_view mnemonic, std::span<const int> values);

JobOutcome BatteryJob(DeviceContext& context, WindowHandle target);     // GVB
JobOutcome ConfigStateJob(DeviceContext& context, WindowHandle target); // GCS
JobOutcome RaceInfoJob(DeviceContext& context, WindowHandle target);    // GRT, then GMS
JobOutcome RaceTimeJob(DeviceContext& context, WindowHandle target);    // GRT
JobOutcome VersionJob(DeviceContext& context, WindowHandle target);     // GSV
// SCL for each stage, SST, SAD, SRM, stopping at the first refusal. Frees the request after
// posting.
JobOutcome SendJob(DeviceContext& context, std::unique_ptr<SendRequest> request);

void StartBatteryJob(std::shared_ptr<DeviceContext> context, WindowHandle target);
void StartConfigStateJob(std::shared_ptr<DeviceContext> context, WindowHandle target);
void StartRaceInfoJob(std::shared_ptr<DeviceContext> context, WindowHandle target);
void StartRaceTimeJob(std::shared_ptr<DeviceContext> context, WindowHandle target);
void StartVersionJob(std::shared_ptr<DeviceContext> context, WindowHandle target);
void StartSendJob(std::shared_ptr<DeviceContext> context, std::unique_ptr<SendRequest> request);

} // namespace drivo
