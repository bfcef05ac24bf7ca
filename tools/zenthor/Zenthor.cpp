// Stand-in for the Zenthor program of the AccessKvora keyboard. Skarpin finds Zenthor by its window
// title "Zenthor", starts it hidden as "<program folder>\Zenthor\Zenthor.exe" when it is absent, and
// after a load posts it the registered message "ZenthorIniFileChanged". This program shows such a
// window and appends to a log file what it receives and what it reads of zenthor.ini, so tests can
// see the notice arrive and what the file held when it did.
//
//     zenthor.exe
//
// Its settings file "<program file without .exe>.standin.ini" may say, in [StandIn]:
//     ZenthorIni=<path>   the zenthor.ini to read (default: the bare name, the one in the Windows folder)
//     Log=<path>          the log file (default: "<program file without .exe>.log")
//     Window=1            0: the program ends at once without a window (a Zenthor that does not come up)
//
// Log lines: "no window" when Window=0 ended the program; else "started", then "ZenthorIniFileChanged wParam=<unsigned> lParam=<signed>" for each notice;
// after each of them the entries of [StartSequence] and [Paths] as "read [<section>] <key>=<value>"
// and "read done". The window closes on WM_CLOSE.
#include "tools/usbdriver/StandInFiles.h"
#include <windows.h>
#include <cstdio>
#include <string>
#include <vector>

namespace {

const char kWindowClass[] = "ZenthorStandIn";
const char kWindowTitle[] = "Zenthor";

std::string g_zenthorIni = "zenthor.ini";
std::string g_logFile;
UINT g_iniChanged = 0;

void AppendToLog(const std::string& line)
{
    standin::AppendLine(g_logFile, line);
}

void LogSection(const char* section)
{
    std::vector<char> buffer(65536);
    const DWORD length = ::GetPrivateProfileSectionA(section, buffer.data(), static_cast<DWORD>(buffer.size()),
                                                     g_zenthorIni.c_str());
    for (DWORD start = 0; start < length;) {
        const std::string entry = buffer.data() + start;
        if (entry.empty())
            break;
        AppendToLog(std::string("read [") + section + "] " + entry);
        start += static_cast<DWORD>(entry.size()) + 1;
    }
}

void ReadZenthorIni()
{
    LogSection("StartSequence");
    LogSection("Paths");
    AppendToLog("read done");
}

void ReadSettings()
{
    g_zenthorIni = standin::ReadSetting("ZenthorIni", "zenthor.ini");
    g_logFile = standin::ReadSetting("Log", standin::ProgramStem() + ".log");
}

LRESULT CALLBACK ZenthorProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == g_iniChanged && g_iniChanged != 0) {
        char line[96];
        std::snprintf(line, sizeof(line), "ZenthorIniFileChanged wParam=%u lParam=%ld", static_cast<unsigned>(wParam),
                      static_cast<long>(lParam));
        AppendToLog(line);
        ReadZenthorIni();
        return 0;
    }
    if (message == WM_DESTROY) {
        ::PostQuitMessage(0);
        return 0;
    }
    return ::DefWindowProcA(window, message, wParam, lParam);
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show)
{
    ReadSettings();
    if (standin::ReadSetting("Window", "1") == "0") {
        AppendToLog("no window");
        return 0;
    }
    g_iniChanged = ::RegisterWindowMessageA("ZenthorIniFileChanged");
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = ZenthorProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = kWindowClass;
    if (!::RegisterClassA(&windowClass))
        return 1;
    HWND window = ::CreateWindowExA(0, kWindowClass, kWindowTitle, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                                    240, 80, nullptr, nullptr, instance, nullptr);
    if (window == nullptr)
        return 1;
    AppendToLog("started");
    ::ShowWindow(window, show);

    MSG message;
    while (::GetMessageA(&message, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&message);
        ::DispatchMessageA(&message);
    }
    return 0;
}
