#pragma once
// Test helpers for the main dialog: recorded message boxes and a working directory of its own
// for the settings file the window writes on close.
#include "app/CMainDialog.h"
#include "app/ControlIds.h"
#include "framework/MessageBoxes.h"
#include "i18n/ResourceModule.h"
#include "sim/VirtualCar.h"
#include "sim/VirtualClock.h"
#include "sim/WaitForFreeCar.h"
#include "widgets/BackgroundPicture.h"

#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <condition_variable>
#include <mutex>

namespace drivo::test {

struct RecordedBox {
    QString Text;
    MessageIcon Icon;
};

class RecordingBoxes final : public MessageBoxSink {
public:
    RecordingBoxes() { InstallMessageBoxes(this); }
    ~RecordingBoxes() override { InstallMessageBoxes(nullptr); }
    void Show(QWidget*, const QString& text, MessageIcon icon) override {
        Boxes.push_back({text, icon});
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
    std::vector<RecordedBox> Boxes;
    bool TakesActivation = false;
};

// Switches the working directory to an empty temporary one and back.
class ScratchWorkingDir {
public:
    ScratchWorkingDir() : m_previous(QDir::currentPath()) { QDir::setCurrent(m_dir.path()); }
    ~ScratchWorkingDir() { QDir::setCurrent(m_previous); }

    bool IsValid() const { return m_dir.isValid(); }
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

// The main window in a language, its background picture decoded.
template <class Dialog = CMainDialog> struct SkinWindow {
    RecordingBoxes boxes;
    std::unique_ptr<Dialog> dialog;
    explicit SkinWindow(LanguageEnvironment language = {})
        : dialog(std::make_unique<Dialog>(nullptr, DeviceServices{}, std::move(language))) {
        dialog->Create();
        dialog->show();
        FinishPictureDecoding();
    }
    CSkinButton* Skin(int id) const { return dialog->CommandButton(id); }
};

// The background pictures registered for a window.
inline std::vector<const PictureEntry*> PicturesOf(const QWidget* window) {
    std::vector<const PictureEntry*> mine;
    for (const PictureEntry* e = PictureListHead(); e; e = e->next)
        if (e->owner == window)
            mine.push_back(e);
    return mine;
}

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

// The main window on the virtual car, whose time is virtual: nothing waits for a real
// time-out. Jobs run on their threads; Outcomes waits for their results.
struct CarWindow {
    std::shared_ptr<CarTime> time = std::make_shared<CarTime>();
    std::shared_ptr<sim::VirtualCar> car = std::make_shared<sim::VirtualCar>(time);
    // The connection check starts two jobs at once: the second waits for the car to be free.
    std::shared_ptr<sim::WaitForFreeCar> linkSleeper = std::make_shared<sim::WaitForFreeCar>(car);
    std::shared_ptr<CWindowMessenger> messenger = std::make_shared<CWindowMessenger>();
    RecordingBoxes boxes;
    std::unique_ptr<CMainDialog> dialog;
    int waited = 0;

    explicit CarWindow(bool plugged = true) {
        if (!plugged)
            car->Unplug();
        dialog =
            std::make_unique<CMainDialog>(nullptr, DeviceServices{car, linkSleeper, messenger});
        dialog->Create();
        dialog->show();
    }
    ~CarWindow() {
        time->Hold(false);
        dialog.reset();
        messenger->Shutdown();
        QVERIFY(car->Violations().empty());
    }
    // Waits until n more job outcomes reached the window thread.
    bool Outcomes(int n) {
        waited += n;
        return QTest::qWaitFor([&] { return messenger->Arrived() >= waited; }, 5000) &&
               messenger->Arrived() == waited;
    }
    QString Pane0() const { return dialog->StatusBar()->PaneText(0); }
    CUsbStatusIndicator& Indicator() const { return *dialog->UsbIndicator(); }
    bool ButtonsEnabled(bool enabled) const {
        for (int id : {ctl::kBattery, ctl::kRaceInfo, ctl::kSend})
            if (dialog->CommandButton(id)->isEnabled() != enabled)
                return false;
        return true;
    }
    void Click(int id) {
        QTest::mouseClick(static_cast<QPushButton*>(dialog->CommandButton(id)), Qt::LeftButton);
    }
    QStringList BoxTexts() const {
        QStringList texts;
        for (const auto& b : boxes.Boxes)
            texts << b.Text;
        return texts;
    }
};

} // namespace drivo::test
