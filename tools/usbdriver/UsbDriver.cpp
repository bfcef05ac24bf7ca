// Stand-in for the USB keyboard's driver program. Skarpin finds the driver by its dialog window of
// class "#32770" captioned with the driver name and posts it WM_USER+114; this program shows such a
// window and appends one line per message received to a log file, so tests can see what arrived.
//
//     usbdriver.exe <caption> <log file>
//
// Each line reads "WM_USER+114 wParam=<unsigned> lParam=<signed>". The window closes on WM_CLOSE.
#include "tools/usbdriver/resource.h"
#include <windows.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

const UINT kDriverMessage = WM_USER + 114;

std::string g_logFile;

void AppendToLog(const std::string& line)
{
    // Opened for each line, so a reader sees every line as soon as it is written.
    HANDLE file = ::CreateFileA(g_logFile.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    DWORD written = 0;
    ::WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    ::CloseHandle(file);
}

INT_PTR CALLBACK DriverProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        return TRUE;
    case kDriverMessage: {
        char line[96];
        std::snprintf(line, sizeof(line), "WM_USER+114 wParam=%u lParam=%ld\r\n", static_cast<unsigned>(wParam),
                      static_cast<long>(lParam));
        AppendToLog(line);
        std::string shown(line, std::strlen(line) - 2);
        ::SetDlgItemTextA(window, IDC_USBDRIVER_LAST, shown.c_str());
        return TRUE;
    }
    case WM_CLOSE:
        ::DestroyWindow(window);
        return TRUE;
    case WM_DESTROY:
        ::PostQuitMessage(0);
        return TRUE;
    default:
        return FALSE;
    }
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show)
{
    if (__argc < 3) {
        ::MessageBoxA(nullptr, "usbdriver.exe <caption> <log file>", "usbdriver", MB_OK | MB_ICONERROR);
        return 2;
    }
    g_logFile = __argv[2];
    HWND window = ::CreateDialogParamA(instance, MAKEINTRESOURCEA(IDD_USBDRIVER), nullptr, DriverProc, 0);
    if (window == nullptr)
        return 1;
    ::SetWindowTextA(window, __argv[1]);
    ::ShowWindow(window, show);

    MSG message;
    while (::GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (!::IsDialogMessageA(window, &message)) {
            ::TranslateMessage(&message);
            ::DispatchMessageA(&message);
        }
    }
    return 0;
}
