// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/FtDriver.h"

namespace drivo {

FtDriver::~FtDriver() = default;

} // namespace drivo
