// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Test helpers for the main window: recorded message boxes, a working directory of its own for
// the settings file the window writes on close, and the virtual car on a virtual clock.
#include "app/CMainDialog.h"
#include "app/ControlIds.h"
#include "framework/MessageBoxes.h"
#include "i18n/ResourceModule.h"
#include "i18n/StringIds.h"
#include "sim/VirtualCar.h"
#include "sim/VirtualClock.h"
#include "sim/WaitForFreeCar.h"
#include "widgets/BackgroundPicture.h"

#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <array>
#include <condition_variable>
#include <mutex>

namespace drivo::test {

class RecordingBoxes final : public MessageBoxSink {
public:
    RecordingBoxes() { InstallMessageBoxes(this); }
    ~RecordingBoxes() override { InstallMessageBoxes(nullptr); }
    void Show(QWidget*, const QString& text, MessageIcon icon) override {
        Boxes << text;
        Icons.push_back(icon);
        if (!TakesActivation)
            return;
        // A window of its own takes the activation and, closed, leaves it to nobody, as on an
        // X server without a window manager.
        QWidget box;
        box.show();
        QCoreApplication::processEvents();
        box.hide();
        QCoreApplication::processEvents();
    }
    void Clear() {
        Boxes.clear();
        Icons.clear();
    }
    QStringList Boxes; // their texts
    std::vector<MessageIcon> Icons;
    bool TakesActivation = false;
};

// Switches the working directory to an empty temporary one and back.
class ScratchWorkingDir {
public:
    ScratchWorkingDir() : m_previous(QDir::currentPath()) { QDir::setCurrent(m_dir.path()); }
    ~ScratchWorkingDir() { QDir::setCurrent(m_previous); }
    // The value of one key of ./Drivo.ini, or a null string.
    QString SettingsValue(const QString& key) const {
        QFile f(m_dir.filePath("Drivo.ini"));
        if (!f.open(QIODevice::ReadOnly))
            return {};
        for (const QString& line : QString::fromLatin1(f.readAll()).split(QStringLiteral("\r\n")))
            if (line.startsWith(key + '='))
                return line.mid(key.size() + 1);
        return {};
    }

private:
    QString m_previous;
    QTemporaryDir m_dir;
};

inline QString Text(int id) {
    return ResourceModule::Current().LoadResourceString(id);
}

// A user of that language, running the program at that path (or the running one).
inline LanguageEnvironment UserLanguage(std::uint16_t user, const QString& program = {}) {
    LanguageEnvironment language{[user] { return user; }, {}};
    if (!program.isEmpty())
        language.programPath = [program] { return program; };
    return language;
}

#ifdef DRIVO_TEST_BUNDLE_DIR // the app tests
// The program the build made, with the language bundles and the journal's plot beside it.
inline QString BuiltProgram() {
    return QStringLiteral(DRIVO_TEST_BUNDLE_DIR "/drivo");
}
#endif

// A job's outcome as the messenger brings it to the window's controller.
inline void Deliver(CMainDialog& dialog, const JobOutcome& outcome) {
    const RaceController& controller = dialog.Controller();
    controller.Services().messenger->Post(controller.Handle(), outcome);
    QCoreApplication::processEvents();
}

// The main window, shown with its background picture decoded, closing into a scratch directory.
template <class Dialog = CMainDialog> struct MainWindow {
    ScratchWorkingDir cwd;
    RecordingBoxes boxes;
    std::unique_ptr<Dialog> dialog;
    explicit MainWindow(LanguageEnvironment language = {}, DeviceServices services = {})
        : dialog(std::make_unique<Dialog>(nullptr, std::move(services), std::move(language))) {
        dialog->Create();
        dialog->show();
        FinishPictureDecoding();
    }
    CSkinButton* Skin(int id) const { return dialog->CommandButton(id); }
    std::vector<const PictureEntry*> Pictures() const {
        std::vector<const PictureEntry*> mine;
        for (const PictureEntry* e = PictureListHead(); e; e = e->next)
            if (e->owner == dialog.get())
                mine.push_back(e);
        return mine;
    }
};

// The car's time: virtual, and standing still while a test holds it, so that an exchange
// stays open (and every other one waits for the car) until the test lets it go on.
class CarTime final : public Sleeper {
public:
    void SleepFor(std::chrono::microseconds d) override {
        std::unique_lock lock(m_mutex);
        m_released.wait(lock, [this] { return !m_held; });
        m_clock.SleepFor(d);
    }
    std::chrono::microseconds Now() const override { return m_clock.Now(); }
    void Hold(bool held) {
        {
            std::lock_guard lock(m_mutex);
            m_held = held;
        }
        m_released.notify_all();
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_released;
    bool m_held = false;
    sim::VirtualClock m_clock;
};

// The virtual car, made before the window that talks to it.
struct VirtualCarParts {
    std::shared_ptr<CarTime> time = std::make_shared<CarTime>();
    std::shared_ptr<sim::VirtualCar> car = std::make_shared<sim::VirtualCar>(time);
    // The connection check starts two jobs at once: the second waits for the car to be free.
    std::shared_ptr<sim::WaitForFreeCar> linkSleeper = std::make_shared<sim::WaitForFreeCar>(car);
    std::shared_ptr<CWindowMessenger> messenger = std::make_shared<CWindowMessenger>();
    int waited = 0;
    explicit VirtualCarParts(bool plugged) {
        if (!plugged)
            car->Unplug();
    }
    // Waits until n more job outcomes reached the window thread (the limit only guards
    // against a hang).
    bool Outcomes(int n) {
        waited += n;
        return QTest::qWaitFor([&] { return messenger->Arrived() >= waited; }, 60000) &&
               messenger->Arrived() == waited;
    }
};

// The main window on the virtual car: nothing waits for a real time-out. Jobs run on their
// threads; Outcomes waits for their results, the constructor for the start's two reads.
struct CarWindow : VirtualCarParts, MainWindow<> {
    explicit CarWindow(bool plugged = true, LanguageEnvironment language = {})
        : VirtualCarParts(plugged), MainWindow(std::move(language), {car, linkSleeper, messenger}) {
        if (plugged)
            QVERIFY(Outcomes(2));
    }
    ~CarWindow() {
        time->Hold(false);
        dialog.reset();
        messenger->Shutdown();
        QVERIFY(car->Violations().empty());
    }
    QString Pane0() const { return dialog->Display().StatusBar()->PaneText(0); }
    CUsbStatusIndicator& Indicator() const { return *dialog->Display().UsbIndicator(); }
    bool ButtonsEnabled(bool enabled) const {
        return std::ranges::all_of(std::array{ctl::kBattery, ctl::kRaceInfo, ctl::kSend},
                                   [&](int id) { return Skin(id)->isEnabled() == enabled; });
    }
    void Click(int id) { QTest::mouseClick(Skin(id), Qt::LeftButton); }
};

} // namespace drivo::test
