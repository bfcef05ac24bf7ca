// RAII holders for device contexts, GDI objects and 32-bit DIB sections, and the size of a rectangle.
#pragma once
#include <windows.h>
#include <cstdint>

namespace fw {

// The size of a rectangle; its right and bottom edges lie outside it, as GDI has them.
inline int Width(const RECT& r) { return r.right - r.left; }
inline int Height(const RECT& r) { return r.bottom - r.top; }

// A GDI object (pen, brush, font, bitmap, palette, region) deleted when the holder goes.
template <class Handle>
class GdiObject {
public:
    GdiObject() = default;
    explicit GdiObject(Handle handle) : handle_(handle) {}
    ~GdiObject() { Reset(); }
    GdiObject(GdiObject&& other) noexcept : handle_(other.Release()) {}
    GdiObject& operator=(GdiObject&& other) noexcept
    {
        if (this != &other)
            Reset(other.Release());
        return *this;
    }
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;

    Handle Get() const { return handle_; }
    operator Handle() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }
    void Reset(Handle handle = nullptr)
    {
        if (handle_)
            ::DeleteObject(handle_);
        handle_ = handle;
    }
    Handle Release()
    {
        Handle handle = handle_;
        handle_ = nullptr;
        return handle;
    }

private:
    Handle handle_ = nullptr;
};

using Pen = GdiObject<HPEN>;
using Brush = GdiObject<HBRUSH>;
using Font = GdiObject<HFONT>;
using Bitmap = GdiObject<HBITMAP>;
using Palette = GdiObject<HPALETTE>;
using Region = GdiObject<HRGN>;

// Selects an object into a DC and puts the previous one back.
class SelectObjectGuard {
public:
    SelectObjectGuard(HDC dc, HGDIOBJ object) : dc_(dc), previous_(object ? ::SelectObject(dc, object) : nullptr) {}
    ~SelectObjectGuard()
    {
        if (previous_)
            ::SelectObject(dc_, previous_);
    }
    SelectObjectGuard(const SelectObjectGuard&) = delete;
    SelectObjectGuard& operator=(const SelectObjectGuard&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// Keeps a DC's state (objects, modes, mapping) and restores it.
class SavedDC {
public:
    explicit SavedDC(HDC dc) : dc_(dc), state_(::SaveDC(dc)) {}
    ~SavedDC() { ::RestoreDC(dc_, state_); }
    SavedDC(const SavedDC&) = delete;
    SavedDC& operator=(const SavedDC&) = delete;

private:
    HDC dc_;
    int state_;
};

// GetDC / ReleaseDC.
class WindowDC {
public:
    explicit WindowDC(HWND hwnd) : hwnd_(hwnd), dc_(::GetDC(hwnd)) {}
    ~WindowDC() { ::ReleaseDC(hwnd_, dc_); }
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    HDC Get() const { return dc_; }
    operator HDC() const { return dc_; }

private:
    HWND hwnd_;
    HDC dc_;
};

// BeginPaint / EndPaint.
class PaintDC {
public:
    explicit PaintDC(HWND hwnd) : hwnd_(hwnd) { dc_ = ::BeginPaint(hwnd, &paint_); }
    ~PaintDC() { ::EndPaint(hwnd_, &paint_); }
    PaintDC(const PaintDC&) = delete;
    PaintDC& operator=(const PaintDC&) = delete;
    HDC Get() const { return dc_; }
    operator HDC() const { return dc_; }
    const RECT& Area() const { return paint_.rcPaint; }

private:
    HWND hwnd_;
    PAINTSTRUCT paint_{};
    HDC dc_;
};

// A memory DC compatible with another DC (or the screen).
class MemoryDC {
public:
    explicit MemoryDC(HDC compatibleWith = nullptr) : dc_(::CreateCompatibleDC(compatibleWith)) {}
    ~MemoryDC()
    {
        if (dc_)
            ::DeleteDC(dc_);
    }
    MemoryDC(const MemoryDC&) = delete;
    MemoryDC& operator=(const MemoryDC&) = delete;
    HDC Get() const { return dc_; }
    operator HDC() const { return dc_; }

private:
    HDC dc_;
};

// A top-down 32-bit DIB section selected into its own memory DC: a canvas whose pixels can be read
// back, for drawing off screen and for tests.
class DibSection {
public:
    DibSection(int width, int height);
    ~DibSection();
    DibSection(const DibSection&) = delete;
    DibSection& operator=(const DibSection&) = delete;

    HDC DC() const { return dc_; }
    HBITMAP Bitmap() const { return bitmap_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    bool IsValid() const { return bits_ != nullptr; }
    // The pixel as a COLORREF (0x00BBGGRR); GDI must have finished drawing (GdiFlush).
    COLORREF Pixel(int x, int y) const;
    void Fill(COLORREF color);

private:
    int width_;
    int height_;
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ previous_ = nullptr;
    std::uint32_t* bits_ = nullptr;
};

} // namespace fw
