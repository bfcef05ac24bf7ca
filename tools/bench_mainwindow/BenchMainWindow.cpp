// Times Skarpin's main window opening on a teacher's years of sets: 200 sets, the first of them
// holding 100 overlays. Each round builds the window (its configuration read included) until the
// tree and the first set's list are filled, then closes it; then times the set store's part of that
// alone, without the window. Prints the times to stdout.
#include "skarpin/CSkarpinDlg.h"
#include "tools/bench_common/BenchTiming.h"
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

void WriteFile(const std::string& path, const std::string& text)
{
    HANDLE file = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    ::WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    ::CloseHandle(file);
}

std::string Register(int overlays)
{
    std::string text = "[KeyboardSettings]\r\nFlashSignal=1\r\nBeepSignal=1\r\nFrequency=0.7\r\nRepeatDelay=1.0\r\n"
                       "SignalDelay=0.0\r\nBounceLock=0.0\r\nMouseKeyTopSpeed=20\r\nMouseKeyAcceleration=100\r\n"
                       "MouseCursorStep=1\r\n[Overlays]\r\n";
    for (int n = 1; n <= overlays; ++n)
        text += std::to_string(n) + "=Överlägg " + std::to_string(n) + "\r\n";
    return text;
}

std::string Overlay(int n)
{
    std::string text = "[Version]\r\nVersion=5.0.19.0\r\n\r\n[Data]\r\n";
    for (int b = 1; b <= 20; ++b)
        text += "Block" + std::to_string(b) + "=1," + std::to_string(b) + "," + std::to_string(b) + ",0,@ord" +
                std::to_string(n) + "@\r\n";
    text += "\r\n[Background]\r\n\r\n[KeyboardSettings]\r\nSendType=" + std::string(n % 10 == 0 ? "Game" : "API") + "\r\n";
    return text;
}

double Milliseconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to)
{
    LARGE_INTEGER frequency;
    ::QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&controls);
    ::CoInitialize(nullptr);
    const int rounds = __argc > 1 ? std::max(1, std::atoi(__argv[1])) : 5;

    char temp[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, temp);
    const std::string root = std::string(temp) + "bench_mainwindow_" + std::to_string(::GetCurrentProcessId());
    const std::string windows = root + "\\windows";
    const std::string program = root + "\\program";
    const std::string sets = program + "\\set";
    for (const std::string& folder : {root, windows, program, sets})
        ::CreateDirectoryA(folder.c_str(), nullptr);
    WriteFile(windows + "\\skarpin.ini", "[Directories]\r\nExe=" + program + "\r\n[Settings]\r\nFBStatus=USB\r\n");
    WriteFile(program + "\\skarpin.ini", "[USB]\r\nCurrentSet=Set 001\r\n");
    for (int s = 1; s <= 200; ++s) {
        char name[16];
        std::snprintf(name, sizeof(name), "Set %03d", s);
        const std::string folder = sets + "\\" + name;
        ::CreateDirectoryA(folder.c_str(), nullptr);
        const int overlays = s == 1 ? 100 : 3;
        WriteFile(folder + "\\register.txt", Register(overlays));
        for (int n = 1; n <= overlays; ++n)
            WriteFile(folder + "\\Överlägg " + std::to_string(n) + ".ini", Overlay(n));
    }

    FileIOEnvironment environment = FileIOEnvironment::OfThisProgram();
    environment.windowsFolder = windows;
    environment.applicationName = "Skarpin";
    std::vector<double> times;
    size_t lines = 0;
    size_t sets_shown = 0;
    for (int round = 0; round < rounds; ++round) {
        LARGE_INTEGER start;
        LARGE_INTEGER filled;
        ::QueryPerformanceCounter(&start);
        CSkarpinDlg dialog(environment);
        fw::Dialog::PushInitHook([&](fw::Dialog& opened) {
            ::QueryPerformanceCounter(&filled);
            lines = dialog.ListLines().size();
            sets_shown = dialog.TreeItems().size();
            opened.EndDialog(IDCANCEL);
        });
        const INT_PTR result = dialog.DoModal();
        if (result == -1) {
            std::printf("the main window did not open (%lu)\n", ::GetLastError());
            return 1;
        }
        times.push_back(Milliseconds(start, filled));
    }
    std::sort(times.begin(), times.end());
    std::printf("main window on %zu sets, %zu list lines: min %.1f ms, median %.1f ms over %d rounds\n", sets_shown,
                lines, times.front(), times[times.size() / 2], rounds);

    // The store's part: the configuration read, the set listing and the first set's overlays with the
    // marks of their list lines. The rest of the opening is the window's: menus, images, the tree's and
    // the list's lines, maximising and laying out.
    const bench::Figures configuration = bench::Time(rounds, [&] { FileIO store(environment); });
    FileIO store(environment);
    std::vector<SetItem> items;
    const bench::Figures listing = bench::Time(rounds, [&] { store.ListSets(items); });
    const bench::Figures overlays = bench::Time(rounds, [&] { store.ListOverlays("Set 001", items); });
    std::printf("of which the set store (least / median): configuration %.1f / %.1f ms, %d sets listed %.1f / %.1f "
                "ms, %zu overlays listed %.1f / %.1f ms\n",
                configuration.least, configuration.median, 200, listing.least, listing.median, items.size(),
                overlays.least, overlays.median);
    std::string command = "cmd /c rmdir /s /q \"" + root + "\"";
    ::WinExec(command.c_str(), SW_HIDE);
    ::CoUninitialize();
    return 0;
}
