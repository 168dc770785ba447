// SPDX-License-Identifier: GPL-3.0-or-later
// drivo or drivo-demo (DRIVO_PROBE_DEMO) with the program's own wiring, ending as soon as the
// main window has shown its first complete frame. Without arguments it prints the wall clock
// at that moment (ns since the epoch) for bench/startup.sh; with "--grab FILE" it saves the
// window's picture instead (the package's screenshot).
#include "app/CDrivoApp.h"
#include "app/CMainDialog.h"
#include "app/FirstFrame.h"
#include "widgets/BackgroundPicture.h"

#ifdef DRIVO_PROBE_DEMO
#include "demo/DemoWiring.h"
#else
#include "app/DrivoWiring.h"
#include "device/ftdi/FtdiDriver.h"
#endif

#include <QPixmap>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>

namespace {

#ifdef DRIVO_PROBE_DEMO
constexpr const char* kProgram = "drivo-demo";
#else
constexpr const char* kProgram = "drivo";
#endif

void FirstFrameShown(drivo::CMainDialog& dialog, const char* grabPath) {
    if (grabPath) {
        // The picture is decoded beside the window and may still be on its way: the package's
        // screenshot always shows it.
        drivo::FinishPictureDecoding();
        const bool saved = dialog.grab().save(QString::fromLocal8Bit(grabPath), "PNG");
        std::_Exit(saved ? 0 : 1);
    }
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    std::printf("%lld\n", static_cast<long long>(now.tv_sec) * 1'000'000'000LL + now.tv_nsec);
    std::fflush(stdout);
    std::_Exit(0); // the figure ends here; tearing the window down is not part of it
}

} // namespace

int main(int argc, char** argv) {
    const char* grabPath = argc == 3 && std::string(argv[1]) == "--grab" ? argv[2] : nullptr;
    // The real program's path, so that it finds what lies beside it (bench/ -> app/).
    std::string self = argv[0];
    self = self.substr(0, self.find_last_of('/') + 1) + "../app/" + kProgram;
    int args = 1;
    char* arg[] = {self.data(), nullptr};
#ifdef DRIVO_PROBE_DEMO
    auto car = std::make_shared<drivo::sim::VirtualCar>(std::make_shared<drivo::RealSleeper>());
    return drivo::RunDrivo(args, arg, car, [car, grabPath](drivo::CMainDialog& dialog) {
        auto attachment = drivo::AttachDemoCar(car, dialog);
        drivo::WhenFirstFrameShown(dialog,
                                   [&dialog, grabPath] { FirstFrameShown(dialog, grabPath); });
        return attachment;
    });
#else
    return drivo::RunDrivo(
        args, arg, std::make_shared<drivo::FtdiDriver>(), [grabPath](drivo::CMainDialog& dialog) {
            drivo::WhenFirstFrameShown(dialog,
                                       [&dialog, grabPath] { FirstFrameShown(dialog, grabPath); });
            return drivo::AttachUdevWatcher(dialog);
        });
#endif
}
