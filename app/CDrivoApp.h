// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The application object: runs the main dialog modally and ends when it closes.
#include "device/FtDriver.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace drivo {

class CMainDialog;

class CDrivoApp {
public:
    // Plugs the program's device-change source (udev, or the demo's car panel) into the main
    // window once it exists; what it returns is kept alive while the window runs.
    using Attach = std::function<std::shared_ptr<void>(CMainDialog&)>;

    CDrivoApp(std::shared_ptr<FtDriver> driver, Attach attach);
    // Runs the main dialog; false, so that the program ends once it closed.
    bool InitInstance();

private:
    std::shared_ptr<FtDriver> m_driver;
    Attach m_attach;
};

// What the program prints and ends with, without a window, for --help or --version (the first
// of them among the arguments); nothing for any other command line, whose arguments the toolkit
// takes (-platform, -style, ...) or ignores.
std::optional<std::string> CommandLineReply(int argc, char** argv);

// The whole program: --help and --version answered on the terminal; otherwise, with a display,
// a QApplication with the program's name, version and arguments, the application object and
// its InitInstance. Without a display: one line on stderr and 1.
int RunDrivo(int& argc, char** argv, std::shared_ptr<FtDriver> driver, CDrivoApp::Attach attach);

} // namespace drivo
