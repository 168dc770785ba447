// SPDX-License-Identifier: GPL-3.0-or-later
#include "CWindowMessenger.h"

namespace drivo {

CWindowMessenger::CWindowMessenger() : m_context(new QObject) {}

CWindowMessenger::~CWindowMessenger() {
    Shutdown();
}

WindowHandle CWindowMessenger::Register(QObject* window, Handler handler) {
    const WindowHandle handle = m_nextHandle++;
    m_windows[handle] = Entry{window, std::move(handler)};
    return handle;
}

void CWindowMessenger::Unregister(WindowHandle handle) {
    m_windows.erase(handle);
}

void CWindowMessenger::Shutdown() {
    std::lock_guard lock(m_mutex);
    // Deleting the context also discards deliveries already queued for it.
    delete m_context;
    m_context = nullptr;
    m_windows.clear();
}

void CWindowMessenger::Post(WindowHandle target, const JobOutcome& outcome) {
    std::lock_guard lock(m_mutex);
    if (!m_context)
        return;
    QMetaObject::invokeMethod(
        m_context, [this, target, outcome] { Deliver(target, outcome); }, Qt::QueuedConnection);
}

void CWindowMessenger::Deliver(WindowHandle target, const JobOutcome& outcome) {
    ++m_arrived;
    const auto it = m_windows.find(target);
    if (it == m_windows.end() || !it->second.window)
        return;
    // Copy: the handler may close its window, which unregisters it.
    const Handler handler = it->second.handler;
    handler(outcome);
}

} // namespace drivo
