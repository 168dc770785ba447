// SPDX-License-Identifier: GPL-3.0-or-later
#include "ScaledJpeg.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio> // jpeglib.h uses FILE
#include <jpeglib.h>

namespace drivo {

namespace {

struct ErrorJump {
    jpeg_error_mgr manager;
    std::jmp_buf jump;
};

[[noreturn]] void JumpBack(j_common_ptr info) {
    std::longjmp(reinterpret_cast<ErrorJump*>(info->err)->jump, 1);
}

// A damaged stream decodes as far as it goes, the rest grey, as in any viewer; nothing printed.
void Quiet(j_common_ptr) {}

// libjpeg's errors jump back to the setjmp of the function that owns this object, which then
// returns; the decompressor and everything allocated from its pools go with it.
struct Decompressor {
    jpeg_decompress_struct info{};
    ErrorJump error{};

    Decompressor() {
        info.err = jpeg_std_error(&error.manager);
        error.manager.error_exit = JumpBack;
        error.manager.output_message = Quiet;
    }
    ~Decompressor() { jpeg_destroy_decompress(&info); }

    // Call after setjmp: creating may already fail.
    void Open(const QByteArray& bytes, long limitBytes) {
        jpeg_create_decompress(&info);
        info.mem->max_memory_to_use = limitBytes;
        jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(bytes.constData()),
                     static_cast<unsigned long>(bytes.size()));
        jpeg_read_header(&info, TRUE);
    }

    template <typename T> T* Allocate(std::size_t count) {
        return static_cast<T*>((*info.mem->alloc_large)(reinterpret_cast<j_common_ptr>(&info),
                                                        JPOOL_IMAGE, count * sizeof(T)));
    }
};

bool StartsAsJpeg(const QByteArray& bytes) {
    return bytes.size() > 3 && bytes.startsWith(QByteArray::fromRawData("\xFF\xD8\xFF", 3));
}

// Where destination pixel i samples a source of `from` pixels for `to` pixels: the centre of i
// mapped back, in 1/256 pixel, clamped to the first and last pixel.
struct Sample {
    int first;  // source pixel
    int weight; // of the next source pixel, 0..255
    bool hasNext;
};

Sample SampleAt(long long i, long long from, long long to) {
    const long long pos = std::max(0LL, (2 * i + 1) * from * 128 / to - 128);
    Sample s{static_cast<int>(pos >> 8), static_cast<int>(pos & 255), true};
    if (s.first >= from - 1) {
        s = {static_cast<int>(from - 1), 0, false};
    }
    return s;
}

// a and b mixed with `weight`/256 of b, two channels at a time.
inline QRgb Mix(QRgb a, QRgb b, unsigned weight) {
    const unsigned keep = 256 - weight;
    const QRgb redBlue = (((a & 0xFF00FF) * keep + (b & 0xFF00FF) * weight) >> 8) & 0xFF00FF;
    const QRgb alphaGreen =
        (((a >> 8) & 0xFF00FF) * keep + ((b >> 8) & 0xFF00FF) * weight) & 0xFF00FF00;
    return alphaGreen | redBlue;
}

} // namespace

std::optional<QSize> JpegPixelSize(const QByteArray& bytes) {
    if (!StartsAsJpeg(bytes))
        return std::nullopt;
    Decompressor d;
    if (setjmp(d.error.jump))
        return std::nullopt;
    d.Open(bytes, 0);
    return QSize(static_cast<int>(d.info.image_width), static_cast<int>(d.info.image_height));
}

QImage DecodeJpegToSize(const QByteArray& bytes, QSize size, long limitBytes) {
    if (size.isEmpty() || !StartsAsJpeg(bytes))
        return {};
    // Made before the jump point, so that an error never leaves it half-assigned.
    QImage out(size, QImage::Format_RGB32);
    if (out.isNull())
        return {};
    Decompressor d;
    if (setjmp(d.error.jump))
        return {};
    d.Open(bytes, limitBytes);
    // Rows in the destination's own byte order, so that a picture decoded at its own size
    // lands in the destination as it is.
    d.info.out_color_space = Q_BYTE_ORDER == Q_LITTLE_ENDIAN ? JCS_EXT_BGRA : JCS_EXT_ARGB;
    const long long tw = size.width();
    const long long th = size.height();
    for (unsigned m = 1;; ++m) {
        if (m > 16)
            return {}; // more than twice the picture: not a size this path makes
        d.info.scale_num = m;
        d.info.scale_denom = 8;
        jpeg_calc_output_dimensions(&d.info);
        if (d.info.output_width >= tw && d.info.output_height >= th)
            break;
    }
    jpeg_start_decompress(&d.info);
    if (d.info.output_components != 4)
        return {};
    const long long sw = d.info.output_width;
    const long long sh = d.info.output_height;
    if (sw == tw && sh == th) {
        for (long long y = 0; y < th; ++y) {
            JSAMPROW line = out.scanLine(static_cast<int>(y));
            if (jpeg_read_scanlines(&d.info, &line, 1) != 1)
                return {};
        }
        return out;
    }

    // Bilinear from the decoded rows. Once the M/8 scaling is done they are less than twice
    // the destination each way (unless the picture is more than 16 times the destination),
    // so no source pixel lies far from a sample.
    auto* columns = d.Allocate<Sample>(static_cast<std::size_t>(tw));
    for (long long x = 0; x < tw; ++x)
        columns[x] = SampleAt(x, sw, tw);
    JSAMPARRAY rows = (*d.info.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&d.info),
                                                  JPOOL_IMAGE, static_cast<JDIMENSION>(sw * 4), 2);
    auto* between = d.Allocate<QRgb>(static_cast<std::size_t>(sw));
    long long read = -1; // the last source row read, kept in rows[read & 1] beside read - 1
    for (long long y = 0; y < th; ++y) {
        const Sample row = SampleAt(y, sh, th);
        const long long next = row.hasNext ? row.first + 1 : row.first;
        while (read < next) {
            JSAMPROW target = rows[(read + 1) & 1];
            if (jpeg_read_scanlines(&d.info, &target, 1) != 1)
                return {};
            ++read;
        }
        // The rows hold the destination's pixels, 32 bits each.
        const auto* upper = reinterpret_cast<const QRgb*>(rows[row.first & 1]);
        const auto* lower = reinterpret_cast<const QRgb*>(rows[next & 1]);
        const QRgb* source = upper;
        if (row.weight) {
            for (long long i = 0; i < sw; ++i)
                between[i] = Mix(upper[i], lower[i], static_cast<unsigned>(row.weight));
            source = between;
        }
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(static_cast<int>(y)));
        for (long long x = 0; x < tw; ++x) {
            const Sample& c = columns[x];
            line[x] = Mix(source[c.first], source[c.hasNext ? c.first + 1 : c.first],
                          static_cast<unsigned>(c.weight));
        }
    }
    jpeg_abort_decompress(&d.info); // the rows below the last sample are not needed
    return out;
}

} // namespace drivo
