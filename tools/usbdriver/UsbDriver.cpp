// Stand-in for the USB keyboard's driver program. Skarpin finds the driver by its dialog window of
// class "#32770" captioned with the driver name and posts it WM_USER+114; this program shows such a
// window, appends one line per message received to a log file, and answers a load request as it is
// told, so tests can see what arrived and what Skarpin makes of each answer.
//
//     usbdriver.exe [<caption> <log file>]
//
// Skarpin starts the driver as "<program folder>\<driver name>.<variant>.exe" without arguments: a
// copy of this program under that name takes its caption from its own file name (the part before
// ".<variant>.exe") and logs to "<program file without .exe>.log". Its settings file
// "<program file without .exe>.standin.ini" may say, in [StandIn]:
//     Answer=1          the result of a load request (any number), or "never" for no answer
//     AnswerDelay=0     milliseconds before the answer
//     Window=1          0: the program ends at once without a window (a driver that does not come up)
//
// Log lines: "WM_USER+114 wParam=<unsigned> lParam=<signed>" for each message, "answered <result>"
// once an answer went back, and "no window" when Window=0 ended the program. A load request is
// WM_USER+114 with wParam 2 and the asking window in lParam; the answer is WM_USER+114 with wParam 2
// and the result, sent to that window. The window closes on WM_CLOSE.
#include "tools/usbdriver/StandInFiles.h"
#include "tools/usbdriver/resource.h"
#include <windows.h>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

const UINT kDriverMessage = WM_USER + 114;
const WPARAM kLoadRequest = 2;
const UINT_PTR kAnswerTimer = 1;
// Skarpin's thread answers a sent message when it pumps; a hung one must not hang the stand-in.
const UINT kAnswerSendLimit = 10000;

struct Settings {
    std::string caption;
    std::string logFile;
    bool answers = true;
    long answer = 1;
    UINT answerDelay = 0;
    bool window = true;
};

Settings g_settings;
HWND g_asker = nullptr;

void AppendToLog(const std::string& line)
{
    standin::AppendLine(g_settings.logFile, line);
}

// Without arguments "C:\x\Rizovuvuri.skarpin.exe" takes the caption "Rizovuvuri".
Settings ReadSettings(int argc, char** argv)
{
    const std::string stem = standin::ProgramStem();
    Settings settings;
    if (argc >= 3) {
        settings.caption = argv[1];
        settings.logFile = argv[2];
    } else {
        std::string name = stem.substr(stem.rfind('\\') + 1);
        const size_t variant = name.rfind('.');
        settings.caption = variant == std::string::npos ? name : name.substr(0, variant);
        settings.logFile = stem + ".log";
    }
    const std::string answer = standin::ReadSetting("Answer", "1");
    settings.answers = answer != "never";
    settings.answer = std::strtol(answer.c_str(), nullptr, 10);
    const std::string delay = standin::ReadSetting("AnswerDelay", "0");
    settings.answerDelay = static_cast<UINT>(std::strtoul(delay.c_str(), nullptr, 10));
    settings.window = standin::ReadSetting("Window", "1") != "0";
    return settings;
}

void Answer()
{
    if (!g_asker)
        return;
    DWORD_PTR ignored = 0;
    ::SendMessageTimeoutA(g_asker, kDriverMessage, kLoadRequest, static_cast<LPARAM>(g_settings.answer), SMTO_NORMAL,
                          kAnswerSendLimit, &ignored);
    AppendToLog("answered " + std::to_string(g_settings.answer));
    g_asker = nullptr;
}

INT_PTR CALLBACK DriverProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        return TRUE;
    case kDriverMessage: {
        char line[96];
        std::snprintf(line, sizeof(line), "WM_USER+114 wParam=%u lParam=%ld", static_cast<unsigned>(wParam),
                      static_cast<long>(lParam));
        AppendToLog(line);
        ::SetDlgItemTextA(window, IDC_USBDRIVER_LAST, line);
        if (wParam == kLoadRequest && g_settings.answers) {
            g_asker = reinterpret_cast<HWND>(lParam);
            ::SetTimer(window, kAnswerTimer, g_settings.answerDelay, nullptr);
        }
        return TRUE;
    }
    case WM_TIMER:
        if (wParam == kAnswerTimer) {
            ::KillTimer(window, kAnswerTimer);
            Answer();
        }
        return TRUE;
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
    g_settings = ReadSettings(__argc, __argv);
    if (!g_settings.window) {
        AppendToLog("no window");
        return 0;
    }
    HWND window = ::CreateDialogParamA(instance, MAKEINTRESOURCEA(IDD_USBDRIVER), nullptr, DriverProc, 0);
    if (window == nullptr)
        return 1;
    ::SetWindowTextA(window, g_settings.caption.c_str());
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
