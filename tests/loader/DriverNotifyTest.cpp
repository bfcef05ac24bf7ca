// The current-set mark in the registers and the news posted to the USB keyboard's driver program,
// seen arriving at the driver stand-in (tools/usbdriver).
#include "SetFixture.h"
#include "library/IniFile.h"
#include "support/DialogDriver.h"
#include <gtest/gtest.h>
#include <windows.h>

namespace {

std::string Mark(SetFixture& sets, const std::string& set)
{
    return ini::ReadString(sets.RegisterPath(set), "SetInfo", "IsCurrent", "<none>");
}

// The stand-in program, started hidden beside the test program and ended when the test is done.
class DriverStandIn {
public:
    DriverStandIn(const std::string& caption, const std::string& logFile) : caption_(caption)
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

    ~DriverStandIn()
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

    DriverStandIn(const DriverStandIn&) = delete;
    DriverStandIn& operator=(const DriverStandIn&) = delete;

    HWND Window() const { return ::FindWindowA("#32770", caption_.c_str()); }

private:
    std::string caption_;
    PROCESS_INFORMATION process_{};
};

} // namespace

TEST(CurrentSet, MarkMovesFromTheOldSetToTheNew)
{
    struct Case {
        const char* name;
        const char* oldSet;
        const char* newSet;
        const char* hem;   // the mark of Hem afterwards
        const char* skola; // the mark of Skola afterwards
    } cases[] = {
        {"another set becomes current", "Hem", "Skola", "0", "1"},
        {"the current set made current again stays current", "Skola", "Skola", "1", "1"},
        {"names differing in case are one set", "skola", "Skola", "1", "1"},
        {"no set was current", "", "Skola", "1", "1"},
        {"no set becomes current", "Skola", "", "1", "0"},
    };
    for (const Case& c : cases) {
        SetFixture sets;
        sets.MakeSet("Hem", "[Overlays]\r\n[SetInfo]\r\nIsCurrent=1\r\n");
        sets.MakeSet("Skola", "[Overlays]\r\n[SetInfo]\r\nIsCurrent=1\r\n");
        sets.Io().SetCurrentSetFlag(c.oldSet, c.newSet);
        EXPECT_EQ(c.hem, Mark(sets, "Hem")) << c.name;
        EXPECT_EQ(c.skola, Mark(sets, "Skola")) << c.name;
        // No register appears where there was none, the set folder's own included.
        EXPECT_FALSE(fw::PathExists(sets.SetFolder() + "\\register.txt")) << c.name;
    }

    SetFixture sets;
    sets.MakeSet("Mapp", nullptr);
    sets.Io().SetCurrentSetFlag("Borta", "Mapp");
    EXPECT_FALSE(fw::PathExists(sets.RegisterPath("Mapp")));
    EXPECT_FALSE(fw::PathExists(sets.SetPath("Borta")));
}

TEST(DriverNotify, PostsTheNewsToTheDriversWindowInTheUsbModelOnly)
{
    SetFixture sets;
    const std::string caption = "Rizovuvuri prov " + std::to_string(::GetCurrentProcessId());
    const std::string log = sets.Temp() / "driver.log";
    FileIO& io = sets.Io();
    io.driverName_ = caption;

    EXPECT_EQ(-1, io.NotifyDriver()); // USB by default, no driver running
    DriverStandIn driver(caption, log);
    ASSERT_NE(nullptr, driver.Window());

    sets.WriteWindowsSettings("[Directories]\r\nExe=" + sets.ProgramFolder() + "\r\n[Settings]\r\nFBStatus=PS2\r\n");
    EXPECT_EQ(0, io.NotifyDriver());
    sets.WriteWindowsSettings("[Directories]\r\nExe=" + sets.ProgramFolder() + "\r\n[Settings]\r\nFBStatus=ACCESS\r\n");
    EXPECT_EQ(0, io.NotifyDriver());
    sets.WriteWindowsSettings("[Directories]\r\nExe=" + sets.ProgramFolder() + "\r\n[Settings]\r\nFBStatus=USB\r\n");
    EXPECT_EQ(1, io.NotifyDriver());

    // Messages arrive in order, so one line proves that the other models posted nothing.
    const std::string expected = "WM_USER+114 wParam=1 lParam=-1\r\n";
    EXPECT_TRUE(testsupport::PumpUntil([&] { return sets.Read(log) == expected; })) << sets.Read(log);
}

TEST(DriverNotify, WithoutADriverNameNoWindowIsSought)
{
    SetFixture sets;
    // A dialog window without a caption, which a search for an empty caption would find.
    HWND untitled = ::CreateWindowExA(0, "#32770", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                      ::GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(nullptr, untitled);
    sets.Io().driverName_.clear();
    EXPECT_EQ(-1, sets.Io().NotifyDriver());
    MSG message;
    EXPECT_FALSE(::PeekMessageA(&message, untitled, WM_USER + 114, WM_USER + 114, PM_REMOVE));
    ::DestroyWindow(untitled);
}
