// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Turns the platform's USB hot-plug events into the window's device-change message with the
// event code "device nodes changed", read on the window thread.
#include "framework/DeviceChange.h"

#include <QObject>
#include <QSocketNotifier>
#include <functional>
#include <memory>

struct udev;
struct udev_monitor;

namespace drivo {

// Something with a pollable descriptor that yields device events one at a time.
class DeviceEventSource {
public:
    virtual ~DeviceEventSource() = default;
    virtual int Descriptor() const = 0;
    // Takes one pending event; true when it is a device being added or removed.
    virtual bool ReceiveChange() = 0;
};

// The libudev monitor, for subsystem "usb". Open() gives null when udev is unavailable.
class UdevEventSource final : public DeviceEventSource {
public:
    static std::unique_ptr<UdevEventSource> Open();
    ~UdevEventSource() override;
    int Descriptor() const override;
    bool ReceiveChange() override;

private:
    UdevEventSource(::udev* udev, ::udev_monitor* monitor);
    ::udev* m_udev;
    ::udev_monitor* m_monitor;
};

class CDeviceChangeWatcher : public QObject {
    Q_OBJECT
public:
    using Handler = std::function<void(unsigned eventCode)>;
    CDeviceChangeWatcher(std::unique_ptr<DeviceEventSource> source, Handler onDeviceChange,
                         QObject* parent = nullptr);
    bool IsWatching() const { return m_notifier && m_notifier->isEnabled(); }

private:
    void OnReadable();

    std::unique_ptr<DeviceEventSource> m_source;
    Handler m_onDeviceChange;
    std::unique_ptr<QSocketNotifier> m_notifier;
};

} // namespace drivo
