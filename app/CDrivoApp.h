#pragma once
// The application object: runs the main dialog modally and ends when it closes.
#include "device/FtDriver.h"

#include <functional>
#include <memory>

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

// The whole program: a QApplication with the program's name and version, the application
// object and its InitInstance. Command-line arguments are not read (the toolkit gets only the
// program name).
int RunDrivo(const char* programName, std::shared_ptr<FtDriver> driver, CDrivoApp::Attach attach);

} // namespace drivo
