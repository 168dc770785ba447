// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer target over the background picture's JPEG decoding, which reads pictures that a
// language bundle may carry. The first two bytes pick the destination size (smaller, larger
// and far smaller than the picture); the rest is the picture, in a buffer of its exact size.
#include "widgets/ScaledJpeg.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2)
        return 0;
    const QSize target(1 + data[0] % 97, 1 + data[1] % 61);
    const QByteArray bytes(reinterpret_cast<const char*>(data + 2), qsizetype(size - 2));
    const std::optional<QSize> header = drivo::JpegPixelSize(bytes);
    const QImage image = drivo::DecodeJpegToSize(bytes, target, 16 << 20);
    // A picture comes out at exactly the size asked, and only from a readable header.
    if (!image.isNull() && (image.size() != target || !header))
        std::abort();
    return 0;
}
