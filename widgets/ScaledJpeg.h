// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// JPEG pictures decoded straight to a smaller size. libjpeg scales by M/8 while it decodes, to
// the first size at or above the destination, and each decoded row is blended into the
// destination as it arrives: neither the picture at its own size nor a decoded intermediate
// ever exists, and only two decoded rows are held at a time.
#include <QByteArray>
#include <QImage>
#include <QSize>
#include <optional>

namespace drivo {

// The pixel size from the JPEG header alone; nothing when the bytes are not a readable JPEG.
std::optional<QSize> JpegPixelSize(const QByteArray& bytes);

// `size` device pixels in Format_RGB32; a null image when the bytes are not a JPEG that this
// path decodes (a colour space libjpeg does not turn into RGB, a destination more than twice
// the picture, more than `limitBytes` of decoder memory), so that the caller can try another.
QImage DecodeJpegToSize(const QByteArray& bytes, QSize size, long limitBytes);

} // namespace drivo
