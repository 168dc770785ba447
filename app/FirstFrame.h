// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The moment the main window has shown its first complete frame: the chart's first paint only
// renders its surface, and the paint that follows copies it, so the frame is complete once the
// chart's second paint has been handled. The program starts the background picture's decoding
// then, and the start-up probes end there.
#include <functional>

namespace drivo {

class CMainDialog;

// Calls done once, on the window's thread, right after that second paint.
void WhenFirstFrameShown(CMainDialog& dialog, std::function<void()> done);

} // namespace drivo
