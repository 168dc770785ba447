// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// drivo's wiring: udev's USB hot-plug events reach the main window as device changes. drivo's
// main and the tests both call it; like that main, it is the only part of app/ that includes
// platform/.
#include <memory>

namespace drivo {

class CMainDialog;

// Watches udev for USB devices coming and going and runs the window's device-change handler
// with "device nodes changed"; what it returns keeps the watch alive while it is held. Without
// udev nothing is watched and the window only checks at start.
std::shared_ptr<void> AttachUdevWatcher(CMainDialog& dialog);

} // namespace drivo
