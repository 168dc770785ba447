// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A stand-in for the car behind its FTDI bridge, offered through the same D2XX interface as
// the real driver. It answers the protocol with the real frame layout, lengths and checksums,
// spends the serial line's time (19200 baud, 10 bits a byte) through an injected sleeper,
// honours the read time-out, and can be told to misbehave. It also watches its users: any call
// on a handle that is not the open one, or overlapping calls on the device, is recorded as a
// violation. Thread-safe: a control panel may drive it while jobs talk to it.
#include "device/FtDriver.h"
#include "device/Sleeper.h"
#include "sim/RaceModel.h"

#include <chrono>
#include <condition_variable>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace drivo::sim {

enum class CarFault {
    Silent,               // frames are taken but never answered
    Slow,                 // the answer starts after the read time-out
    ShortReply,           // the answer lacks its last three bytes
    CorruptChecksum,      // value replies carry a wrong checksum
    WrongMnemonic,        // answers name another command
    UnplugMidTransaction, // the car goes away after the next frame is written (once)
};

struct LineSettings {
    ULONG baudRate = 9600;
    UCHAR wordLength = FT_BITS_8;
    UCHAR stopBits = FT_STOP_BITS_1;
    UCHAR parity = FT_PARITY_NONE;
    ULONG readTimeoutMs = 0; // 0: wait until the count arrived, as D2XX does
    ULONG writeTimeoutMs = 0;
};

inline constexpr std::chrono::microseconds kCarAnswerDelay{2000};
inline constexpr std::chrono::microseconds kSlowAnswerDelay{6'000'000};
// 10 bits a byte (start, 8 data, stop) at 19200 baud.
std::chrono::microseconds SerialTime(std::size_t bytes);

class VirtualCar final : public FtDriver {
public:
    explicit VirtualCar(std::shared_ptr<Sleeper> sleeper, std::string description = "z-rallye");

    // Presence. The callback runs on each change of presence, on the thread that caused it
    // (a job thread for UnplugMidTransaction), after the car's lock is released.
    void Plug();
    void Unplug();
    bool IsPlugged() const;
    void SetPlugCallback(std::function<void()> callback);
    // Other FTDI devices listed beside the car (not openable as the car).
    void SetOtherDevices(std::vector<std::string> descriptions);
    void SetListingFails(bool fails);
    void FailNextOpens(int count);

    // The car's own state.
    void SetBattery(int reading);
    int Battery() const;
    void SetVersion(int major, int minor);
    int ConfigState() const;
    RaceResult RunRace();
    RaceResult LastRace() const;
    CarSettings LastSettings() const;

    // Faults.
    void SetFault(CarFault fault, bool on);
    bool HasFault(CarFault fault) const;
    // The fault switches on once `answeredFrames` more frames were handled normally.
    void ArmFault(CarFault fault, int answeredFrames);
    void ClearFaults();

    // What it saw.
    int FramesReceived() const;
    int FramesReceived(std::string_view mnemonic) const;
    std::vector<std::string> ReceivedMnemonics() const;
    int RejectedFrames() const;
    int OpenAttempts() const;
    bool IsOpen() const;
    LineSettings LastLineSettings() const;
    std::vector<std::string> Violations() const;
    // Blocks while some transaction holds the device open (for test sleepers of the link).
    void WaitWhileOpen() const;

    FT_STATUS FT_CreateDeviceInfoList(DWORD* numDevices) override;
    FT_STATUS FT_GetDeviceInfoList(FT_DEVICE_LIST_INFO_NODE* list, DWORD* numDevices) override;
    FT_STATUS FT_OpenEx(const void* arg1, DWORD flags, FT_HANDLE* handle) override;
    FT_STATUS FT_SetBaudRate(FT_HANDLE handle, ULONG baudRate) override;
    FT_STATUS FT_SetTimeouts(FT_HANDLE handle, ULONG readTimeout, ULONG writeTimeout) override;
    FT_STATUS FT_SetDataCharacteristics(FT_HANDLE handle, UCHAR wordLength, UCHAR stopBits,
                                        UCHAR parity) override;
    FT_STATUS FT_Write(FT_HANDLE handle, const void* buffer, DWORD bytesToWrite,
                       DWORD* bytesWritten) override;
    FT_STATUS FT_Read(FT_HANDLE handle, void* buffer, DWORD bytesToRead,
                      DWORD* bytesReturned) override;
    FT_STATUS FT_Close(FT_HANDLE handle) override;

private:
    // Checks the handle and marks a call in flight; FT_OK when the call may go on.
    FT_STATUS Enter(FT_HANDLE handle, const char* operation);
    void Leave();
    void Violation(std::string what);
    void HandleLine(const std::string& line);
    std::string Answer(const struct ReceivedFrame& frame);
    void ApplyFaults(std::string& reply, bool isValueReply);
    // Call with the lock held; true when presence changed (then FirePlugCallback unlocked).
    bool SetPluggedLocked(bool plugged);
    void FirePlugCallback();

    const std::shared_ptr<Sleeper> sleeper_;
    const std::string description_;
    mutable std::mutex mutex_;
    mutable std::condition_variable closed_;
    std::function<void()> plugCallback_;
    bool plugged_ = true;
    std::vector<std::string> otherDevices_;
    std::vector<FT_DEVICE_LIST_INFO_NODE> listed_;
    bool listingFails_ = false;
    int failOpens_ = 0;
    int openAttempts_ = 0;

    std::uintptr_t openHandle_ = 0; // 0: not open
    std::uintptr_t lastHandle_ = 0;
    bool handleDead_ = false; // unplugged while open
    int inFlight_ = 0;
    LineSettings line_;
    std::string pendingInput_;
    std::string pendingReply_;
    std::chrono::microseconds replyDelay_{0};

    int battery_ = 11200;
    int versionMajor_ = 1;
    int versionMinor_ = 5;
    int configState_ = 0;
    CarSettings settings_;
    RaceResult race_;
    std::set<CarFault> faults_;
    std::vector<std::pair<CarFault, int>> armed_;

    std::vector<std::string> received_;
    std::map<std::string, int, std::less<>> receivedCount_;
    int rejected_ = 0;
    std::vector<std::string> violations_;
};

} // namespace drivo::sim
