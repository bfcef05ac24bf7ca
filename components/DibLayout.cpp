// DIB header checks.
#include "components/DibLayout.h"
#include <cstdint>

namespace {

std::uint32_t Dword(const std::uint8_t* p)
{
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}
unsigned Word(const std::uint8_t* p) { return p[0] | (p[1] << 8); }

constexpr int kMaxCompressedSide = 16384;
constexpr std::uint64_t kMaxCompressedPixels = 4096 * 4096;

} // namespace

bool ExamineDibHeader(const void* header, size_t size, DibLayout& layout, bool paletteIndexes)
{
    layout = DibLayout();
    const auto* p = static_cast<const std::uint8_t*>(header);
    if (!p || size < 12)
        return false;
    DibLayout l;
    l.headerSize = Dword(p);
    if (l.headerSize == sizeof(BITMAPCOREHEADER)) {
        l.core = true;
        l.width = static_cast<int>(Word(p + 4));
        l.height = static_cast<int>(Word(p + 6));
        if (Word(p + 8) != 1)
            return false;
        l.bitCount = static_cast<int>(Word(p + 10));
        if (l.bitCount != 1 && l.bitCount != 4 && l.bitCount != 8 && l.bitCount != 24)
            return false;
        l.colours = l.bitCount <= 8 ? 1u << l.bitCount : 0;
        l.entrySize = 3;
    } else if (l.headerSize == 40 || l.headerSize == 52 || l.headerSize == 56 || l.headerSize == 108 ||
               l.headerSize == 124) {
        // 52 and 56 carry the masks inside the header, as do the V4 (108) and V5 (124) forms.
        if (size < l.headerSize)
            return false;
        const std::int32_t width = static_cast<std::int32_t>(Dword(p + 4));
        const std::int32_t height = static_cast<std::int32_t>(Dword(p + 8));
        if (width <= 0 || height == 0 || height == INT32_MIN || Word(p + 12) != 1)
            return false;
        l.width = width;
        l.topDown = height < 0;
        l.height = height < 0 ? -height : height;
        l.bitCount = static_cast<int>(Word(p + 14));
        l.compression = Dword(p + 16);
        const DWORD used = Dword(p + 32);
        if (l.bitCount != 1 && l.bitCount != 4 && l.bitCount != 8 && l.bitCount != 16 && l.bitCount != 24 &&
            l.bitCount != 32)
            return false;
        switch (l.compression) {
        case BI_RGB:
            break;
        case BI_RLE8:
        case BI_RLE4:
            // Run-length bits exist only bottom-up, at their own depth.
            if (l.topDown || l.bitCount != (l.compression == BI_RLE8 ? 8 : 4))
                return false;
            break;
        case BI_BITFIELDS:
            if (l.bitCount != 16 && l.bitCount != 32)
                return false;
            if (l.headerSize == 40)
                l.maskSize = 12;
            break;
        default:
            return false; // JPEG, PNG and the rest cannot be painted on a screen or printer context
        }
        if (l.bitCount <= 8) {
            const DWORD full = 1u << l.bitCount;
            if (used > full)
                return false;
            l.colours = used ? used : full;
        } else {
            // A colour table beside true colour only helps palette displays; 256 is plenty.
            if (used > 256)
                return false;
            l.colours = used;
        }
        l.entrySize = 4;
    } else {
        return false;
    }
    if (paletteIndexes)
        l.entrySize = 2;
    if (l.width <= 0 || l.height <= 0)
        return false;
    const std::uint64_t tableEnd = static_cast<std::uint64_t>(l.headerSize) + l.maskSize +
                                   static_cast<std::uint64_t>(l.colours) * l.entrySize;
    if (tableEnd > size)
        return false;
    l.bitsOffset = static_cast<size_t>(tableEnd);
    if (l.compression == BI_RLE8 || l.compression == BI_RLE4) {
        l.bitsSize = Dword(p + 20);
        if (l.bitsSize == 0)
            return false;
        // A few bytes of runs may claim any size, and the system decodes all of it (line by line: a
        // tall thin claim costs as much as a large one). Nothing we show comes near these bounds.
        if (l.width > kMaxCompressedSide || l.height > kMaxCompressedSide ||
            static_cast<std::uint64_t>(l.width) * static_cast<std::uint64_t>(l.height) > kMaxCompressedPixels)
            return false;
    } else {
        const std::uint64_t stride = ((static_cast<std::uint64_t>(l.width) * l.bitCount + 31) / 32) * 4;
        const std::uint64_t bits = stride * static_cast<std::uint64_t>(l.height);
        if (bits > 0x7FFFFFFF)
            return false;
        l.bitsSize = static_cast<size_t>(bits);
    }
    layout = l;
    return true;
}

bool ExamineDib(const void* dib, size_t size, DibLayout& layout)
{
    DibLayout l;
    if (!ExamineDibHeader(dib, size, l) || static_cast<std::uint64_t>(l.bitsOffset) + l.bitsSize > size) {
        layout = DibLayout();
        return false;
    }
    layout = l;
    return true;
}
