// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A stand-in for the car behind its FTDI bridge, offered through the same D2XX interface as
// the real driver. It answers the protocol with the real frame layout, lengths and checksums,
// spends the time of the car's serial line (device/CarLink.h) through an injected sleeper,
// honours the read time-out, and can be told to misbehave. It also watches its users: any call
// on a handle that is not the open one, or overlapping calls on the device, is recorded as a
// violation. Thread-safe: a control panel may drive it while jobs talk to it.
#include "device/CarLink.h"
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
// A second past the read time-out the link sets.
inline constexpr std::chrono::microseconds kSlowAnswerDelay =
    std::chrono::milliseconds(kReadTimeoutMs + 1000);
// kBitsPerByte bits a byte at kBaudRate.
std::chrono::microseconds SerialTime(std::size_t bytes);

class VirtualCar final : public FtDriver {
public:
    explicit VirtualCar(std::shared_ptr<Sleeper> sleeper,
                        std::string description = kCarDescription);

    // Presence. The callback runs on each change of presence, on the thread that caused it
    // (a job thread for UnplugMidTransaction), after the car's lock is released.
    void Plug();
    void Unplug();
    bool IsPlugged() const;
    void SetPlugCallback(std::function<void()> callback);
    // Other FTDI devices listed beside the car (not openable as the car).
    void SetOtherDevices(std::vector<std::string> descriptions);
    void SetListingFails(bool fails);

    // The car's own state.
    void SetBattery(int reading);
    int Battery() const;
    void SetVersion(int major, int minor);
    int ConfigState() const;
    RaceResult RunRace();
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

    const std::shared_ptr<Sleeper> m_sleeper;
    const std::string m_description;
    mutable std::mutex m_mutex;
    mutable std::condition_variable m_closed;
    std::function<void()> m_plugCallback;
    bool m_plugged = true;
    std::vector<std::string> m_otherDevices;
    std::vector<FT_DEVICE_LIST_INFO_NODE> m_listed;
    bool m_listingFails = false;
    int m_openAttempts = 0;

    std::uintptr_t m_openHandle = 0; // 0: not open
    std::uintptr_t m_lastHandle = 0;
    bool m_handleDead = false; // unplugged while open
    int m_inFlight = 0;
    LineSettings m_line;
    std::string m_pendingInput;
    std::string m_pendingReply;
    std::chrono::microseconds m_replyDelay{0};

    int m_battery = 11200;
    int m_versionMajor = 1;
    int m_versionMinor = 5;
    int m_configState = 0;
    CarSettings m_settings;
    RaceResult m_race;
    std::set<CarFault> m_faults;
    std::vector<std::pair<CarFault, int>> m_armed;

    std::vector<std::string> m_received;
    std::map<std::string, int, std::less<>> m_receivedCount;
    std::vector<std::string> m_violations;
};

} // namespace drivo::sim
