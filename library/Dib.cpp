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

} // namespace

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
