// drivo: the program with the car on USB (libftdi) and udev's hot-plug events.
#include "platform/CDeviceChangeWatcher.h"
#include "CDrivoApp.h"
#include "CMainDialog.h"
#include "device/ftdi/FtdiDriver.h"

int main(int, char** argv) {
    return drivo::RunDrivo(argv[0], std::make_shared<drivo::FtdiDriver>(),
                           [](drivo::CMainDialog& dialog) {
                               return std::make_shared<drivo::CDeviceChangeWatcher>(
                                   drivo::UdevEventSource::Open(),
                                   [&dialog](unsigned code) { dialog.OnDeviceChange(code); });
                           });
}
