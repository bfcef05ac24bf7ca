// The desktop shortcut: links written through the shell and read back under Wine, the proposed
// names, the name checks, and a link whose program cannot be set.
#include "UsersFixture.h"
#include "framework/Files.h"
#include "morvel/resource.h"
#include "support/DialogDriver.h"
#include "support/ScriptedMessages.h"
#include "support/Snapshot.h"
#include "writer_settings/ShortcutDlg.h"
#include <gtest/gtest.h>
#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

using namespace testsupport;

namespace {

// What a link file holds, read through the shell's link object.
struct LinkRead {
    std::string target, arguments, workingFolder;
};
LinkRead ReadLink(const std::string& linkFile)
{
    LinkRead read;
    IShellLinkA* link = nullptr;
    IPersistFile* file = nullptr;
    if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                  reinterpret_cast<void**>(&link))))
        return read;
    wchar_t wide[MAX_PATH];
    ::MultiByteToWideChar(CP_ACP, 0, linkFile.c_str(), -1, wide, MAX_PATH);
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))
        && SUCCEEDED(file->Load(wide, STGM_READ))) {
        char text[MAX_PATH] = "";
        link->GetPath(text, MAX_PATH, nullptr, 0);
        read.target = text;
        link->GetArguments(text, MAX_PATH);
        read.arguments = text;
        link->GetWorkingDirectory(text, MAX_PATH);
        read.workingFolder = text;
    }
    if (file)
        file->Release();
    link->Release();
    return read;
}

class ShortcutTest : public testing::Test {
protected:
    void SetUp() override
    {
        ::CreateDirectoryA(desktop.c_str(), nullptr);
        ShortcutDlg::SetDesktopForTests(desktop);
    }
    void TearDown() override { ShortcutDlg::SetDesktopForTests(std::string()); }

    UsersFixture fixture;
    std::string program = fixture.config.Write("Program Files\\Morvel\\Morvel.Swedish.exe", "MZ");
    std::string desktop = fixture.config.Temp() / "Skrivbord";
};

} // namespace

TEST_F(ShortcutTest, AUsersLinkStartsMorvelWithTheUserFileAndTakesTheFirstFreeName)
{
    fixture.config.Write("Skrivbord\\Anna.lnk", "");
    User anna;
    anna.name_ = "Anna";
    anna.path_ = fixture.WriteUser("Anna", {});
    const Settings settings = fixture.MainSettings(anna.path_);
    ASSERT_EQ(program, settings.exePath_);
    ShortcutDlg dialog(anna, settings, nullptr);
    RunModal(dialog, [&](fw::Dialog& d) {
        EXPECT_EQ("Skapa genväg på Windows skrivbord", d.Self().Text());
        EXPECT_EQ("Morvel kommer att starta med brukarfilen \"Anna\".", Text(d, IDC_SHORTCUT_INFO));
        EXPECT_EQ("Anna 2", Text(d, IDC_SHORTCUT_NAME));
        Snapshot(d, "shortcut");
        ScriptedMessages messages;
        messages.Expect(IDS_SHORTCUT_BAD_NAME).Expect(IDS_SHORTCUT_BAD_NAME).Expect(IDS_SHORTCUT_EXISTS).Expect(
            IDS_SHORTCUT_CREATED);
        SetText(d, IDC_SHORTCUT_NAME, "Anna, Bertil");
        Click(d, IDOK);
        SetText(d, IDC_SHORTCUT_NAME, "");
        Click(d, IDOK);
        SetText(d, IDC_SHORTCUT_NAME, "Anna");
        Click(d, IDOK);
        SetText(d, IDC_SHORTCUT_NAME, "Anna 2");
        Click(d, IDOK);
        EXPECT_EQ("Genvägen är klar!", messages.Shown().back().caption);
    });
    EXPECT_EQ(IDOK, dialog.Result());
    const LinkRead link = ReadLink(desktop + "\\Anna 2.lnk");
    EXPECT_TRUE(fw::FileExists(desktop + "\\Anna 2.lnk"));
    EXPECT_EQ(program, link.target);
    EXPECT_EQ(anna.path_, link.arguments);
    EXPECT_EQ(fixture.config.ProgramFolder(), link.workingFolder);
    // The show command as the file holds it (Wine's link object reads it back as 1 whatever was saved).
    const std::string bytes = TempFolder::Read(desktop + "\\Anna 2.lnk");
    ASSERT_GT(bytes.size(), 0x3Cu);
    EXPECT_EQ(SW_SHOWMAXIMIZED, bytes[0x3C]);
    // The link resolves to the program again.
    EXPECT_EQ(program, Settings::ResolveShortcut(nullptr, desktop + "\\Anna 2.lnk"));
}

TEST_F(ShortcutTest, TheDefaultUsersLinkIsNamedAfterTheProgramAndHasNoArguments)
{
    fixture.config.Write("Skrivbord\\Morvel.lnk", "");
    fixture.config.Write("Skrivbord\\Morvel 2.lnk", "");
    User standard;
    standard.name_ = "<Standard>";
    const Settings settings = fixture.MainSettings();
    ShortcutDlg dialog(standard, settings, nullptr);
    RunModal(dialog, [&](fw::Dialog& d) {
        EXPECT_EQ("Morvel kommer att starta utan brukarfil.", Text(d, IDC_SHORTCUT_INFO));
        EXPECT_EQ("Morvel 3", Text(d, IDC_SHORTCUT_NAME));
        ScriptedMessages messages;
        messages.Expect(IDS_SHORTCUT_CREATED);
        Click(d, IDOK);
    });
    const LinkRead link = ReadLink(desktop + "\\Morvel 3.lnk");
    EXPECT_EQ(program, link.target);
    EXPECT_EQ("", link.arguments);
}

TEST_F(ShortcutTest, MorvelRunFromALinkGivesTheNewLinkThatLinksTarget)
{
    ::DeleteFileA(program.c_str());
    const std::string realProgram = fixture.config.Write("Morvel\\morvel.exe", "MZ");
    LinkProperties own;
    own.target = realProgram;
    own.linkFile = fixture.config.ProgramFolder() + "\\Morvel.Swedish.lnk";
    ASSERT_EQ(S_OK, ShortcutDlg::CreateLink(own, nullptr));
    const Settings settings = fixture.MainSettings();
    ASSERT_EQ(own.linkFile, settings.exePath_);
    EXPECT_EQ(realProgram, ShortcutDlg::LinkTarget(settings, nullptr));
}

TEST_F(ShortcutTest, ALinkWhoseProgramCannotBeSetIsReportedAndNotWritten)
{
    ::DeleteFileA(program.c_str());
    User anna;
    anna.name_ = "Anna";
    anna.path_ = fixture.WriteUser("Anna", {});
    const Settings settings = fixture.MainSettings(anna.path_);
    ASSERT_EQ("", settings.exePath_); // no program file in the program folder
    ShortcutDlg dialog(anna, settings, nullptr);
    RunModal(dialog, [&](fw::Dialog& d) {
        ScriptedMessages messages;
        messages.Expect(IDS_LINK_SET_PATH_FAILED).Expect(IDS_SHORTCUT_FAILED);
        Click(d, IDOK);
        EXPECT_EQ("SetPath failed!", messages.Shown()[0].text);
        d.EndDialog(IDCANCEL);
    });
    EXPECT_FALSE(fw::PathExists(desktop + "\\Anna.lnk"));
}
