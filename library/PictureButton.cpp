// Picture buttons.
#include "library/PictureButton.h"
#include "framework/Strings.h"
#include "framework/Window.h"
#include <cstdint>

namespace {

constexpr COLORREF kKeyColour = RGB(255, 0, 255);

} // namespace

fw::Bitmap LoadBitmapOnSurface(const char* name, COLORREF surface)
{
    fw::Bitmap bitmap(static_cast<HBITMAP>(
        ::LoadImageA(fw::ResourceModule(), name, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    DIBSECTION section{};
    if (!bitmap || ::GetObjectA(bitmap.Get(), sizeof(section), &section) != sizeof(section) || !section.dsBm.bmBits)
        return bitmap;
    const int bytesPerPixel = section.dsBm.bmBitsPixel / 8;
    if (bytesPerPixel != 3 && bytesPerPixel != 4)
        return bitmap;
    ::GdiFlush();
    auto* rows = static_cast<std::uint8_t*>(section.dsBm.bmBits);
    for (int y = 0; y < section.dsBm.bmHeight; ++y) {
        std::uint8_t* pixel = rows + static_cast<size_t>(y) * static_cast<size_t>(section.dsBm.bmWidthBytes);
        for (int x = 0; x < section.dsBm.bmWidth; ++x, pixel += bytesPerPixel) {
            // Blue, green, red in memory.
            if (RGB(pixel[2], pixel[1], pixel[0]) != kKeyColour)
                continue;
            pixel[0] = GetBValue(surface);
            pixel[1] = GetGValue(surface);
            pixel[2] = GetRValue(surface);
        }
    }
    return bitmap;
}

bool PictureButton::Attach(HWND button)
{
    const std::string name = fw::Window(button).Text();
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    fw::Bitmap picture = LoadBitmapOnSurface(name.c_str(), face);
    if (!picture)
        return false;
    picture_ = std::move(picture);
    disabled_ = LoadBitmapOnSurface((name + "_DISABLED").c_str(), face);
    button_ = button;
    const LONG style = ::GetWindowLongA(button, GWL_STYLE);
    ::SetWindowLongA(button, GWL_STYLE, (style & ~(BS_TYPEMASK | BS_BITMAP)) | BS_OWNERDRAW);
    ::InvalidateRect(button, nullptr, TRUE);
    return true;
}

bool PictureButton::Draw(const DRAWITEMSTRUCT& item) const
{
    if (!button_ || item.hwndItem != button_ || item.CtlType != ODT_BUTTON)
        return false;
    HDC dc = item.hDC;
    RECT face = item.rcItem;
    const bool pressed = (item.itemState & ODS_SELECTED) != 0;
    ::DrawFrameControl(dc, &face, DFC_BUTTON, DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED : 0));

    const bool disabled = (item.itemState & ODS_DISABLED) != 0;
    HBITMAP shown = disabled && disabled_ ? disabled_.Get() : picture_.Get();
    BITMAP size{};
    ::GetObjectA(shown, sizeof(size), &size);
    const int x = (item.rcItem.left + item.rcItem.right - size.bmWidth) / 2 + (pressed ? 1 : 0);
    const int y = (item.rcItem.top + item.rcItem.bottom - size.bmHeight) / 2 + (pressed ? 1 : 0);
    HDC memory = ::CreateCompatibleDC(dc);
    HGDIOBJ old = ::SelectObject(memory, shown);
    ::BitBlt(dc, x, y, size.bmWidth, size.bmHeight, memory, 0, 0, SRCCOPY);
    ::SelectObject(memory, old);
    ::DeleteDC(memory);

    if (item.itemState & ODS_FOCUS) {
        RECT focus = item.rcItem;
        ::InflateRect(&focus, -3, -3);
        ::DrawFocusRect(dc, &focus);
    }
    return true;
}
