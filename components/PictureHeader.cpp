// The picture size a file's header claims, read before any decoder sees the file.
#include "components/PictureHeader.h"
#include <algorithm>
#include <cstring>

namespace picture_header {

namespace {

std::uint32_t BigEndian16(const std::uint8_t* p) { return (p[0] << 8) | p[1]; }
std::uint32_t BigEndian32(const std::uint8_t* p)
{
    return (std::uint32_t(p[0]) << 24) | (p[1] << 16) | (p[2] << 8) | p[3];
}
std::uint32_t LittleEndian16(const std::uint8_t* p) { return p[0] | (p[1] << 8); }
std::uint32_t LittleEndian32(const std::uint8_t* p)
{
    return p[0] | (p[1] << 8) | (p[2] << 16) | (std::uint32_t(p[3]) << 24);
}

// Every start-of-frame marker (C0-CF but the table markers C4, C8 and CC) up to the first scan.
bool JpegSize(const std::uint8_t* data, size_t size, std::uint32_t& width, std::uint32_t& height)
{
    bool found = false;
    size_t at = 2;
    while (at + 4 <= size) {
        if (data[at] != 0xFF)
            break;
        const std::uint8_t marker = data[at + 1];
        if (marker == 0xFF) { // fill byte
            ++at;
            continue;
        }
        if (marker == 0xD8 || (marker >= 0xD0 && marker <= 0xD7) || marker == 0x01) {
            at += 2;
            continue;
        }
        const size_t length = BigEndian16(data + at + 2);
        if (marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC) {
            if (at + 9 > size)
                break;
            height = std::max(height, BigEndian16(data + at + 5));
            width = std::max(width, BigEndian16(data + at + 7));
            found = true;
        }
        if (marker == 0xDA || marker == 0xD9 || length < 2)
            break;
        at += 2 + length;
    }
    return found;
}

bool PngSize(const std::uint8_t* data, size_t size, std::uint32_t& width, std::uint32_t& height)
{
    if (size < 24 || std::memcmp(data + 12, "IHDR", 4) != 0)
        return false;
    width = BigEndian32(data + 16);
    height = BigEndian32(data + 20);
    return true;
}

// The logical screen and every image descriptor; extensions and image data are stepped over.
bool GifSize(const std::uint8_t* data, size_t size, std::uint32_t& width, std::uint32_t& height)
{
    if (size < 13)
        return false;
    width = LittleEndian16(data + 6);
    height = LittleEndian16(data + 8);
    size_t at = 13;
    if (data[10] & 0x80)
        at += 3u << ((data[10] & 7) + 1);
    auto skipSubBlocks = [&] {
        while (at < size && data[at] != 0)
            at += 1 + data[at];
        ++at;
    };
    while (at < size) {
        const std::uint8_t kind = data[at];
        if (kind == 0x21) { // extension: label, then sub-blocks
            at += 2;
            skipSubBlocks();
        } else if (kind == 0x2C) { // image descriptor
            if (at + 10 > size)
                break;
            width = std::max(width, LittleEndian16(data + at + 1) + LittleEndian16(data + at + 5));
            height = std::max(height, LittleEndian16(data + at + 3) + LittleEndian16(data + at + 7));
            const std::uint8_t flags = data[at + 9];
            at += 10;
            if (flags & 0x80)
                at += 3u << ((flags & 7) + 1);
            ++at; // the LZW code size
            skipSubBlocks();
        } else {
            break; // trailer or damage
        }
    }
    return true;
}

bool BmpSize(const std::uint8_t* data, size_t size, std::uint32_t& width, std::uint32_t& height)
{
    if (size < 14 + 12)
        return false;
    const std::uint32_t headerSize = LittleEndian32(data + 14);
    if (headerSize == 12) { // OS/2 core header: unsigned 16-bit sizes
        width = LittleEndian16(data + 18);
        height = LittleEndian16(data + 20);
        return true;
    }
    if (size < 14 + 16)
        return false;
    const std::int32_t w = static_cast<std::int32_t>(LittleEndian32(data + 18));
    const std::int32_t h = static_cast<std::int32_t>(LittleEndian32(data + 22));
    // A negative height is a top-down picture; the magnitude is what counts.
    width = w < 0 ? 0u - static_cast<std::uint32_t>(w) : static_cast<std::uint32_t>(w);
    height = h < 0 ? 0u - static_cast<std::uint32_t>(h) : static_cast<std::uint32_t>(h);
    return true;
}

} // namespace

bool ClaimedSize(const std::uint8_t* data, size_t size, std::uint32_t& width, std::uint32_t& height)
{
    width = height = 0;
    if (!data || size < 4)
        return false;
    if (data[0] == 0xFF && data[1] == 0xD8)
        return JpegSize(data, size, width, height);
    if (size >= 8 && std::memcmp(data, "\x89PNG\r\n\x1a\n", 8) == 0)
        return PngSize(data, size, width, height);
    if (size >= 6 && (std::memcmp(data, "GIF87a", 6) == 0 || std::memcmp(data, "GIF89a", 6) == 0))
        return GifSize(data, size, width, height);
    if (data[0] == 'B' && data[1] == 'M')
        return BmpSize(data, size, width, height);
    return false;
}

} // namespace picture_header
