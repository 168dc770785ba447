// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// libftdi1 and the libusb calls the driver makes, opened when a bridge is first looked for:
// a program that never sees an FTDI device never maps them, and until then they stay out of
// the symbol search of every library the program loads at start.
#include <ftdi.h>
#include <libusb.h>

namespace drivo {

struct LibFtdi {
    decltype(&::ftdi_new) ftdi_new;
    decltype(&::ftdi_free) ftdi_free;
    decltype(&::ftdi_usb_find_all) ftdi_usb_find_all;
    decltype(&::ftdi_list_free) ftdi_list_free;
    decltype(&::ftdi_usb_get_strings) ftdi_usb_get_strings;
    decltype(&::ftdi_usb_open_dev) ftdi_usb_open_dev;
    decltype(&::ftdi_usb_close) ftdi_usb_close;
    decltype(&::ftdi_set_baudrate) ftdi_set_baudrate;
    decltype(&::ftdi_set_line_property) ftdi_set_line_property;
    decltype(&::ftdi_write_data) ftdi_write_data;
    decltype(&::ftdi_read_data) ftdi_read_data;
    decltype(&::libusb_open) libusb_open;
    decltype(&::libusb_close) libusb_close;
};

// The libraries' calls, opened at the first call; null, at that call and every later one,
// when either library or one of the calls is missing.
const LibFtdi* OpenLibFtdi();

} // namespace drivo
