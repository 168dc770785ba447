// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/VirtualCar.h"

#include "sim/CarFrames.h"

#include <algorithm>
#include <cstring>

namespace drivo::sim {

namespace {

constexpr std::size_t kShortBy = 3;

std::uintptr_t Id(FT_HANDLE handle) {
    return reinterpret_cast<std::uintptr_t>(handle);
}

// Bytes of an answer that started after `delay` and have fully arrived by `elapsed`.
std::size_t ArrivedBy(std::chrono::microseconds elapsed, std::chrono::microseconds delay) {
    if (elapsed <= delay)
        return 0;
    return static_cast<std::size_t>((elapsed - delay).count() * kBaudRate /
                                    (kBitsPerByte * 1'000'000));
}

} // namespace

std::chrono::microseconds SerialTime(std::size_t bytes) {
    return std::chrono::microseconds(static_cast<std::int64_t>(bytes) * kBitsPerByte * 1'000'000 /
                                     kBaudRate);
}

VirtualCar::VirtualCar(std::shared_ptr<Sleeper> sleeper, std::string description)
    : m_sleeper(std::move(sleeper)), m_description(std::move(description)) {}

// --- presence -------------------------------------------------------------------------------

bool VirtualCar::SetPluggedLocked(bool plugged) {
    if (m_plugged == plugged)
        return false;
    m_plugged = plugged;
    if (!plugged && m_openHandle != 0)
        m_handleDead = true;
    return true;
}

void VirtualCar::FirePlugCallback() {
    std::function<void()> callback;
    {
        std::lock_guard guard(m_mutex);
        callback = m_plugCallback;
    }
    if (callback)
        callback();
}

void VirtualCar::Plug() {
    bool changed;
    {
        std::lock_guard guard(m_mutex);
        changed = SetPluggedLocked(true);
    }
    if (changed)
        FirePlugCallback();
}

void VirtualCar::Unplug() {
    bool changed;
    {
        std::lock_guard guard(m_mutex);
        changed = SetPluggedLocked(false);
    }
    if (changed)
        FirePlugCallback();
}

bool VirtualCar::IsPlugged() const {
    std::lock_guard guard(m_mutex);
    return m_plugged;
}

void VirtualCar::SetPlugCallback(std::function<void()> callback) {
    std::lock_guard guard(m_mutex);
    m_plugCallback = std::move(callback);
}

void VirtualCar::SetOtherDevices(std::vector<std::string> descriptions) {
    std::lock_guard guard(m_mutex);
    m_otherDevices = std::move(descriptions);
}

void VirtualCar::SetListingFails(bool fails) {
    std::lock_guard guard(m_mutex);
    m_listingFails = fails;
}

// --- the car's state ------------------------------------------------------------------------

void VirtualCar::SetBattery(int reading) {
    std::lock_guard guard(m_mutex);
    m_battery = std::clamp(reading, 0, 99999);
}

int VirtualCar::Battery() const {
    std::lock_guard guard(m_mutex);
    return m_battery;
}

void VirtualCar::SetVersion(int major, int minor) {
    std::lock_guard guard(m_mutex);
    m_versionMajor = std::clamp(major, 0, 99);
    m_versionMinor = std::clamp(minor, 0, 99);
}

int VirtualCar::ConfigState() const {
    std::lock_guard guard(m_mutex);
    return m_configState;
}

RaceResult VirtualCar::RunRace() {
    std::lock_guard guard(m_mutex);
    m_race = SimulateRace(m_settings);
    return m_race;
}

CarSettings VirtualCar::LastSettings() const {
    std::lock_guard guard(m_mutex);
    return m_settings;
}

void VirtualCar::SetFault(CarFault fault, bool on) {
    std::lock_guard guard(m_mutex);
    if (on)
        m_faults.insert(fault);
    else
        m_faults.erase(fault);
}

bool VirtualCar::HasFault(CarFault fault) const {
    std::lock_guard guard(m_mutex);
    return m_faults.count(fault) != 0;
}

void VirtualCar::ArmFault(CarFault fault, int answeredFrames) {
    std::lock_guard guard(m_mutex);
    m_armed.emplace_back(fault, std::max(answeredFrames, 0));
}

void VirtualCar::ClearFaults() {
    std::lock_guard guard(m_mutex);
    m_faults.clear();
    m_armed.clear();
}

// --- observations ---------------------------------------------------------------------------

int VirtualCar::FramesReceived() const {
    std::lock_guard guard(m_mutex);
    return static_cast<int>(m_received.size());
}

int VirtualCar::FramesReceived(std::string_view mnemonic) const {
    std::lock_guard guard(m_mutex);
    const auto it = m_receivedCount.find(mnemonic);
    return it == m_receivedCount.end() ? 0 : it->second;
}

std::vector<std::string> VirtualCar::ReceivedMnemonics() const {
    std::lock_guard guard(m_mutex);
    return m_received;
}

int VirtualCar::OpenAttempts() const {
    std::lock_guard guard(m_mutex);
    return m_openAttempts;
}

bool VirtualCar::IsOpen() const {
    std::lock_guard guard(m_mutex);
    return m_openHandle != 0;
}

LineSettings VirtualCar::LastLineSettings() const {
    std::lock_guard guard(m_mutex);
    return m_line;
}

std::vector<std::string> VirtualCar::Violations() const {
    std::lock_guard guard(m_mutex);
    return m_violations;
}

void VirtualCar::WaitWhileOpen() const {
    std::unique_lock lock(m_mutex);
    m_closed.wait(lock, [this] { return m_openHandle == 0; });
}

void VirtualCar::Violation(std::string what) {
    m_violations.push_back(std::move(what));
}

// --- the protocol ---------------------------------------------------------------------------

std::string VirtualCar::Answer(const ReceivedFrame& frame) {
    const std::string& m = frame.mnemonic;
    if (frame.isQuery) {
        if (m == kBatteryQuery)
            return ValueReply(m, {ZeroPadded(m_battery, 5)});
        if (m == kConfigStateQuery)
            return ValueReply(m, {ZeroPadded(m_configState, 1)});
        if (m == kRaceTimeQuery)
            return ValueReply(m, {ZeroPadded(m_race.timeMs, 5)});
        if (m == kMaxSpeedQuery)
            return ValueReply(m, {ZeroPadded(m_race.maxSpeed, 5)});
        if (m == kVersionQuery)
            return ValueReply(m, {ZeroPadded(m_versionMajor, 2), ZeroPadded(m_versionMinor, 2)});
        return {};
    }
    const std::vector<int>& f = frame.fields;
    if (m == kStageSetting && f.size() == 3 && f[0] >= 1 && f[0] <= kStageCount) {
        m_settings.stageTimes[f[0] - 1] = f[1];
        m_settings.intensities[f[0] - 1] = f[2];
    } else if (m == kTimeMaxSetting && f.size() == 1) {
        m_settings.timeMax = f[0];
    } else if (m == kDistanceSetting && f.size() == 1) {
        m_settings.distance = f[0];
    } else if (m == kReturnModeSetting && f.size() == 1 && f[0] <= 1) {
        m_settings.returnMode = f[0];
    } else {
        return {};
    }
    m_configState = 1;
    return Acknowledgement(m);
}

void VirtualCar::ApplyFaults(std::string& reply, bool isValueReply) {
    auto has = [this](CarFault f) { return m_faults.count(f) != 0; };
    m_replyDelay = has(CarFault::Slow) ? kSlowAnswerDelay : kCarAnswerDelay;
    if (has(CarFault::WrongMnemonic)) {
        // As if answering another command: the last letter moves on, the checksum still fits.
        char& last = reply[3];
        last = last == 'Z' ? 'A' : static_cast<char>(last + 1);
        if (isValueReply) {
            const std::string body = reply.substr(1, reply.size() - 6);
            reply = ValueReply(body.substr(0, 3), {body.substr(4)});
        }
    }
    if (has(CarFault::CorruptChecksum) && isValueReply) {
        char& low = reply[reply.size() - 3];
        low = low == '0' ? '1' : '0';
    }
    if (has(CarFault::ShortReply))
        reply.resize(reply.size() - kShortBy);
    if (has(CarFault::Silent))
        reply.clear();
}

void VirtualCar::HandleLine(const std::string& line) {
    const auto frame = ReadFrame(line);
    if (!frame)
        return;
    for (auto it = m_armed.begin(); it != m_armed.end();) {
        if (it->second-- == 0) {
            m_faults.insert(it->first);
            it = m_armed.erase(it);
        } else {
            ++it;
        }
    }
    m_received.push_back(frame->mnemonic);
    ++m_receivedCount[frame->mnemonic];
    std::string reply = Answer(*frame);
    if (reply.empty())
        return;
    ApplyFaults(reply, frame->isQuery);
    m_pendingReply += reply;
}

// --- D2XX operations ------------------------------------------------------------------------

FT_STATUS VirtualCar::Enter(FT_HANDLE handle, const char* operation) {
    if (m_openHandle == 0 || Id(handle) != m_openHandle) {
        Violation(std::string(operation) + " on a handle that is not open");
        return FT_INVALID_HANDLE;
    }
    if (m_inFlight > 0)
        Violation(std::string(operation) + " overlaps another call on the device");
    ++m_inFlight;
    return FT_OK;
}

void VirtualCar::Leave() {
    --m_inFlight;
}

FT_STATUS VirtualCar::FT_CreateDeviceInfoList(DWORD* numDevices) {
    if (numDevices == nullptr)
        return FT_INVALID_PARAMETER;
    std::lock_guard guard(m_mutex);
    if (m_listingFails)
        return FT_OTHER_ERROR;
    m_listed.clear();
    std::vector<std::string> names;
    if (m_plugged)
        names.push_back(m_description);
    names.insert(names.end(), m_otherDevices.begin(), m_otherDevices.end());
    for (const std::string& name : names) {
        FT_DEVICE_LIST_INFO_NODE node;
        node.ID = 0x04036001;
        std::strncpy(node.Description, name.c_str(), sizeof node.Description - 1);
        m_listed.push_back(node);
    }
    *numDevices = static_cast<DWORD>(m_listed.size());
    return FT_OK;
}

FT_STATUS VirtualCar::FT_GetDeviceInfoList(FT_DEVICE_LIST_INFO_NODE* list, DWORD* numDevices) {
    if (list == nullptr || numDevices == nullptr)
        return FT_INVALID_PARAMETER;
    std::lock_guard guard(m_mutex);
    if (m_listingFails)
        return FT_OTHER_ERROR;
    const DWORD count = std::min<DWORD>(*numDevices, static_cast<DWORD>(m_listed.size()));
    std::copy_n(m_listed.begin(), count, list);
    *numDevices = count;
    return FT_OK;
}

FT_STATUS VirtualCar::FT_OpenEx(const void* arg1, DWORD flags, FT_HANDLE* handle) {
    if (arg1 == nullptr || handle == nullptr || flags != FT_OPEN_BY_DESCRIPTION)
        return FT_INVALID_PARAMETER;
    std::lock_guard guard(m_mutex);
    ++m_openAttempts;
    if (!m_plugged || m_description != static_cast<const char*>(arg1))
        return FT_DEVICE_NOT_FOUND;
    // Like the real bridge, a device held by another handle cannot be opened again.
    if (m_openHandle != 0)
        return FT_DEVICE_NOT_OPENED;
    m_openHandle = ++m_lastHandle;
    m_handleDead = false;
    m_line = LineSettings{};
    m_pendingInput.clear();
    m_pendingReply.clear();
    *handle = reinterpret_cast<FT_HANDLE>(m_openHandle);
    return FT_OK;
}

FT_STATUS VirtualCar::FT_SetBaudRate(FT_HANDLE handle, ULONG baudRate) {
    std::lock_guard guard(m_mutex);
    if (const FT_STATUS status = Enter(handle, "FT_SetBaudRate"); status != FT_OK)
        return status;
    Leave();
    if (m_handleDead)
        return FT_IO_ERROR;
    if (baudRate == 0)
        return FT_INVALID_BAUD_RATE;
    m_line.baudRate = baudRate;
    return FT_OK;
}

FT_STATUS VirtualCar::FT_SetTimeouts(FT_HANDLE handle, ULONG readTimeout, ULONG writeTimeout) {
    std::lock_guard guard(m_mutex);
    if (const FT_STATUS status = Enter(handle, "FT_SetTimeouts"); status != FT_OK)
        return status;
    Leave();
    if (m_handleDead)
        return FT_IO_ERROR;
    m_line.readTimeoutMs = readTimeout;
    m_line.writeTimeoutMs = writeTimeout;
    return FT_OK;
}

FT_STATUS VirtualCar::FT_SetDataCharacteristics(FT_HANDLE handle, UCHAR wordLength, UCHAR stopBits,
                                                UCHAR parity) {
    std::lock_guard guard(m_mutex);
    if (const FT_STATUS status = Enter(handle, "FT_SetDataCharacteristics"); status != FT_OK)
        return status;
    Leave();
    if (m_handleDead)
        return FT_IO_ERROR;
    m_line.wordLength = wordLength;
    m_line.stopBits = stopBits;
    m_line.parity = parity;
    return FT_OK;
}

FT_STATUS VirtualCar::FT_Write(FT_HANDLE handle, const void* buffer, DWORD bytesToWrite,
                               DWORD* bytesWritten) {
    if (buffer == nullptr || bytesWritten == nullptr)
        return FT_INVALID_PARAMETER;
    bool unplugged = false;
    std::chrono::microseconds duration{0};
    DWORD written = bytesToWrite;
    {
        std::lock_guard guard(m_mutex);
        if (const FT_STATUS status = Enter(handle, "FT_Write"); status != FT_OK)
            return status;
        if (m_handleDead) {
            Leave();
            return FT_IO_ERROR;
        }
        const auto limit = std::chrono::milliseconds(m_line.writeTimeoutMs);
        if (m_line.writeTimeoutMs != 0 && SerialTime(written) > limit)
            written = static_cast<DWORD>(ArrivedBy(limit, std::chrono::microseconds{0}));
        duration = SerialTime(written);
        // The car only understands the line it was built for; anything else reads as noise.
        const bool lineMatches = m_line.baudRate == kBaudRate && m_line.wordLength == kWordLength &&
                                 m_line.stopBits == kStopBits && m_line.parity == kParity;
        if (lineMatches) {
            m_pendingInput.append(static_cast<const char*>(buffer), written);
            for (std::size_t end; (end = m_pendingInput.find('\n')) != std::string::npos;) {
                const std::string line = m_pendingInput.substr(0, end + 1);
                m_pendingInput.erase(0, end + 1);
                HandleLine(line);
            }
        }
        if (m_faults.erase(CarFault::UnplugMidTransaction) != 0)
            unplugged = SetPluggedLocked(false);
    }
    m_sleeper->SleepFor(duration);
    {
        std::lock_guard guard(m_mutex);
        Leave();
    }
    if (unplugged)
        FirePlugCallback();
    *bytesWritten = written;
    return FT_OK;
}

FT_STATUS VirtualCar::FT_Read(FT_HANDLE handle, void* buffer, DWORD bytesToRead,
                              DWORD* bytesReturned) {
    if (buffer == nullptr || bytesReturned == nullptr)
        return FT_INVALID_PARAMETER;
    std::string bytes;
    std::chrono::microseconds duration{0};
    {
        std::lock_guard guard(m_mutex);
        if (const FT_STATUS status = Enter(handle, "FT_Read"); status != FT_OK)
            return status;
        if (m_handleDead) {
            Leave();
            return FT_IO_ERROR;
        }
        const std::chrono::microseconds delay = m_replyDelay;
        const std::chrono::microseconds timeout = std::chrono::milliseconds(m_line.readTimeoutMs);
        std::size_t count = std::min<std::size_t>(bytesToRead, m_pendingReply.size());
        duration = delay + SerialTime(count);
        if (m_line.readTimeoutMs == 0 && count < bytesToRead) {
            // D2XX would wait forever here; report it and return what there is.
            Violation("FT_Read without a read time-out on an incomplete answer");
        } else if (m_line.readTimeoutMs != 0 && (count < bytesToRead || duration > timeout)) {
            count = std::min(count, ArrivedBy(timeout, delay));
            duration = timeout;
        }
        bytes = m_pendingReply.substr(0, count);
        m_pendingReply.erase(0, count);
        m_replyDelay = std::chrono::microseconds{0};
    }
    m_sleeper->SleepFor(duration);
    std::lock_guard guard(m_mutex);
    Leave();
    if (m_handleDead)
        return FT_IO_ERROR;
    std::memcpy(buffer, bytes.data(), bytes.size());
    *bytesReturned = static_cast<DWORD>(bytes.size());
    return FT_OK;
}

FT_STATUS VirtualCar::FT_Close(FT_HANDLE handle) {
    {
        std::lock_guard guard(m_mutex);
        if (const FT_STATUS status = Enter(handle, "FT_Close"); status != FT_OK)
            return status;
        Leave();
        m_openHandle = 0;
        m_handleDead = false;
        m_pendingReply.clear();
    }
    m_closed.notify_all();
    return FT_OK;
}

} // namespace drivo::sim
