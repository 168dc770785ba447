// SPDX-License-Identifier: GPL-3.0-or-later
#include "CDrivoApp.h"

#include "CMainDialog.h"
#include "FirstFrame.h"
#include "LinkLog.h"
#include "framework/FrameworkTexts.h"
#include "widgets/BackgroundPicture.h"

#include "DrivoVersion.h"

#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace drivo {

CDrivoApp::CDrivoApp(std::shared_ptr<FtDriver> driver, Attach attach)
    : m_driver(std::move(driver)), m_attach(std::move(attach)) {}

bool CDrivoApp::InitInstance() {
    auto messenger = std::make_shared<CWindowMessenger>();
    {
        // The first frame never waits for the picture, so it need not share the CPU with it.
        HoldPictureDecoding(true);
        CMainDialog dialog(nullptr,
                           DeviceServices{m_driver, std::make_shared<RealSleeper>(), messenger});
        WhenFirstFrameShown(dialog, [] { HoldPictureDecoding(false); });
        const std::shared_ptr<void> attachment = m_attach ? m_attach(dialog) : nullptr;
        dialog.DoModal();
    }
    HoldPictureDecoding(false); // a window closed before its first frame leaves none waiting
    // Jobs still running when the window closed finish on their own; their outcomes go nowhere.
    messenger->Shutdown();
    return false;
}

namespace {

std::string ProgramName(int argc, char** argv) {
    const std::string_view program = argc > 0 ? argv[0] : "drivo";
    return std::string(program.substr(program.find_last_of('/') + 1));
}

} // namespace

std::optional<std::string> CommandLineReply(int argc, char** argv) {
    const std::string name = ProgramName(argc, argv);
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--version")
            return name + " " DRIVO_VERSION "\n";
        if (arg == "--help" || arg == "-h")
            return "Usage: " + name +
                   " [Qt options, e.g. -platform offscreen, -style fusion]\n"
                   "Shapes the Voltkart's motor current profile and sends it to the car.\n"
                   "  --help     show this text\n"
                   "  --version  show the version\n";
    }
    return std::nullopt;
}

namespace {

// Without any of these the toolkit's default platform aborts the program.
bool DisplayNamed(int argc, char** argv) {
    for (const char* variable : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        if (const char* value = std::getenv(variable); value && *value)
            return true;
    for (int i = 1; i < argc; ++i)
        if (std::string_view(argv[i]) == "-platform")
            return true;
    return false;
}

} // namespace

int RunDrivo(int& argc, char** argv, std::shared_ptr<FtDriver> driver, CDrivoApp::Attach attach) {
    if (const auto reply = CommandLineReply(argc, argv)) {
        std::fputs(reply->c_str(), stdout);
        return 0;
    }
    if (!DisplayNamed(argc, argv)) {
        std::fprintf(stderr, "%s: no display (DISPLAY and WAYLAND_DISPLAY are not set)\n",
                     ProgramName(argc, argv).c_str());
        return 1;
    }
    QApplication qt(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Drivo"));
    QApplication::setApplicationVersion(QStringLiteral(DRIVO_VERSION));
    // The desktop entry the window belongs to (its icon and name in the desktop's task list).
    QApplication::setDesktopFileName(ProgramName(argc, argv) == "drivo-demo"
                                         ? QStringLiteral("org.drivo.drivo.demo")
                                         : QStringLiteral("org.drivo.drivo"));
    // The standard buttons of message boxes in the system's language.
    const std::unique_ptr<QTranslator> toolkit = LoadToolkitTranslations();
    if (toolkit)
        QApplication::installTranslator(toolkit.get());
    InstallLinkLog();
    CDrivoApp app(std::move(driver), std::move(attach));
    app.InitInstance();
    return 0;
}

} // namespace drivo
