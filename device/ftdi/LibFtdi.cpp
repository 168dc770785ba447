// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/ftdi/LibFtdi.h"

#include <dlfcn.h>

namespace drivo {

namespace {

// The sonames of the ABI the headers describe. Both stay open for the program's life.
constexpr const char* kLibFtdi = "libftdi1.so.2";
constexpr const char* kLibUsb = "libusb-1.0.so.0";

template <typename Call> bool Find(void* library, const char* name, Call& call) {
    call = reinterpret_cast<Call>(dlsym(library, name));
    return call != nullptr;
}

bool Open(LibFtdi& f) {
    void* ftdi = dlopen(kLibFtdi, RTLD_NOW | RTLD_LOCAL);
    void* usb = ftdi ? dlopen(kLibUsb, RTLD_NOW | RTLD_LOCAL) : nullptr;
    return usb && Find(ftdi, "ftdi_new", f.ftdi_new) && Find(ftdi, "ftdi_free", f.ftdi_free) &&
           Find(ftdi, "ftdi_usb_find_all", f.ftdi_usb_find_all) &&
           Find(ftdi, "ftdi_list_free", f.ftdi_list_free) &&
           Find(ftdi, "ftdi_usb_get_strings", f.ftdi_usb_get_strings) &&
           Find(ftdi, "ftdi_usb_open_dev", f.ftdi_usb_open_dev) &&
           Find(ftdi, "ftdi_usb_close", f.ftdi_usb_close) &&
           Find(ftdi, "ftdi_set_baudrate", f.ftdi_set_baudrate) &&
           Find(ftdi, "ftdi_set_line_property", f.ftdi_set_line_property) &&
           Find(ftdi, "ftdi_write_data", f.ftdi_write_data) &&
           Find(ftdi, "ftdi_read_data", f.ftdi_read_data) &&
           Find(usb, "libusb_open", f.libusb_open) && Find(usb, "libusb_close", f.libusb_close);
}

} // namespace

const LibFtdi* OpenLibFtdi() {
    static const LibFtdi* const opened = [] {
        static LibFtdi calls{};
        return Open(calls) ? &calls : nullptr;
    }();
    return opened;
}

} // namespace drivo
