// Packed-DIB measuring, palettes and painting.
#include "library/Dib.h"
#include <cstdint>
#include <cstring>
#include <vector>

namespace {

// A locked packed DIB that passed the checks; unlocks when it goes.
class LockedDib {
public:
    explicit LockedDib(HGLOBAL dib) : dib_(dib)
    {
        if (!dib_)
            return;
        const size_t size = ::GlobalSize(dib_);
        data_ = static_cast<const std::uint8_t*>(::GlobalLock(dib_));
        valid_ = data_ && ExamineDib(data_, size, layout_);
    }
    ~LockedDib()
    {
        if (data_)
            ::GlobalUnlock(dib_);
    }
    LockedDib(const LockedDib&) = delete;
    LockedDib& operator=(const LockedDib&) = delete;

    bool IsValid() const { return valid_; }
    const DibLayout& Layout() const { return layout_; }
    const BITMAPINFO* Info() const { return reinterpret_cast<const BITMAPINFO*>(data_); }
    const std::uint8_t* Table() const { return data_ + layout_.headerSize + layout_.maskSize; }
    const void* Bits() const { return data_ + layout_.bitsOffset; }

private:
    HGLOBAL dib_;
    const std::uint8_t* data_ = nullptr;
    bool valid_ = false;
    DibLayout layout_;
};

std::uint32_t Dword(const std::uint8_t* p) { return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24); }
unsigned Word(const std::uint8_t* p) { return p[0] | (p[1] << 8); }

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

int PaintDib(HDC dc, const RECT& destination, HGLOBAL dib, const RECT& source, HPALETTE palette)
{
    LockedDib locked(dib);
    if (!locked.IsValid())
        return 0;
    const DibLayout& layout = locked.Layout();
    HPALETTE previousPalette = nullptr;
    if (palette) {
        previousPalette = ::SelectPalette(dc, palette, TRUE);
        ::RealizePalette(dc);
    }
    const int previousMode = ::SetStretchBltMode(dc, COLORONCOLOR);

    const int destWidth = destination.right - destination.left, destHeight = destination.bottom - destination.top;
    const int sourceWidth = source.right - source.left, sourceHeight = source.bottom - source.top;
    // GDI counts the source's y up from the picture's bottom row, for top-down DIBs as well.
    const int sourceY = layout.height - source.bottom;
    int lines;
    if (destWidth == sourceWidth && destHeight == sourceHeight) {
        lines = ::SetDIBitsToDevice(dc, destination.left, destination.top, static_cast<DWORD>(destWidth),
                                    static_cast<DWORD>(destHeight), source.left, sourceY, 0,
                                    static_cast<UINT>(layout.height), locked.Bits(), locked.Info(), DIB_RGB_COLORS);
    } else {
        lines = ::StretchDIBits(dc, destination.left, destination.top, destWidth, destHeight, source.left, sourceY,
                                sourceWidth, sourceHeight, locked.Bits(), locked.Info(), DIB_RGB_COLORS, SRCCOPY);
    }
    ::SetStretchBltMode(dc, previousMode);
    if (previousPalette)
        ::SelectPalette(dc, previousPalette, TRUE);
    return lines > 0 ? lines : 0; // GDI_ERROR reads as -1
}

bool CreateDibPalette(HGLOBAL dib, fw::Palette& palette)
{
    LockedDib locked(dib);
    if (!locked.IsValid() || locked.Layout().colours == 0)
        return false;
    const DibLayout& layout = locked.Layout();
    std::vector<std::uint8_t> block(sizeof(LOGPALETTE) + layout.colours * sizeof(PALETTEENTRY));
    auto* logical = reinterpret_cast<LOGPALETTE*>(block.data());
    logical->palVersion = 0x300;
    logical->palNumEntries = static_cast<WORD>(layout.colours);
    const std::uint8_t* entry = locked.Table();
    for (DWORD i = 0; i < layout.colours; ++i, entry += layout.entrySize) {
        // Blue, green, red in both forms; the Windows form adds a reserved byte.
        logical->palPalEntry[i].peRed = entry[2];
        logical->palPalEntry[i].peGreen = entry[1];
        logical->palPalEntry[i].peBlue = entry[0];
        logical->palPalEntry[i].peFlags = 0;
    }
    HPALETTE created = ::CreatePalette(logical);
    if (!created)
        return false;
    palette.Reset(created);
    return true;
}

int DibWidth(HGLOBAL dib)
{
    LockedDib locked(dib);
    return locked.IsValid() ? locked.Layout().width : 0;
}

int DibHeight(HGLOBAL dib)
{
    LockedDib locked(dib);
    return locked.IsValid() ? locked.Layout().height : 0;
}

int DibNumColors(HGLOBAL dib)
{
    LockedDib locked(dib);
    return locked.IsValid() ? static_cast<int>(locked.Layout().colours) : 0;
}

size_t DibPaletteSize(HGLOBAL dib)
{
    LockedDib locked(dib);
    return locked.IsValid() ? locked.Layout().colours * locked.Layout().entrySize : 0;
}

const void* FindDibBits(const void* dib, size_t size)
{
    DibLayout layout;
    if (!ExamineDib(dib, size, layout))
        return nullptr;
    return static_cast<const std::uint8_t*>(dib) + layout.bitsOffset;
}

HGLOBAL CopyDibHandle(HGLOBAL dib)
{
    if (!dib)
        return nullptr;
    const size_t size = ::GlobalSize(dib);
    HGLOBAL copy = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
    if (!copy)
        return nullptr;
    const void* from = ::GlobalLock(dib);
    void* to = ::GlobalLock(copy);
    if (from && to)
        std::memcpy(to, from, size);
    if (from)
        ::GlobalUnlock(dib);
    if (to)
        ::GlobalUnlock(copy);
    if (!from || !to) {
        ::GlobalFree(copy);
        return nullptr;
    }
    return copy;
}
