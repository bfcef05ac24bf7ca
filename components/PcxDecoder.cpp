// PCX decoding: a 128-byte header, run-length coded scan lines, and for 256 colours a table at the end.
#include "components/PcxDecoder.h"
#include <algorithm>
#include <new>
#include <vector>

namespace pcx {

namespace {

constexpr size_t kHeaderSize = 128;
constexpr size_t kTableSize = 769; // the marker byte 12 and 256 RGB triples
// The scan lines of the largest picture we take on, four planes of a byte a pixel.
constexpr std::uint64_t kMaxLineBytes = 4 * std::uint64_t(PixelImage::kMaxPixels);

unsigned Word(const std::uint8_t* p) { return p[0] | (p[1] << 8); }

std::uint32_t Rgb(const std::uint8_t* triple) { return (triple[0] << 16) | (triple[1] << 8) | triple[2]; }

struct Header {
    unsigned encoding, bitsPerPixel, planes, bytesPerLine;
    int width, height;
};

bool ReadHeader(const std::uint8_t* data, size_t size, Header& header)
{
    if (!LooksLikePcx(data, size))
        return false;
    header.encoding = data[2];
    header.bitsPerPixel = data[3];
    header.planes = data[65];
    header.bytesPerLine = Word(data + 66);
    const int left = static_cast<std::int16_t>(Word(data + 4)), top = static_cast<std::int16_t>(Word(data + 6));
    const int right = static_cast<std::int16_t>(Word(data + 8)), bottom = static_cast<std::int16_t>(Word(data + 10));
    header.width = right - left + 1;
    header.height = bottom - top + 1;
    if (header.width <= 0 || header.height <= 0)
        return false;
    const bool known = (header.bitsPerPixel == 1 && (header.planes == 1 || header.planes == 4)) ||
                       (header.bitsPerPixel == 4 && header.planes == 1) ||
                       (header.bitsPerPixel == 8 && (header.planes == 1 || header.planes == 3 || header.planes == 4));
    // A line must hold the width it claims.
    return known && static_cast<std::int64_t>(header.bytesPerLine) * 8 >=
                        static_cast<std::int64_t>(header.width) * header.bitsPerPixel;
}

// Unpacks the scan lines (each plane of each line is bytesPerLine bytes) from [from, to).
// Runs may cross line ends, so the lines are decoded as one stream.
bool Unpack(const std::uint8_t* from, const std::uint8_t* to, unsigned encoding, std::vector<std::uint8_t>& out)
{
    const size_t wanted = out.size();
    size_t filled = 0;
    if (encoding == 0) {
        if (static_cast<size_t>(to - from) < wanted)
            return false;
        std::copy(from, from + wanted, out.begin());
        return true;
    }
    while (filled < wanted) {
        if (from >= to)
            return false; // truncated
        std::uint8_t value = *from++;
        size_t count = 1;
        if ((value & 0xC0) == 0xC0) {
            count = value & 0x3F;
            if (from >= to)
                return false;
            value = *from++;
        }
        if (count > wanted - filled)
            count = wanted - filled; // a run past the last line only pads it
        std::fill_n(out.begin() + static_cast<std::ptrdiff_t>(filled), count, value);
        filled += count;
    }
    return true;
}

} // namespace

bool LooksLikePcx(const std::uint8_t* data, size_t size)
{
    if (!data || size < kHeaderSize || data[0] != 0x0A || data[2] > 1)
        return false;
    const unsigned version = data[1];
    const unsigned bits = data[3];
    return (version == 0 || version == 2 || version == 3 || version == 4 || version == 5) &&
           (bits == 1 || bits == 2 || bits == 4 || bits == 8);
}

bool Decode(const std::uint8_t* data, size_t size, PixelImage& out)
{
    out.Clear();
    Header header;
    if (!ReadHeader(data, size, header))
        return false;
    if (static_cast<std::int64_t>(header.width) * header.height > PixelImage::kMaxPixels)
        return false;

    // The 256-colour table, when there is one, ends the file; the lines stop before it.
    const std::uint8_t* end = data + size;
    const std::uint8_t* table = nullptr;
    if (header.bitsPerPixel == 8 && header.planes == 1 && size >= kHeaderSize + kTableSize &&
        end[-static_cast<std::ptrdiff_t>(kTableSize)] == 0x0C) {
        table = end - kTableSize + 1;
        end -= kTableSize;
    }

    // Every size in 64 bits (a 32-bit product of the header's values wraps to a small buffer that the
    // lines would then overrun), and the whole of them bounded by what the file can hold: plain lines
    // byte for byte, run-length ones at most 63 bytes for every two.
    const std::uint64_t lineBytes = std::uint64_t(header.bytesPerLine) * header.planes;
    const std::uint64_t wanted = lineBytes * std::uint64_t(header.height);
    const std::uint64_t stored = static_cast<std::uint64_t>(end - (data + kHeaderSize));
    const std::uint64_t most = header.encoding == 0 ? stored : stored / 2 * 63 + stored % 2;
    if (wanted > most || wanted > kMaxLineBytes)
        return false;
    std::vector<std::uint8_t> lines;
    try {
        lines.resize(static_cast<size_t>(wanted));
    } catch (const std::bad_alloc&) {
        return false;
    }
    if (!Unpack(data + kHeaderSize, end, header.encoding, lines))
        return false;

    std::uint32_t colours[256];
    if (header.bitsPerPixel == 8 && header.planes == 1) {
        for (unsigned i = 0; i < 256; ++i)
            colours[i] = table ? Rgb(table + 3 * i) : (i << 16) | (i << 8) | i;
    } else {
        for (unsigned i = 0; i < 16; ++i)
            colours[i] = Rgb(data + 16 + 3 * i);
        // Two-colour files often leave the table empty: black and white then.
        if (header.bitsPerPixel == 1 && header.planes == 1 && colours[0] == colours[1]) {
            colours[0] = 0;
            colours[1] = 0xFFFFFF;
        }
    }

    PixelImage image;
    if (!image.Reset(header.width, header.height))
        return false;
    const size_t plane = header.bytesPerLine;
    for (int y = 0; y < header.height; ++y) {
        const std::uint8_t* line = lines.data() + static_cast<size_t>(lineBytes) * static_cast<size_t>(y);
        std::uint32_t* pixel = image.Row(y);
        for (int x = 0; x < header.width; ++x) {
            const size_t byte = static_cast<size_t>(x) >> 3;
            const unsigned bit = 7 - (x & 7);
            if (header.bitsPerPixel == 8 && header.planes >= 3) {
                pixel[x] = (line[x] << 16) | (line[plane + x] << 8) | line[2 * plane + x];
            } else if (header.bitsPerPixel == 8) {
                pixel[x] = colours[line[x]];
            } else if (header.bitsPerPixel == 4) {
                const std::uint8_t pair = line[static_cast<size_t>(x) >> 1];
                pixel[x] = colours[(x & 1) ? (pair & 0x0F) : (pair >> 4)];
            } else if (header.planes == 4) {
                unsigned index = 0;
                for (unsigned p = 0; p < 4; ++p)
                    index |= ((line[p * plane + byte] >> bit) & 1) << p;
                pixel[x] = colours[index];
            } else {
                pixel[x] = colours[(line[byte] >> bit) & 1];
            }
        }
    }
    out.Swap(image);
    return true;
}

} // namespace pcx
