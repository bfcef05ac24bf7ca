// The pause and program-start dialogs in real windows: reading a pause, the program start built in its
// long form and refused, opening on a stored command, browsing, and the Start-menu button.
#include "EditorFixture.h"
#include "StartMenuFixture.h"
#include "SubDialogFixture.h"
#include "command/CommandRefusal.h"
#include "editor/PauseDlg.h"
#include "editor/StartProgramDlg.h"
#include "framework/Prompt.h"
#include "skarpin/resource.h"
#include "support/DialogDriver.h"
#include "support/Snapshot.h"
#include "support/ScriptedMessages.h"
#include <gtest/gtest.h>
#include <cstring>

using namespace editortest;
using namespace subdialogtest;
using namespace testsupport;

TEST(PauseDlg, ReadsTheSecondsWithEitherDecimalSignAndRefusesTheRest)
{
    const struct {
        const char* text;
        float seconds;        // stored on OK
        UINT refusal;         // the message shown first, or 0
    } cases[] = {
        {"1,5", 1.5f, 0}, {"1.5", 1.5f, 0}, {"25", 25.0f, 0}, {"0", 0.0f, 0}, {"", 0.0f, 0}, {"0.04", 0.0f, 0},
        {"25.1", 0, IDS_COMMAND_PAUSE_TOO_LONG}, {"2s", 0, IDS_COMMAND_PAUSE_CHARACTERS},
        {"-1", 0, IDS_COMMAND_PAUSE_CHARACTERS},
        // Two decimal marks are no number: never read as the 1.2 they begin with.
        {"1.2.3", 0, IDS_COMMAND_PAUSE_CHARACTERS}, {"1,2,5", 0, IDS_COMMAND_PAUSE_CHARACTERS},
    };
    for (const auto& c : cases) {
        float seconds = -1;
        PauseDlg dialog(500, 400, &seconds);
        ScriptedMessages messages;
        if (c.refusal)
            messages.Expect(c.refusal);
        INT_PTR result = RunClosing(dialog, [&](fw::Dialog& window) {
            EXPECT_EQ("Paus", fw::Window(window).Text());
            EXPECT_EQ("Ange paus i sekunder med högst en decimal:", Text(window, IDC_PAUSE_PROMPT));
            RECT rect = fw::Window(window).WindowRect();
            EXPECT_EQ(500, rect.right);
            EXPECT_EQ(400, rect.bottom);
            SetText(window, IDC_PAUSE_SECONDS, c.text);
            Click(window, IDOK);
            if (!c.refusal)
                return;
            // Refused: the dialog stays, and the caller's value is untouched.
            EXPECT_TRUE(::IsWindowVisible(window)) << c.text;
            EXPECT_EQ(-1.0f, seconds);
            Close(window, IDCANCEL);
        });
        EXPECT_EQ(c.refusal ? IDCANCEL : IDOK, result) << c.text;
        if (!c.refusal) {
            EXPECT_FLOAT_EQ(c.seconds, seconds) << c.text;
        }
    }
}

namespace {

class StartProgramDlgTest : public testing::Test {
protected:
    INT_PTR Run(SubDialogConfig& config, std::string& command, const std::function<void(fw::Dialog&)>& script)
    {
        StartProgramDlg dialog(&config.Settings(), command, 120, 80);
        return RunClosing(dialog, script);
    }

    SubDialogConfig config_;
};

} // namespace

TEST_F(StartProgramDlgTest, OkBuildsTheLongFormWithAndWithoutAFile)
{
    const struct {
        const char* program;
        const char* file;
        const char* command;
    } cases[] = {
        {"C:\\Program Files\\Rita\\rita.exe", "C:\\Bilder\\hus.bmp",
         "<Ctrl+Esc>rC:\\Program Files\\Rita\\rita.exe C:\\Bilder\\hus.bmp<Paus0.5><Return>"},
        {"notepad.exe", "", "<Ctrl+Esc>rnotepad.exe<Paus0.5><Return>"},
    };
    for (const auto& c : cases) {
        std::string command;
        INT_PTR result = Run(config_, command, [&](fw::Dialog& dialog) {
            SetText(dialog, IDC_START_PROGRAM, c.program);
            SetText(dialog, IDC_START_FILE, c.file);
            Close(dialog, IDOK);
        });
        EXPECT_EQ(IDOK, result);
        EXPECT_EQ(c.command, command);
    }
}

TEST_F(StartProgramDlgTest, RefusalsKeepTheDialogAndTheCommand)
{
    const std::string longFile(240, 'f');
    const struct {
        const char* program;
        const char* file;
        UINT message;
    } cases[] = {
        {"", "", IDS_COMMAND_NO_PROGRAM},
        {"a,b.exe", "", IDS_COMMAND_PROGRAM_CHARACTERS},
        {"a.exe", "x,y", IDS_COMMAND_FILE_CHARACTERS},
        {"a.exe", longFile.c_str(), IDS_COMMAND_TOO_LONG},
    };
    for (const auto& c : cases) {
        std::string command = "<Ctrl+Esc>rold.exe<Paus0.5><Return>";
        ScriptedMessages messages;
        messages.Expect(c.message);
        Run(config_, command, [&](fw::Dialog& dialog) {
            SetText(dialog, IDC_START_PROGRAM, c.program);
            SetText(dialog, IDC_START_FILE, c.file);
            Click(dialog, IDOK);
            EXPECT_TRUE(::IsWindowVisible(dialog)) << c.message;
            Close(dialog, IDCANCEL);
        });
        EXPECT_EQ("<Ctrl+Esc>rold.exe<Paus0.5><Return>", command);
    }
}

TEST_F(StartProgramDlgTest, OpensOnAStoredCommandInEitherForm)
{
    const struct {
        const char* command;
        const char* program;
        const char* file;
    } cases[] = {
        {"<Ctrl+Esc>rC:\\App 2.0 x\\prog.exe C:\\Mina filer\\a.txt<Paus0.5><Return>", "C:\\App 2.0 x\\prog.exe",
         "C:\\Mina filer\\a.txt"},
        {"<Run C:\\Spel\\spel.exe>", "C:\\Spel\\spel.exe", ""},
        {"<Run notepad.exe brev.txt>", "notepad.exe", "brev.txt"},
        {"<Ctrl+Esc>rC:\\Windows\\notepad.exe Dokument\\brev.txt<Paus0.5><Return>", "C:\\Windows\\notepad.exe",
         "Dokument\\brev.txt"},
    };
    for (const auto& c : cases) {
        std::string command = c.command;
        Run(config_, command, [&](fw::Dialog& dialog) {
            EXPECT_EQ(c.program, Text(dialog, IDC_START_PROGRAM)) << c.command;
            EXPECT_EQ(c.file, Text(dialog, IDC_START_FILE)) << c.command;
            Close(dialog, IDCANCEL);
        });
        EXPECT_EQ(c.command, command) << "Cancel leaves the command";
    }
}

// The dialog shows the program start of a command that goes on around it: OK without a change leaves
// the command byte for byte, a changed program replaces that part alone.
TEST_F(StartProgramDlgTest, OkKeepsWhatTheCommandHoldsAroundTheProgramStart)
{
    const struct {
        const char* command;
        const char* program;   // typed before OK; null: nothing changed
        const char* after;
    } cases[] = {
        {"<Ctrl+Esc>rC:\\a.exe<Paus0.5><Return>Hej<Return>", nullptr, "<Ctrl+Esc>rC:\\a.exe<Paus0.5><Return>Hej<Return>"},
        {"<Run C:\\a.exe>Hej<Return>", nullptr, "<Run C:\\a.exe>Hej<Return>"},
        {"<Ctrl+Esc>rC:\\a.exe<Paus0.5><Return>Hej<Return>", "C:\\b.exe",
         "<Ctrl+Esc>rC:\\b.exe<Paus0.5><Return>Hej<Return>"},
        {"<Alt+Tab><Run C:\\a.exe C:\\x.txt>Hej<Return>", "C:\\b.exe",
         "<Alt+Tab><Ctrl+Esc>rC:\\b.exe C:\\x.txt<Paus0.5><Return>Hej<Return>"},
        {"Hej<Ctrl+Esc>rC:\\a.exe", "C:\\b.exe", "Hej<Ctrl+Esc>rC:\\b.exe<Paus0.5><Return>"},
    };
    for (const auto& c : cases) {
        std::string command = c.command;
        const INT_PTR result = Run(config_, command, [&](fw::Dialog& dialog) {
            if (c.program)
                SetText(dialog, IDC_START_PROGRAM, c.program);
            Close(dialog, IDOK);
        });
        EXPECT_EQ(IDOK, result);
        EXPECT_EQ(c.after, command) << c.command;
    }
}

TEST_F(StartProgramDlgTest, WithoutAStartStringWhatOkWroteOpensAgain)
{
    // [KvoraStart] without a start sequence: the command is the program, the file and the end string.
    SubDialogConfig noStart("PS2", "");
    const struct {
        const char* program;
        const char* file;
        const char* command;
    } cases[] = {
        {"prog.exe", "", "prog.exe<Paus0.5><Return>"},
        {"C:\\Windows\\notepad.exe", "Dokument\\brev.txt", "C:\\Windows\\notepad.exe Dokument\\brev.txt<Paus0.5><Return>"},
    };
    for (const auto& c : cases) {
        std::string command;
        Run(noStart, command, [&](fw::Dialog& dialog) {
            SetText(dialog, IDC_START_PROGRAM, c.program);
            SetText(dialog, IDC_START_FILE, c.file);
            Close(dialog, IDOK);
        });
        EXPECT_EQ(c.command, command);
        // Opened again, it shows what was typed, and OK writes the same command.
        Run(noStart, command, [&](fw::Dialog& dialog) {
            EXPECT_EQ(c.program, Text(dialog, IDC_START_PROGRAM)) << c.command;
            EXPECT_EQ(c.file, Text(dialog, IDC_START_FILE)) << c.command;
            Snapshot(dialog, "start_program_without_start_string");
            Close(dialog, IDOK);
        });
        EXPECT_EQ(c.command, command);
    }
    // A command that is no program start opens with its text before the first tag.
    std::string command = "Hej<Return>";
    Run(noStart, command, [&](fw::Dialog& dialog) {
        EXPECT_EQ("Hej", Text(dialog, IDC_START_PROGRAM));
        EXPECT_EQ("", Text(dialog, IDC_START_FILE));
        Close(dialog, IDCANCEL);
    });
}

TEST_F(StartProgramDlgTest, TheStartMethodShowsForTheSerialModelsOnly)
{
    std::string command;
    Run(config_, command, [&](fw::Dialog& dialog) {
        EXPECT_EQ("Kommando för att starta program", fw::Window(dialog).Text());
        EXPECT_EQ("Vald metod för att aktivera \"Kör\":", Text(dialog, IDC_START_METHOD_LABEL));
        EXPECT_TRUE(IsVisible(dialog, IDC_START_METHOD));
        EXPECT_EQ(kStartString, Text(dialog, IDC_START_METHOD));
        RECT rect = fw::Window(dialog).WindowRect();
        EXPECT_EQ(120, rect.left);
        EXPECT_EQ(80, rect.top);
        Close(dialog, IDCANCEL);
    });
    SubDialogConfig usb("USB");
    Run(usb, command, [&](fw::Dialog& dialog) {
        EXPECT_FALSE(IsVisible(dialog, IDC_START_METHOD));
        EXPECT_FALSE(IsVisible(dialog, IDC_START_METHOD_LABEL));
        Close(dialog, IDCANCEL);
    });
}

TEST_F(StartProgramDlgTest, BrowsingFillsTheBoxAndKeepsTheCurrentFolder)
{
    char before[MAX_PATH] = "";
    ::GetCurrentDirectoryA(MAX_PATH, before);
    std::vector<std::string> seen;
    fw::CommonDialogHandlers handlers;
    handlers.openFile = [&](OPENFILENAMEA& request) {
        std::string filter;
        for (const char* at = request.lpstrFilter; *at; at += std::strlen(at) + 1)
            filter += std::string(at) + "|";
        seen.push_back(std::string(request.lpstrTitle) + "|" + request.lpstrFile + "|" + filter);
        ::SetCurrentDirectoryA("C:\\");  // as a dialog that changes folder would
        const char chosen[] = "C:\\Program\\valt.exe";
        std::memcpy(request.lpstrFile, chosen, sizeof(chosen));
        return true;
    };
    fw::SetCommonDialogHandlers(handlers);
    std::string command;
    Run(config_, command, [&](fw::Dialog& dialog) {
        SetText(dialog, IDC_START_PROGRAM, "gammal.exe");
        Click(dialog, IDC_START_BROWSE_PROGRAM);
        EXPECT_EQ("C:\\Program\\valt.exe", Text(dialog, IDC_START_PROGRAM));
        Click(dialog, IDC_START_BROWSE_FILE);
        EXPECT_EQ("C:\\Program\\valt.exe", Text(dialog, IDC_START_FILE));
        Close(dialog, IDCANCEL);
    });
    fw::SetCommonDialogHandlers({});
    ASSERT_EQ(2u, seen.size());
    EXPECT_EQ("Bläddra program|gammal.exe|Program|*.exe|Alla filer|*.*|", seen[0]);
    EXPECT_EQ("Bläddra fil||Alla filer|*.*|", seen[1]);
    char after[MAX_PATH] = "";
    ::GetCurrentDirectoryA(MAX_PATH, after);
    EXPECT_STREQ(before, after);
}

TEST_F(StartProgramDlgTest, TheStartMenuFillsProgramAndFileFromAShortcut)
{
    StartMenuFixture menu;
    const std::string target = menu.Program("Rita\\rita.exe");
    menu.Shortcut("user\\Rita.lnk", target, "-ny bild.bmp");
    std::string command;
    Run(config_, command, [&](fw::Dialog& dialog) {
        SetText(dialog, IDC_START_FILE, "gammal.txt");
        OnNextDialog([&](fw::Dialog& chooser) {
            EXPECT_TRUE(menu.SelectItem(chooser, {"Rita"}));
            Close(chooser, IDOK);
        });
        Click(dialog, IDC_START_MENU);
        EXPECT_EQ(target, Text(dialog, IDC_START_PROGRAM));
        EXPECT_EQ("-ny bild.bmp", Text(dialog, IDC_START_FILE));
        EXPECT_EQ(::GetDlgItem(dialog, IDC_START_PROGRAM), ::GetFocus());
        Close(dialog, IDCANCEL);
    });
}
