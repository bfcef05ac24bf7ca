// Snapshots of windows as 24-bit BMP files.
#include "support/Snapshot.h"
#include "framework/Dialog.h"
#include <fstream>
#include <vector>

namespace testsupport {

void Snapshot(HWND window, const std::string& name)
{
    char folder[MAX_PATH] = "";
    if (::GetEnvironmentVariableA("RZ_SCREENSHOTS", folder, MAX_PATH) == 0)
        return;
    ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_ERASE);
    fw::PumpMessages();
    RECT rect{};
    ::GetWindowRect(window, &rect);
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    HDC screen = ::GetDC(nullptr);
    HDC memory = ::CreateCompatibleDC(screen);
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old = ::SelectObject(memory, bitmap);
    ::BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
    ::SelectObject(memory, old);
    BITMAPINFOHEADER info{};
    info.biSize = sizeof(info);
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    std::vector<char> bits(static_cast<size_t>(((width * 3 + 3) & ~3) * height));
    ::GetDIBits(memory, bitmap, 0, static_cast<UINT>(height), bits.data(), reinterpret_cast<BITMAPINFO*>(&info),
                DIB_RGB_COLORS);
    ::DeleteObject(bitmap);
    ::DeleteDC(memory);
    ::ReleaseDC(nullptr, screen);

    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42; // "BM"
    file.bfOffBits = sizeof(file) + sizeof(info);
    file.bfSize = static_cast<DWORD>(file.bfOffBits + bits.size());
    std::ofstream out(std::string(folder) + "\\" + name + ".bmp", std::ios::binary);
    out.write(reinterpret_cast<const char*>(&file), sizeof(file));
    out.write(reinterpret_cast<const char*>(&info), sizeof(info));
    out.write(bits.data(), static_cast<std::streamsize>(bits.size()));
}

} // namespace testsupport
