#include "CDrivoApp.h"

#include "CMainDialog.h"
#include "FirstFrame.h"
#include "LinkLog.h"
#include "framework/FrameworkTexts.h"
#include "widgets/BackgroundPicture.h"

#include <QApplication>

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

int RunDrivo(const char* programName, std::shared_ptr<FtDriver> driver, CDrivoApp::Attach attach) {
    int argc = 1;
    char* argv[] = {const_cast<char*>(programName), nullptr};
    QApplication qt(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Drivo"));
    QApplication::setApplicationVersion(QStringLiteral("1.3.1.0"));
    QApplication::setDesktopFileName(QStringLiteral("drivo"));
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
