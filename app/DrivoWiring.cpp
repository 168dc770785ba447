// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/DrivoWiring.h"

#include "app/CMainDialog.h"
#include "platform/CDeviceChangeWatcher.h"

namespace drivo {

std::shared_ptr<void> AttachUdevWatcher(CMainDialog& dialog) {
    return std::make_shared<CDeviceChangeWatcher>(
        UdevEventSource::Open(),
        [&dialog](unsigned code) { dialog.Controller().OnDeviceChange(code); });
}

} // namespace drivo
