// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/LinkMutex.h"

namespace drivo {

void LinkMutex::Create() {
    std::lock_guard guard(m_stateMutex);
    if (m_state == State::Null)
        m_state = State::Created;
}

bool LinkMutex::Lock() {
    {
        std::lock_guard guard(m_stateMutex);
        if (m_state != State::Created)
            return false;
    }
    // A second Lock by the holder would deadlock on std::mutex; a recursive hold never
    // happens in a transaction, so treat it as already held.
    if (m_owner.load() == std::this_thread::get_id())
        return true;
    m_link.lock();
    m_owner.store(std::this_thread::get_id());
    return true;
}

void LinkMutex::Unlock() {
    if (m_owner.load() != std::this_thread::get_id())
        return;
    m_owner.store(std::thread::id{});
    m_link.unlock();
}

void LinkMutex::Close() {
    std::lock_guard guard(m_stateMutex);
    m_state = State::Closed;
}

bool LinkMutex::IsHeld() const {
    return m_owner.load() != std::thread::id{};
}

} // namespace drivo
