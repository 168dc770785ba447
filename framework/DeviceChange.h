// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The event code of the window's device-change message: the platform's device nodes changed
// (a USB device was added or removed). The watcher in platform/ and the demo send it.
namespace drivo {

constexpr unsigned DBT_DEVNODES_CHANGED = 7;

} // namespace drivo
