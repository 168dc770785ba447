// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A watcher of every exchange on the link, for the day a car misbehaves: what went over the
// wire and how it ended. Every link reports each transaction once, on the thread that ran it
// (a job's thread), after the device was closed again. No watcher is installed by default.
#include "device/FtDriver.h"

#include <functional>
#include <string_view>

namespace drivo {

struct LinkTransaction {
    std::string_view frame;    // as written (empty when the device never opened)
    std::string_view received; // the bytes read back
    FT_STATUS status = FT_OK;  // the transaction's result
    int openAttempts = 0;
    double durationMs = 0.0; // on the link's sleeper's clock
};

using LinkTraceHook = std::function<void(const LinkTransaction&)>;

// Installs the hook for every link of the process; an empty one removes it. The hook may run
// on several job threads at once.
void SetLinkTrace(LinkTraceHook hook);
// Hands one transaction to the installed hook, if any.
void TraceLinkTransaction(const LinkTransaction& transaction);

} // namespace drivo
