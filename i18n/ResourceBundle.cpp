// SPDX-License-Identifier: GPL-3.0-or-later
#include "ResourceBundle.h"

#include <cstdint>
#include <vector>

namespace drivo {

namespace {

// A node is a directory (flag 0x02) or a plain file (no flag). Qt also knows zlib (0x01) and
// zstd (0x04) entries, but it trusts the size their headers claim and allocates it before
// inflating: a few bytes can ask for terabytes. Our bundles are built uncompressed, so any
// other flag is refused here rather than handed to the decompressors.
constexpr std::uint16_t kFlagDirectory = 0x02;
constexpr std::uint16_t kFlagsPlainFile = 0;

class Reader {
public:
    explicit Reader(const QByteArray& data) : m_data(data) {}

    // Big-endian fields; false when [offset, offset + size) leaves the data.
    bool Fits(std::uint64_t offset, std::uint64_t size) const {
        return offset <= std::uint64_t(m_data.size()) &&
               size <= std::uint64_t(m_data.size()) - offset;
    }
    std::uint32_t U32(std::uint64_t at) const {
        return (std::uint32_t(U16(at)) << 16) | U16(at + 2);
    }
    std::uint16_t U16(std::uint64_t at) const {
        return std::uint16_t((Byte(at) << 8) | Byte(at + 1));
    }

private:
    std::uint8_t Byte(std::uint64_t at) const { return std::uint8_t(m_data[qsizetype(at)]); }
    const QByteArray& m_data;
};

} // namespace

bool IsResourceBundle(const QByteArray& data) {
    const Reader r(data);
    if (!r.Fits(0, 20) || !data.startsWith("qres"))
        return false;
    const std::uint32_t version = r.U32(4);
    if (version < 1 || version > 3 || (version >= 3 && !r.Fits(0, 24)))
        return false;
    if (version >= 3 && r.U32(20) != 0) // the flags of every entry or-ed: no compression
        return false;
    const std::uint64_t tree = r.U32(8), payload = r.U32(12), names = r.U32(16);
    const std::uint64_t nodeSize = version >= 2 ? 22 : 14;
    if (!r.Fits(tree, nodeSize))
        return false;
    const std::uint64_t nodeCount = (std::uint64_t(data.size()) - tree) / nodeSize;
    const auto node = [&](std::uint64_t index) { return tree + index * nodeSize; };

    std::vector<bool> seen(nodeCount, false);
    std::vector<std::uint64_t> pending{0};
    seen[0] = true;
    if (r.U16(node(0) + 4) != kFlagDirectory)
        return false;
    while (!pending.empty()) {
        const std::uint64_t index = pending.back();
        pending.pop_back();
        const std::uint64_t at = node(index);
        const std::uint16_t flags = r.U16(at + 4);
        if (index != 0) { // the root's name is never read
            const std::uint64_t name = names + r.U32(at);
            if (!r.Fits(name, 6) || !r.Fits(name + 6, std::uint64_t(r.U16(name)) * 2))
                return false;
        }
        if (flags == kFlagDirectory) {
            const std::uint64_t count = r.U32(at + 6), first = r.U32(at + 10);
            // Children come after their parent, so following them always ends.
            if (count > 0 && (first <= index || first > nodeCount || count > nodeCount - first))
                return false;
            for (std::uint64_t child = first; child < first + count; ++child) {
                if (seen[child])
                    return false;
                seen[child] = true;
                pending.push_back(child);
            }
        } else {
            const std::uint64_t block = payload + r.U32(at + 10);
            if (flags != kFlagsPlainFile || !r.Fits(block, 4) || !r.Fits(block + 4, r.U32(block)))
                return false;
        }
    }
    return true;
}

} // namespace drivo
