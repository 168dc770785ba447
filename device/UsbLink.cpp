// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/UsbLink.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace drivo {

UsbLink::UsbLink(std::shared_ptr<FtDriver> driver, std::shared_ptr<Sleeper> sleeper)
    : m_driver(std::move(driver)), m_sleeper(std::move(sleeper)) {}

int UsbLink::CountMatchingDevices(int* inaccessible) {
    if (inaccessible != nullptr)
        *inaccessible = 0;
    DWORD count = 0;
    if (m_driver->FT_CreateDeviceInfoList(&count) != FT_OK)
        return -1;
    if (count == 0)
        return 0;
    std::vector<FT_DEVICE_LIST_INFO_NODE> nodes(count);
    DWORD filled = count;
    if (m_driver->FT_GetDeviceInfoList(nodes.data(), &filled) != FT_OK)
        return -1;
    int matching = 0;
    // The driver may report fewer entries than first announced, never more than we hold.
    for (DWORD i = 0; i < filled && i < count; ++i) {
        const auto& description = nodes[i].Description;
        if (inaccessible != nullptr && (nodes[i].Flags & FT_FLAGS_ACCESS_DENIED) != 0)
            ++*inaccessible;
        if (strnlen(description, sizeof description) < sizeof description &&
            std::strcmp(description, kCarDescription) == 0)
            ++matching;
    }
    return matching;
}

FT_STATUS UsbLink::Open(FT_HANDLE& handle, int& attempts) {
    FT_STATUS status = FT_DEVICE_NOT_OPENED;
    for (attempts = 1; attempts <= kOpenAttempts; ++attempts) {
        // The device is taken while another transaction holds it; give that one time to finish.
        m_sleeper->SleepFor(kOpenRetryDelay);
        status = m_driver->FT_OpenEx(kCarDescription, FT_OPEN_BY_DESCRIPTION, &handle);
        if (status == FT_OK)
            return status;
    }
    attempts = kOpenAttempts;
    return status;
}

FT_STATUS UsbLink::Configure(FT_HANDLE handle) {
    FT_STATUS status = m_driver->FT_SetBaudRate(handle, kBaudRate);
    if (status == FT_OK)
        status = m_driver->FT_SetTimeouts(handle, kReadTimeoutMs, kWriteTimeoutMs);
    if (status == FT_OK)
        status = m_driver->FT_SetDataCharacteristics(handle, kWordLength, kStopBits, kParity);
    return status;
}

FT_STATUS UsbLink::Transact(std::string_view command, std::span<char> reply, DWORD& replyCount) {
    if (reply.size() <= replyCount)
        return FT_INVALID_PARAMETER;
    const std::chrono::microseconds start = m_sleeper->Now();
    LinkTransaction trace;
    trace.status = Exchange(command, reply, replyCount, trace);
    trace.durationMs = std::chrono::duration<double, std::milli>(m_sleeper->Now() - start).count();
    TraceLinkTransaction(trace);
    return trace.status;
}

FT_STATUS UsbLink::Exchange(std::string_view command, std::span<char> reply, DWORD& replyCount,
                            LinkTransaction& trace) {
    const DWORD wanted = replyCount;
    FT_HANDLE handle = nullptr;
    FT_STATUS status = Open(handle, trace.openAttempts);
    if (status != FT_OK)
        return status;
    status = Configure(handle);
    if (status != FT_OK) {
        m_driver->FT_Close(handle);
        return status;
    }
    LockLink();
    DWORD written = 0;
    status =
        m_driver->FT_Write(handle, command.data(), static_cast<DWORD>(command.size()), &written);
    trace.frame = command.substr(0, std::min<std::size_t>(written, command.size()));
    if (status == FT_OK) {
        DWORD received = 0;
        status = m_driver->FT_Read(handle, reply.data(), wanted, &received);
        if (status == FT_OK) {
            // A driver that reports more than asked would otherwise put the NUL out of bounds.
            if (received > wanted)
                received = wanted;
            replyCount = received;
            reply[received] = '\0';
            trace.received = std::string_view(reply.data(), received);
        }
    }
    m_driver->FT_Close(handle);
    UnlockLink();
    return status;
}

void UsbLink::CreateLinkMutex() {
    m_mutex.Create();
}
void UsbLink::LockLink() {
    m_mutex.Lock();
}
void UsbLink::UnlockLink() {
    m_mutex.Unlock();
}
void UsbLink::CloseLinkMutex() {
    m_mutex.Close();
}

} // namespace drivo
