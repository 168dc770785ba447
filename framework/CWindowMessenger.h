// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Delivers job outcomes, posted from worker threads, to windows on the window thread. A
// window is known by the handle it registered under; an outcome for a window that has been
// closed (or unregistered) is dropped, as a message posted to a destroyed window would be.
#include "device/JobNotifier.h"

#include <QObject>
#include <QPointer>
#include <atomic>
#include <functional>
#include <mutex>
#include <unordered_map>

namespace drivo {

class CWindowMessenger final : public JobNotifier {
public:
    using Handler = std::function<void(const JobOutcome& outcome)>;

    // Created on the window thread; outcomes are delivered there.
    CWindowMessenger();
    ~CWindowMessenger() override;

    // Window thread only.
    WindowHandle Register(QObject* window, Handler handler);
    void Unregister(WindowHandle handle);
    // Stops every later delivery; called before the application object goes away, since jobs
    // may still finish (and keep this object alive) after that.
    void Shutdown();

    // Outcomes that reached the window thread so far, delivered or dropped (for tests that
    // wait for jobs to finish).
    int Arrived() const { return m_arrived.load(); }

    // Any thread.
    void Post(WindowHandle target, const JobOutcome& outcome) override;

private:
    struct Entry {
        QPointer<QObject> window;
        Handler handler;
    };
    void Deliver(WindowHandle target, const JobOutcome& outcome);

    std::mutex m_mutex; // guards m_context against Post racing Shutdown
    QObject* m_context; // lives on the window thread; queued deliveries target it
    std::unordered_map<WindowHandle, Entry> m_windows; // window thread only
    WindowHandle m_nextHandle = 1;
    std::atomic<int> m_arrived{0};
};

} // namespace drivo
