// The current-set mark in the registers and the news posted to the USB keyboard's driver program,
// seen arriving at the driver stand-in (tools/usbdriver).
#include "DriverStandIn.h"
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
    EXPECT_TRUE(testsupport::PumpUntil([&] { return sets.Read(log) == DriverStandIn::kNewsLine; })) << sets.Read(log);
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
