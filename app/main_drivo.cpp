// drivo: the program with the car on USB (libftdi) and udev's hot-plug events.
#include "CDrivoApp.h"
#include "DrivoWiring.h"
#include "device/ftdi/FtdiDriver.h"

int main(int, char** argv) {
    return drivo::RunDrivo(argv[0], std::make_shared<drivo::FtdiDriver>(),
                           drivo::AttachUdevWatcher);
}
