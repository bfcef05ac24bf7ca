// The picture control on the system's codecs, with our own PCX reader.
#include "components/PictureControl.h"
#include "components/FileBytes.h"
#include "components/DibLayout.h"
#include "components/GdiPlusCodec.h"
#include "components/PcxDecoder.h"
#include <windowsx.h>
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>
#include <vector>

namespace {

const char kViewClass[] = "RzPictureView";
// No picture file of ours comes near this; a larger file is refused before it is read.
constexpr std::int64_t kMaxFileSize = 256 * 1024 * 1024;

bool WriteWholeFile(const std::string& path, const void* data, size_t size)
{
    HANDLE file = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    bool ok = ::WriteFile(file, data, static_cast<DWORD>(size), &written, nullptr) && written == size;
    ok = ::CloseHandle(file) && ok;
    return ok;
}

// A BMP file is held to what a packed DIB must be: a header GDI can paint, and all the bits it asks
// for inside the file. (The system's reader shows some lying headers as if they were right.)
bool BmpFitsItsFile(const std::vector<std::uint8_t>& bytes)
{
    if (bytes.size() < 14)
        return false;
    const std::uint64_t bitsOffset = bytes[10] | (bytes[11] << 8) | (bytes[12] << 16) |
                                     (static_cast<std::uint64_t>(bytes[13]) << 24);
    DibLayout layout;
    return ExamineDibHeader(bytes.data() + 14, bytes.size() - 14, layout) && bitsOffset >= 14 + layout.headerSize &&
           bitsOffset + layout.bitsSize <= bytes.size();
}

BITMAPINFO TopDownInfo(const PixelImage& image)
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = image.Width();
    info.bmiHeader.biHeight = -image.Height();
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

short ShiftState()
{
    short shift = 0;
    if (::GetKeyState(VK_SHIFT) < 0)
        shift |= 1;
    if (::GetKeyState(VK_CONTROL) < 0)
        shift |= 2;
    if (::GetKeyState(VK_MENU) < 0)
        shift |= 4;
    return shift;
}

short HeldButtons(WPARAM keys)
{
    return static_cast<short>(((keys & MK_LBUTTON) ? 1 : 0) | ((keys & MK_RBUTTON) ? 2 : 0) |
                              ((keys & MK_MBUTTON) ? 4 : 0));
}

} // namespace

PictureControl::PictureControl() = default;

PictureControl::~PictureControl()
{
    DestroyView();
}

bool PictureControl::Available()
{
    return codec::Start();
}

void PictureControl::DestroyView()
{
    if (view_)
        ::DestroyWindow(view_); // WM_NCDESTROY forgets the handle
}

bool PictureControl::CreateView(HWND parent, int id, const RECT& rect)
{
    if (view_ || !parent)
        return false;
    static const bool registered = [] {
        WNDCLASSA windowClass{};
        windowClass.style = CS_DBLCLKS;
        windowClass.lpfnWndProc = ViewProc;
        windowClass.hInstance = ::GetModuleHandleA(nullptr);
        windowClass.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
        windowClass.lpszClassName = kViewClass;
        return ::RegisterClassA(&windowClass) != 0;
    }();
    if (!registered)
        return false;
    view_ = ::CreateWindowExA(0, kViewClass, "", WS_CHILD | WS_VISIBLE, rect.left, rect.top, rect.right - rect.left,
                              rect.bottom - rect.top, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                              ::GetModuleHandleA(nullptr), this);
    return view_ != nullptr;
}

void PictureControl::SetBackColor(COLORREF color)
{
    backColor_ = color;
    if (view_)
        ::InvalidateRect(view_, nullptr, FALSE);
}

void PictureControl::SetDimming(int value)
{
    dimming_ = std::clamp(value, 0, 100);
    if (view_)
        ::InvalidateRect(view_, nullptr, FALSE);
}

void PictureControl::Take(PixelImage& picture, bool keepUndo)
{
    if (keepUndo)
        undo_.Swap(picture_);
    else
        undo_.Clear();
    picture_.Swap(picture);
    picture.Clear();
    if (view_)
        ::InvalidateRect(view_, nullptr, FALSE);
}

bool PictureControl::SetFileName(const std::string& path)
{
    PixelImage decoded;
    fileName_ = path;
    bool ok = path.empty();
    if (!path.empty()) {
        std::vector<std::uint8_t> bytes;
        if (ReadFileBytes(path, bytes, kMaxFileSize) && !bytes.empty()) {
            // PCX has no marker the system's codecs know; its header is recognised here first.
            const bool bmp = bytes.size() >= 2 && bytes[0] == 'B' && bytes[1] == 'M';
            if (pcx::LooksLikePcx(bytes.data(), bytes.size()))
                ok = pcx::Decode(bytes.data(), bytes.size(), decoded);
            else if (!bmp || BmpFitsItsFile(bytes))
                ok = codec::Decode(bytes.data(), bytes.size(), backColor_, decoded);
        }
    }
    Take(decoded, false);
    return ok;
}

void PictureControl::Clear()
{
    fileName_.clear();
    PixelImage none;
    Take(none, false);
}

bool PictureControl::Resize(int width, int height)
{
    PixelImage resized;
    if (!picture_.ResizedTo(width, height, resized))
        return false;
    Take(resized, true);
    return true;
}

bool PictureControl::Crop(const RECT& area)
{
    PixelImage cropped;
    if (!picture_.CroppedTo(area, cropped))
        return false;
    Take(cropped, true);
    return true;
}

bool PictureControl::Undo()
{
    if (undo_.IsEmpty())
        return false;
    picture_.Swap(undo_);
    undo_.Clear();
    if (view_)
        ::InvalidateRect(view_, nullptr, FALSE);
    return true;
}

HGLOBAL PictureControl::CopyDib() const
{
    return picture_.ToPackedDib(dimming_);
}

namespace {

// The pixels of a bitmap as 32-bit rows, without alpha; false when it cannot be read.
bool ReadBitmap(HBITMAP bitmap, PixelImage& out)
{
    // The system turns whatever bitmap form it is (DIB, DIB v5, device bitmap) into 32-bit rows,
    // which leaves the header checks to the system.
    BITMAP shape{};
    if (!bitmap || !::GetObjectA(bitmap, sizeof(shape), &shape) || !out.Reset(shape.bmWidth, std::abs(shape.bmHeight)))
        return false;
    BITMAPINFO info = TopDownInfo(out);
    HDC screen = ::GetDC(nullptr);
    const bool read = ::GetDIBits(screen, bitmap, 0, static_cast<UINT>(out.Height()), out.Row(0), &info,
                                  DIB_RGB_COLORS) == out.Height();
    ::ReleaseDC(nullptr, screen);
    if (!read) {
        out.Clear();
        return false;
    }
    for (int y = 0; y < out.Height(); ++y)
        for (std::uint32_t* p = out.Row(y); p != out.Row(y) + out.Width(); ++p)
            *p &= 0xFFFFFF;
    return true;
}

} // namespace

bool PictureControl::PasteFromClipboard()
{
    if (!::IsClipboardFormatAvailable(CF_BITMAP) || !::OpenClipboard(view_))
        return false;
    PixelImage pasted;
    ReadBitmap(static_cast<HBITMAP>(::GetClipboardData(CF_BITMAP)), pasted);
    ::CloseClipboard();
    if (pasted.IsEmpty())
        return false;
    fileName_.clear();
    Take(pasted, false);
    return true;
}

bool PictureControl::SetBitmap(HBITMAP bitmap)
{
    PixelImage taken;
    if (!ReadBitmap(bitmap, taken))
        return false;
    fileName_.clear();
    Take(taken, false);
    return true;
}

bool PictureControl::SaveFile(const std::string& path, PictureFileType type, int jpegQuality) const
{
    if (picture_.IsEmpty() || path.empty())
        return false;
    const std::string partial = path + ".part";
    bool written = false;
    if (type == PictureFileType::Jpeg) {
        written = codec::Encode(picture_, L"image/jpeg", partial, jpegQuality);
    } else if (type == PictureFileType::Bmp) {
        // Written by hand: 24 bits a pixel, which every reader takes.
        std::vector<std::uint8_t> file = picture_.ToBmpFile();
        written = !file.empty() && WriteWholeFile(partial, file.data(), file.size());
    }
    if (written && ::MoveFileExA(partial.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    ::DeleteFileA(partial.c_str());
    return false;
}

void PictureControl::Draw(HDC dc, const RECT& rect) const
{
    if (picture_.IsEmpty() || rect.right <= rect.left || rect.bottom <= rect.top)
        return;
    const PixelImage* shown = &picture_;
    PixelImage faded;
    if (dimming_ > 0 && faded.Reset(picture_.Width(), picture_.Height())) {
        for (int y = 0; y < picture_.Height(); ++y)
            std::transform(picture_.Row(y), picture_.Row(y) + picture_.Width(), faded.Row(y),
                           [this](std::uint32_t p) { return PixelImage::Fade(p, dimming_); });
        shown = &faded;
    }
    BITMAPINFO info = TopDownInfo(*shown);
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    const bool shrinking = width < shown->Width() || height < shown->Height();
    const int previousMode = ::SetStretchBltMode(dc, shrinking ? HALFTONE : COLORONCOLOR);
    POINT previousOrigin;
    ::SetBrushOrgEx(dc, 0, 0, &previousOrigin);
    ::StretchDIBits(dc, rect.left, rect.top, width, height, 0, 0, shown->Width(), shown->Height(), shown->Row(0), &info,
                    DIB_RGB_COLORS, SRCCOPY);
    ::SetBrushOrgEx(dc, previousOrigin.x, previousOrigin.y, nullptr);
    ::SetStretchBltMode(dc, previousMode);
}

// The picture fills the window as far as its aspect ratio allows, centred on the background colour.
void PictureControl::PaintView(HDC dc)
{
    RECT client;
    ::GetClientRect(view_, &client);
    const int saved = ::SaveDC(dc);
    if (!picture_.IsEmpty() && client.right > 0 && client.bottom > 0) {
        const double scale = std::min(static_cast<double>(client.right) / picture_.Width(),
                                      static_cast<double>(client.bottom) / picture_.Height());
        const int width = std::max(1, static_cast<int>(picture_.Width() * scale));
        const int height = std::max(1, static_cast<int>(picture_.Height() * scale));
        RECT shown{(client.right - width) / 2, (client.bottom - height) / 2, 0, 0};
        shown.right = shown.left + width;
        shown.bottom = shown.top + height;
        Draw(dc, shown);
        ::ExcludeClipRect(dc, shown.left, shown.top, shown.right, shown.bottom);
    }
    HBRUSH background = ::CreateSolidBrush(backColor_);
    ::FillRect(dc, &client, background);
    ::DeleteObject(background);
    ::RestoreDC(dc, saved);
}

LRESULT CALLBACK PictureControl::ViewProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
        ::SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
        static_cast<PictureControl*>(create->lpCreateParams)->view_ = hwnd;
    }
    auto* control = reinterpret_cast<PictureControl*>(::GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (!control)
        return ::DefWindowProcA(hwnd, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        ::SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
        control->view_ = nullptr;
        return ::DefWindowProcA(hwnd, message, wParam, lParam);
    }
    // Nothing may unwind through the system's frames.
    try {
        return control->OnViewMessage(message, wParam, lParam);
    } catch (...) {
        return ::DefWindowProcA(hwnd, message, wParam, lParam);
    }
}

LRESULT PictureControl::OnViewMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    const int x = GET_X_LPARAM(lParam), y = GET_Y_LPARAM(lParam);
    switch (message) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = ::BeginPaint(view_, &paint);
        PaintView(dc);
        ::EndPaint(view_, &paint);
        return 0;
    }
    case WM_PRINTCLIENT:
        PaintView(reinterpret_cast<HDC>(wParam));
        return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        if (events_)
            events_->OnMouseDown(message == WM_LBUTTONDOWN ? 1 : message == WM_RBUTTONDOWN ? 2 : 4, ShiftState(), x, y);
        return 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
        if (events_) {
            events_->OnMouseUp(message == WM_LBUTTONUP ? 1 : message == WM_RBUTTONUP ? 2 : 4, ShiftState(), x, y);
            if (message == WM_LBUTTONUP && events_)
                events_->OnClick();
        }
        return 0;
    case WM_LBUTTONDBLCLK:
        if (events_)
            events_->OnDblClick();
        return 0;
    case WM_MOUSEMOVE:
        if (events_)
            events_->OnMouseMove(HeldButtons(wParam), ShiftState(), x, y);
        return 0;
    default:
        return ::DefWindowProcA(view_, message, wParam, lParam);
    }
}
