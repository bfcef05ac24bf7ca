// The DIB section canvas.
#include "framework/Gdi.h"

namespace fw {

DibSection::DibSection(int width, int height) : width_(width), height_(height)
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height; // top-down: row 0 is the top line
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    dc_ = ::CreateCompatibleDC(nullptr);
    void* bits = nullptr;
    bitmap_ = ::CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap_) {
        bits_ = static_cast<std::uint32_t*>(bits);
        previous_ = ::SelectObject(dc_, bitmap_);
    }
}

DibSection::~DibSection()
{
    if (previous_)
        ::SelectObject(dc_, previous_);
    if (bitmap_)
        ::DeleteObject(bitmap_);
    if (dc_)
        ::DeleteDC(dc_);
}

COLORREF DibSection::Pixel(int x, int y) const
{
    if (!bits_ || x < 0 || y < 0 || x >= width_ || y >= height_)
        return CLR_INVALID;
    ::GdiFlush();
    std::uint32_t value = bits_[static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x)];
    // DIB pixels are 0x00RRGGBB; COLORREF is 0x00BBGGRR.
    return RGB((value >> 16) & 0xFF, (value >> 8) & 0xFF, value & 0xFF);
}

void DibSection::Fill(COLORREF color)
{
    if (!bits_)
        return;
    ::GdiFlush();
    std::uint32_t value = (static_cast<std::uint32_t>(GetRValue(color)) << 16) |
                          (static_cast<std::uint32_t>(GetGValue(color)) << 8) | GetBValue(color);
    for (size_t i = 0, n = static_cast<size_t>(width_) * static_cast<size_t>(height_); i < n; ++i)
        bits_[i] = value;
}

} // namespace fw
