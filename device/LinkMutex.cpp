// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/LinkMutex.h"

namespace drivo {

void LinkMutex::Create() {
    std::lock_guard guard(stateMutex_);
    if (state_ == State::Null)
        state_ = State::Created;
}

bool LinkMutex::Lock() {
    {
        std::lock_guard guard(stateMutex_);
        if (state_ != State::Created)
            return false;
    }
    // A second Lock by the holder would deadlock on std::mutex; a recursive hold never
    // happens in a transaction, so treat it as already held.
    if (owner_.load() == std::this_thread::get_id())
        return true;
    link_.lock();
    owner_.store(std::this_thread::get_id());
    return true;
}

void LinkMutex::Unlock() {
    if (owner_.load() != std::this_thread::get_id())
        return;
    owner_.store(std::thread::id{});
    link_.unlock();
}

void LinkMutex::Close() {
    std::lock_guard guard(stateMutex_);
    state_ = State::Closed;
}

bool LinkMutex::IsHeld() const {
    return owner_.load() != std::thread::id{};
}

} // namespace drivo
