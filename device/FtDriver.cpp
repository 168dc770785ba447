#include "device/FtDriver.h"

namespace drivo {

FtDriver::~FtDriver() = default;

} // namespace drivo
