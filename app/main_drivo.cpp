// SPDX-License-Identifier: GPL-3.0-or-later
// drivo: the program with the car on USB (libftdi) and udev's hot-plug events.
#include "CDrivoApp.h"
#include "DrivoWiring.h"
#include "device/ftdi/FtdiDriver.h"

int main(int argc, char** argv) {
    return drivo::RunDrivo(argc, argv, std::make_shared<drivo::FtdiDriver>(),
                           drivo::AttachUdevWatcher);
}
