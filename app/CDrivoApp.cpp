#include "CDrivoApp.h"

#include "CMainDialog.h"

#include <QApplication>

namespace drivo {

CDrivoApp::CDrivoApp(DeviceWiring wiring) : m_wiring(wiring) {}

bool CDrivoApp::InitInstance() {
    WireDevice();
    CMainDialog dialog;
    dialog.DoModal();
    return false;
}

void CDrivoApp::WireDevice() {}

int RunDrivo(const char* programName, DeviceWiring wiring) {
    int argc = 1;
    char* argv[] = {const_cast<char*>(programName), nullptr};
    QApplication qt(argc, argv);
    CDrivoApp app(wiring);
    app.InitInstance();
    return 0;
}

} // namespace drivo
