// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/LinkTrace.h"

#include <memory>
#include <mutex>

namespace drivo {

namespace {

struct Installed {
    std::mutex mutex;
    std::shared_ptr<const LinkTraceHook> hook;
};

// Never destroyed: a detached job may report its last exchange while the program exits.
Installed& TheInstalled() {
    static auto* installed = new Installed;
    return *installed;
}

} // namespace

void SetLinkTrace(LinkTraceHook hook) {
    auto next = hook ? std::make_shared<const LinkTraceHook>(std::move(hook)) : nullptr;
    Installed& installed = TheInstalled();
    std::lock_guard guard(installed.mutex);
    installed.hook = std::move(next);
}

void TraceLinkTransaction(const LinkTransaction& transaction) {
    std::shared_ptr<const LinkTraceHook> hook;
    {
        Installed& installed = TheInstalled();
        std::lock_guard guard(installed.mutex);
        hook = installed.hook;
    }
    // Called outside the lock: a slow watcher never holds up another job's report.
    if (hook)
        (*hook)(transaction);
}

} // namespace drivo
