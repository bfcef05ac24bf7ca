// Starting and ending the driver stand-in.
#include "DriverStandIn.h"
#include "support/DialogDriver.h"
#include <gtest/gtest.h>

const char* const DriverStandIn::kNewsLine = "WM_USER+114 wParam=1 lParam=-1\r\n";

DriverStandIn::DriverStandIn(const std::string& caption, const std::string& logFile) : caption_(caption)
{
    char module[MAX_PATH] = "";
    ::GetModuleFileNameA(nullptr, module, MAX_PATH);
    std::string program = module;
    program = program.substr(0, program.rfind('\\')) + "\\usbdriver.exe";
    std::string commandLine = "\"" + program + "\" \"" + caption + "\" \"" + logFile + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_HIDE;
    if (!::CreateProcessA(program.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                          &process_)) {
        ADD_FAILURE() << "cannot start " << program;
        return;
    }
    testsupport::PumpUntil([this] { return Window() != nullptr; });
}

DriverStandIn::~DriverStandIn()
{
    if (process_.hProcess == nullptr)
        return;
    if (HWND window = Window())
        ::PostMessageA(window, WM_CLOSE, 0, 0);
    bool ended = testsupport::PumpUntil([this] { return ::WaitForSingleObject(process_.hProcess, 0) == WAIT_OBJECT_0; });
    if (!ended)
        ::TerminateProcess(process_.hProcess, 1);
    ::CloseHandle(process_.hThread);
    ::CloseHandle(process_.hProcess);
}
