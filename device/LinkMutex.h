// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The lock that keeps the write, the read and the close of concurrent transactions apart.
// It is null before Create and closed after Close; in both states Lock does nothing. A thread
// that locked it before Close can still Unlock it, so closing never strands a holder.
#include <atomic>
#include <mutex>
#include <thread>

namespace drivo {

class LinkMutex {
public:
    void Create();
    // Waits without limit. Returns whether the calling thread now holds the lock.
    bool Lock();
    // Releases the lock if the calling thread holds it; does nothing otherwise.
    void Unlock();
    void Close();
    bool IsHeld() const;

private:
    enum class State { Null, Created, Closed };

    std::mutex m_stateMutex;
    State m_state = State::Null;
    std::mutex m_link;
    std::atomic<std::thread::id> m_owner{};
};

} // namespace drivo
