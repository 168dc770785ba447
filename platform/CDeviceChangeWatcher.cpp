// SPDX-License-Identifier: GPL-3.0-or-later
#include "CDeviceChangeWatcher.h"

#include <cstring>
#include <libudev.h>

namespace drivo {

std::unique_ptr<UdevEventSource> UdevEventSource::Open() {
    udev* u = udev_new();
    if (!u)
        return nullptr;
    // Every subsystem's events come in and ReceiveChange keeps the USB ones: a filter in the
    // kernel would be compiled and attached at every start, for events that come a few at a time.
    udev_monitor* m = udev_monitor_new_from_netlink(u, "udev");
    if (!m || udev_monitor_enable_receiving(m) < 0) {
        if (m)
            udev_monitor_unref(m);
        udev_unref(u);
        return nullptr;
    }
    return std::unique_ptr<UdevEventSource>(new UdevEventSource(u, m));
}

UdevEventSource::UdevEventSource(udev* udev, udev_monitor* monitor)
    : m_udev(udev), m_monitor(monitor) {}

UdevEventSource::~UdevEventSource() {
    udev_monitor_unref(m_monitor);
    udev_unref(m_udev);
}

int UdevEventSource::Descriptor() const {
    return udev_monitor_get_fd(m_monitor);
}

bool UdevEventSource::ReceiveChange() {
    udev_device* device = udev_monitor_receive_device(m_monitor);
    if (!device)
        return false;
    const char* subsystem = udev_device_get_subsystem(device);
    const char* action = udev_device_get_action(device);
    const bool change = subsystem && std::strcmp(subsystem, "usb") == 0 && action &&
                        (std::strcmp(action, "add") == 0 || std::strcmp(action, "remove") == 0);
    udev_device_unref(device);
    return change;
}

CDeviceChangeWatcher::CDeviceChangeWatcher(std::unique_ptr<DeviceEventSource> source,
                                           Handler onDeviceChange, QObject* parent)
    : QObject(parent), m_source(std::move(source)), m_onDeviceChange(std::move(onDeviceChange)) {
    if (!m_source || m_source->Descriptor() < 0)
        return;
    m_notifier = std::make_unique<QSocketNotifier>(m_source->Descriptor(), QSocketNotifier::Read);
    connect(m_notifier.get(), &QSocketNotifier::activated, this, &CDeviceChangeWatcher::OnReadable);
}

void CDeviceChangeWatcher::OnReadable() {
    // One notification per readable event; the handler counts the devices itself, so a burst
    // of events (a hub with several devices) only costs a few extra checks.
    if (m_source->ReceiveChange() && m_onDeviceChange)
        m_onDeviceChange(DBT_DEVNODES_CHANGED);
}

} // namespace drivo
