// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/VirtualCar.h"

#include "sim/CarFrames.h"

#include <algorithm>
#include <cstring>

namespace drivo::sim {

namespace {

constexpr std::int64_t kBitsPerByte = 10;
constexpr std::int64_t kLineBaud = 19200;
constexpr std::size_t kShortBy = 3;

std::uintptr_t Id(FT_HANDLE handle) {
    return reinterpret_cast<std::uintptr_t>(handle);
}

// Bytes of an answer that started after `delay` and have fully arrived by `elapsed`.
std::size_t ArrivedBy(std::chrono::microseconds elapsed, std::chrono::microseconds delay) {
    if (elapsed <= delay)
        return 0;
    return static_cast<std::size_t>((elapsed - delay).count() * kLineBaud /
                                    (kBitsPerByte * 1'000'000));
}

} // namespace

std::chrono::microseconds SerialTime(std::size_t bytes) {
    return std::chrono::microseconds(static_cast<std::int64_t>(bytes) * kBitsPerByte * 1'000'000 /
                                     kLineBaud);
}

VirtualCar::VirtualCar(std::shared_ptr<Sleeper> sleeper, std::string description)
    : sleeper_(std::move(sleeper)), description_(std::move(description)) {}

// --- presence -------------------------------------------------------------------------------

bool VirtualCar::SetPluggedLocked(bool plugged) {
    if (plugged_ == plugged)
        return false;
    plugged_ = plugged;
    if (!plugged && openHandle_ != 0)
        handleDead_ = true;
    return true;
}

void VirtualCar::FirePlugCallback() {
    std::function<void()> callback;
    {
        std::lock_guard guard(mutex_);
        callback = plugCallback_;
    }
    if (callback)
        callback();
}

void VirtualCar::Plug() {
    bool changed;
    {
        std::lock_guard guard(mutex_);
        changed = SetPluggedLocked(true);
    }
    if (changed)
        FirePlugCallback();
}

void VirtualCar::Unplug() {
    bool changed;
    {
        std::lock_guard guard(mutex_);
        changed = SetPluggedLocked(false);
    }
    if (changed)
        FirePlugCallback();
}

bool VirtualCar::IsPlugged() const {
    std::lock_guard guard(mutex_);
    return plugged_;
}

void VirtualCar::SetPlugCallback(std::function<void()> callback) {
    std::lock_guard guard(mutex_);
    plugCallback_ = std::move(callback);
}

void VirtualCar::SetOtherDevices(std::vector<std::string> descriptions) {
    std::lock_guard guard(mutex_);
    otherDevices_ = std::move(descriptions);
}

void VirtualCar::SetListingFails(bool fails) {
    std::lock_guard guard(mutex_);
    listingFails_ = fails;
}

void VirtualCar::FailNextOpens(int count) {
    std::lock_guard guard(mutex_);
    failOpens_ = std::max(count, 0);
}

// --- the car's state ------------------------------------------------------------------------

void VirtualCar::SetBattery(int reading) {
    std::lock_guard guard(mutex_);
    battery_ = std::clamp(reading, 0, 99999);
}

int VirtualCar::Battery() const {
    std::lock_guard guard(mutex_);
    return battery_;
}

void VirtualCar::SetVersion(int major, int minor) {
    std::lock_guard guard(mutex_);
    versionMajor_ = std::clamp(major, 0, 99);
    versionMinor_ = std::clamp(minor, 0, 99);
}

int VirtualCar::ConfigState() const {
    std::lock_guard guard(mutex_);
    return configState_;
}

RaceResult VirtualCar::RunRace() {
    std::lock_guard guard(mutex_);
    race_ = SimulateRace(settings_);
    return race_;
}

RaceResult VirtualCar::LastRace() const {
    std::lock_guard guard(mutex_);
    return race_;
}

CarSettings VirtualCar::LastSettings() const {
    std::lock_guard guard(mutex_);
    return settings_;
}

void VirtualCar::SetFault(CarFault fault, bool on) {
    std::lock_guard guard(mutex_);
    if (on)
        faults_.insert(fault);
    else
        faults_.erase(fault);
}

bool VirtualCar::HasFault(CarFault fault) const {
    std::lock_guard guard(mutex_);
    return faults_.count(fault) != 0;
}

void VirtualCar::ArmFault(CarFault fault, int answeredFrames) {
    std::lock_guard guard(mutex_);
    armed_.emplace_back(fault, std::max(answeredFrames, 0));
}

void VirtualCar::ClearFaults() {
    std::lock_guard guard(mutex_);
    faults_.clear();
    armed_.clear();
}

// --- observations ---------------------------------------------------------------------------

int VirtualCar::FramesReceived() const {
    std::lock_guard guard(mutex_);
    return static_cast<int>(received_.size());
}

int VirtualCar::FramesReceived(std::string_view mnemonic) const {
    std::lock_guard guard(mutex_);
    const auto it = receivedCount_.find(mnemonic);
    return it == receivedCount_.end() ? 0 : it->second;
}

std::vector<std::string> VirtualCar::ReceivedMnemonics() const {
    std::lock_guard guard(mutex_);
    return received_;
}

int VirtualCar::RejectedFrames() const {
    std::lock_guard guard(mutex_);
    return rejected_;
}

int VirtualCar::OpenAttempts() const {
    std::lock_guard guard(mutex_);
    return openAttempts_;
}

bool VirtualCar::IsOpen() const {
    std::lock_guard guard(mutex_);
    return openHandle_ != 0;
}

LineSettings VirtualCar::LastLineSettings() const {
    std::lock_guard guard(mutex_);
    return line_;
}

std::vector<std::string> VirtualCar::Violations() const {
    std::lock_guard guard(mutex_);
    return violations_;
}

void VirtualCar::WaitWhileOpen() const {
    std::unique_lock lock(mutex_);
    closed_.wait(lock, [this] { return openHandle_ == 0; });
}

void VirtualCar::Violation(std::string what) {
    violations_.push_back(std::move(what));
}

// --- the protocol ---------------------------------------------------------------------------

std::string VirtualCar::Answer(const ReceivedFrame& frame) {
    const std::string& m = frame.mnemonic;
    if (frame.isQuery) {
        if (m == "GVB")
            return ValueReply(m, {ZeroPadded(battery_, 5)});
        if (m == "GCS")
            return ValueReply(m, {ZeroPadded(configState_, 1)});
        if (m == "GRT")
            return ValueReply(m, {ZeroPadded(race_.timeMs, 5)});
        if (m == "GMS")
            return ValueReply(m, {ZeroPadded(race_.maxSpeed, 5)});
        if (m == "GSV")
            return ValueReply(m, {ZeroPadded(versionMajor_, 2), ZeroPadded(versionMinor_, 2)});
        return {};
    }
    const std::vector<int>& f = frame.fields;
    if (m == "SCL" && f.size() == 3 && f[0] >= 1 && f[0] <= 5) {
        settings_.stageTimes[f[0] - 1] = f[1];
        settings_.intensities[f[0] - 1] = f[2];
    } else if (m == "SST" && f.size() == 1) {
        settings_.timeMax = f[0];
    } else if (m == "SAD" && f.size() == 1) {
        settings_.distance = f[0];
    } else if (m == "SRM" && f.size() == 1 && f[0] <= 1) {
        settings_.returnMode = f[0];
    } else {
        return {};
    }
    configState_ = 1;
    return Acknowledgement(m);
}

void VirtualCar::ApplyFaults(std::string& reply, bool isValueReply) {
    auto has = [this](CarFault f) { return faults_.count(f) != 0; };
    replyDelay_ = has(CarFault::Slow) ? kSlowAnswerDelay : kCarAnswerDelay;
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
    if (!frame) {
        ++rejected_;
        return;
    }
    for (auto it = armed_.begin(); it != armed_.end();) {
        if (it->second-- == 0) {
            faults_.insert(it->first);
            it = armed_.erase(it);
        } else {
            ++it;
        }
    }
    received_.push_back(frame->mnemonic);
    ++receivedCount_[frame->mnemonic];
    std::string reply = Answer(*frame);
    if (reply.empty()) {
        ++rejected_;
        return;
    }
    ApplyFaults(reply, frame->isQuery);
    pendingReply_ += reply;
}

// --- D2XX operations ------------------------------------------------------------------------

FT_STATUS VirtualCar::Enter(FT_HANDLE handle, const char* operation) {
    if (openHandle_ == 0 || Id(handle) != openHandle_) {
        Violation(std::string(operation) + " on a handle that is not open");
        return FT_INVALID_HANDLE;
    }
    if (inFlight_ > 0)
        Violation(std::string(operation) + " overlaps another call on the device");
    ++inFlight_;
    return FT_OK;
}

void VirtualCar::Leave() {
    --inFlight_;
}

FT_STATUS VirtualCar::FT_CreateDeviceInfoList(DWORD* numDevices) {
    if (numDevices == nullptr)
        return FT_INVALID_PARAMETER;
    std::lock_guard guard(mutex_);
    if (listingFails_)
        return FT_OTHER_ERROR;
    listed_.clear();
    std::vector<std::string> names;
    if (plugged_)
        names.push_back(description_);
    names.insert(names.end(), otherDevices_.begin(), otherDevices_.end());
    for (const std::string& name : names) {
        FT_DEVICE_LIST_INFO_NODE node;
        node.ID = 0x04036001;
        std::strncpy(node.Description, name.c_str(), sizeof node.Description - 1);
        listed_.push_back(node);
    }
    *numDevices = static_cast<DWORD>(listed_.size());
    return FT_OK;
}

FT_STATUS VirtualCar::FT_GetDeviceInfoList(FT_DEVICE_LIST_INFO_NODE* list, DWORD* numDevices) {
    if (list == nullptr || numDevices == nullptr)
        return FT_INVALID_PARAMETER;
    std::lock_guard guard(mutex_);
    if (listingFails_)
        return FT_OTHER_ERROR;
    const DWORD count = std::min<DWORD>(*numDevices, static_cast<DWORD>(listed_.size()));
    std::copy_n(listed_.begin(), count, list);
    *numDevices = count;
    return FT_OK;
}

FT_STATUS VirtualCar::FT_OpenEx(const void* arg1, DWORD flags, FT_HANDLE* handle) {
    if (arg1 == nullptr || handle == nullptr || flags != FT_OPEN_BY_DESCRIPTION)
        return FT_INVALID_PARAMETER;
    std::lock_guard guard(mutex_);
    ++openAttempts_;
    if (!plugged_ || description_ != static_cast<const char*>(arg1))
        return FT_DEVICE_NOT_FOUND;
    if (failOpens_ > 0) {
        --failOpens_;
        return FT_DEVICE_NOT_OPENED;
    }
    // Like the real bridge, a device held by another handle cannot be opened again.
    if (openHandle_ != 0)
        return FT_DEVICE_NOT_OPENED;
    openHandle_ = ++lastHandle_;
    handleDead_ = false;
    line_ = LineSettings{};
    pendingInput_.clear();
    pendingReply_.clear();
    *handle = reinterpret_cast<FT_HANDLE>(openHandle_);
    return FT_OK;
}

FT_STATUS VirtualCar::FT_SetBaudRate(FT_HANDLE handle, ULONG baudRate) {
    std::lock_guard guard(mutex_);
    if (const FT_STATUS status = Enter(handle, "FT_SetBaudRate"); status != FT_OK)
        return status;
    Leave();
    if (handleDead_)
        return FT_IO_ERROR;
    if (baudRate == 0)
        return FT_INVALID_BAUD_RATE;
    line_.baudRate = baudRate;
    return FT_OK;
}

FT_STATUS VirtualCar::FT_SetTimeouts(FT_HANDLE handle, ULONG readTimeout, ULONG writeTimeout) {
    std::lock_guard guard(mutex_);
    if (const FT_STATUS status = Enter(handle, "FT_SetTimeouts"); status != FT_OK)
        return status;
    Leave();
    if (handleDead_)
        return FT_IO_ERROR;
    line_.readTimeoutMs = readTimeout;
    line_.writeTimeoutMs = writeTimeout;
    return FT_OK;
}

FT_STATUS VirtualCar::FT_SetDataCharacteristics(FT_HANDLE handle, UCHAR wordLength, UCHAR stopBits,
                                                UCHAR parity) {
    std::lock_guard guard(mutex_);
    if (const FT_STATUS status = Enter(handle, "FT_SetDataCharacteristics"); status != FT_OK)
        return status;
    Leave();
    if (handleDead_)
        return FT_IO_ERROR;
    line_.wordLength = wordLength;
    line_.stopBits = stopBits;
    line_.parity = parity;
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
        std::lock_guard guard(mutex_);
        if (const FT_STATUS status = Enter(handle, "FT_Write"); status != FT_OK)
            return status;
        if (handleDead_) {
            Leave();
            return FT_IO_ERROR;
        }
        const auto limit = std::chrono::milliseconds(line_.writeTimeoutMs);
        if (line_.writeTimeoutMs != 0 && SerialTime(written) > limit)
            written = static_cast<DWORD>(ArrivedBy(limit, std::chrono::microseconds{0}));
        duration = SerialTime(written);
        // The car only understands the line it was built for; anything else reads as noise.
        const bool lineMatches = line_.baudRate == 19200 && line_.wordLength == FT_BITS_8 &&
                                 line_.stopBits == FT_STOP_BITS_1 && line_.parity == FT_PARITY_NONE;
        if (lineMatches) {
            pendingInput_.append(static_cast<const char*>(buffer), written);
            for (std::size_t end; (end = pendingInput_.find('\n')) != std::string::npos;) {
                const std::string line = pendingInput_.substr(0, end + 1);
                pendingInput_.erase(0, end + 1);
                HandleLine(line);
            }
        } else if (written > 0) {
            ++rejected_;
        }
        if (faults_.erase(CarFault::UnplugMidTransaction) != 0)
            unplugged = SetPluggedLocked(false);
    }
    sleeper_->SleepFor(duration);
    {
        std::lock_guard guard(mutex_);
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
        std::lock_guard guard(mutex_);
        if (const FT_STATUS status = Enter(handle, "FT_Read"); status != FT_OK)
            return status;
        if (handleDead_) {
            Leave();
            return FT_IO_ERROR;
        }
        const std::chrono::microseconds delay = replyDelay_;
        const std::chrono::microseconds timeout = std::chrono::milliseconds(line_.readTimeoutMs);
        std::size_t count = std::min<std::size_t>(bytesToRead, pendingReply_.size());
        duration = delay + SerialTime(count);
        if (line_.readTimeoutMs == 0 && count < bytesToRead) {
            // D2XX would wait forever here; report it and return what there is.
            Violation("FT_Read without a read time-out on an incomplete answer");
        } else if (line_.readTimeoutMs != 0 && (count < bytesToRead || duration > timeout)) {
            count = std::min(count, ArrivedBy(timeout, delay));
            duration = timeout;
        }
        bytes = pendingReply_.substr(0, count);
        pendingReply_.erase(0, count);
        replyDelay_ = std::chrono::microseconds{0};
    }
    sleeper_->SleepFor(duration);
    std::lock_guard guard(mutex_);
    Leave();
    if (handleDead_)
        return FT_IO_ERROR;
    std::memcpy(buffer, bytes.data(), bytes.size());
    *bytesReturned = static_cast<DWORD>(bytes.size());
    return FT_OK;
}

FT_STATUS VirtualCar::FT_Close(FT_HANDLE handle) {
    {
        std::lock_guard guard(mutex_);
        if (const FT_STATUS status = Enter(handle, "FT_Close"); status != FT_OK)
            return status;
        Leave();
        openHandle_ = 0;
        handleDead_ = false;
        pendingReply_.clear();
    }
    closed_.notify_all();
    return FT_OK;
}

} // namespace drivo::sim
