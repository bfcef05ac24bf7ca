// The special-command dialog: its rules without a window, then the dialog in a real window with keys
// sent to its one-key boxes, the list, and what OK hands back.
#include "CommandFixture.h"
#include "EditorFixture.h"
#include "SubDialogFixture.h"
#include "editor/CommandEdit.h"
#include "editor/PauseDlg.h"
#include "editor/SpecialCommandDlg.h"
#include "editor/SpecialCommandModel.h"
#include "framework/Prompt.h"
#include "skarpin/resource.h"
#include "support/DialogDriver.h"
#include "support/Snapshot.h"
#include <gtest/gtest.h>

using namespace editortest;
using namespace subdialogtest;
using namespace testsupport;

TEST(SpecialCommandModel, KeysComposeBoxByBoxAndARepeatIsRefused)
{
    SpecialCommandModel model;
    EXPECT_TRUE(model.TakeKey(0, VK_CONTROL, "Ctrl"));
    EXPECT_EQ(1, model.Current());
    EXPECT_EQ("<Ctrl>", model.Command());
    // Ctrl again in the second box: refused and emptied, the box stays current.
    EXPECT_FALSE(model.TakeKey(1, VK_CONTROL, "Ctrl"));
    EXPECT_EQ("", model.Word(1));
    EXPECT_EQ(1, model.Current());
    EXPECT_FALSE(model.TakeKey(1, 0, "")) << "a box that shows nothing";
    EXPECT_TRUE(model.TakeKey(1, VK_MENU, "Alt"));
    EXPECT_FALSE(model.TakeKey(2, VK_MENU, "Alt"));
    EXPECT_FALSE(model.TakeKey(2, VK_CONTROL, "Ctrl"));
    EXPECT_TRUE(model.TakeKey(2, VK_DELETE, "Delete"));
    EXPECT_EQ(2, model.Current());
    EXPECT_EQ("<Ctrl+Alt+Delete>", model.Command());
}

TEST(SpecialCommandModel, BackspaceEmptiesTwoBoxesAndAltGrMovesOn)
{
    SpecialCommandModel model;
    model.TakeKey(0, VK_CONTROL, "Ctrl");
    model.TakeKey(1, VK_SHIFT, "Shift");
    model.Erase(2);
    EXPECT_EQ(1, model.Current());
    EXPECT_EQ("<Ctrl>", model.Command());
    model.Erase(1);
    EXPECT_EQ(0, model.Current());
    EXPECT_EQ("", model.Command());
    model.Advance(0, "Ctrl");
    EXPECT_EQ(1, model.Current());
    EXPECT_EQ("<Ctrl>", model.Command());
}

TEST(SpecialCommandModel, AChosenCombinationIsSplitAtItsPlusSigns)
{
    const struct {
        const char* combination;
        const char* words[3];
        int current;
    } cases[] = {
        {"<Alt+F4>", {"Alt", "F4", ""}, 2},
        {"<Ctrl+Alt+Delete>", {"Ctrl", "Alt", "Delete"}, 2},
        {"<CapsLock>", {"CapsLock", "", ""}, 1},
        {"", {"", "", ""}, 0},
    };
    for (const auto& c : cases) {
        SpecialCommandModel model;
        model.TakeKey(0, VK_TAB, "Tab");
        model.Choose(c.combination);
        for (int box = 0; box < 3; ++box)
            EXPECT_EQ(c.words[box], model.Word(box)) << c.combination << " box " << box;
        EXPECT_EQ(c.current, model.Current()) << c.combination;
        EXPECT_EQ(c.combination, model.Command());
    }
    // A repeat is found by its word too, where the list filled the box.
    SpecialCommandModel model;
    model.Choose("<Alt+F4>");
    EXPECT_FALSE(model.TakeKey(2, VK_MENU, "Alt"));
}

namespace {

std::string Enabled(HWND dialog)
{
    return EnabledStates(dialog, {IDC_SPECIAL_KEY0, IDC_SPECIAL_KEY1, IDC_SPECIAL_KEY2});
}

int ListSelection(HWND dialog)
{
    return static_cast<int>(::SendDlgItemMessageA(dialog, IDC_SPECIAL_LIST, LB_GETCURSEL, 0, 0));
}

class SpecialCommandDlgTest : public testing::Test {
protected:
    // Runs the dialog on the command with its bottom-right corner at (600, 500).
    INT_PTR Run(std::string& command, const std::function<void(fw::Dialog&)>& script)
    {
        SpecialCommandDlg dialog(&config_.Settings(), 600, 500, command);
        return RunClosing(dialog, script);
    }

    SubDialogConfig config_;
    int beeps_ = 0;
    void SetUp() override { fw::SetBeepHandler([this] { ++beeps_; }); }
};

} // namespace

TEST_F(SpecialCommandDlgTest, OpensWithTheFixedCombinationsAtItsCorner)
{
    std::string command;
    Run(command, [&](fw::Dialog& dialog) {
        EXPECT_EQ("Specialkommando", fw::Window(dialog).Text());
        EXPECT_EQ("Avbryt", Text(dialog, IDCANCEL));
        EXPECT_EQ("Tryck på <Esc> för inmatning av Esc, Tab, Backspace, Delete och piltangenter.",
                  Text(dialog, IDC_SPECIAL_HINT));
        EXPECT_EQ(16, ::SendDlgItemMessageA(dialog, IDC_SPECIAL_LIST, LB_GETCOUNT, 0, 0));
        EXPECT_EQ(-1, ListSelection(dialog));
        EXPECT_EQ("100", Enabled(dialog));
        EXPECT_EQ(::GetDlgItem(dialog, IDC_SPECIAL_KEY0), ::GetFocus());
        RECT rect = fw::Window(dialog).WindowRect();
        EXPECT_EQ(600, rect.right);
        EXPECT_EQ(500, rect.bottom);
        // The list shows whole lines: its last visible line is not cut.
        RECT list{};
        ::GetClientRect(::GetDlgItem(dialog, IDC_SPECIAL_LIST), &list);
        const int line = static_cast<int>(::SendDlgItemMessageA(dialog, IDC_SPECIAL_LIST, LB_GETITEMHEIGHT, 0, 0));
        ASSERT_GT(line, 0);
        EXPECT_EQ(0, list.bottom % line) << list.bottom << " pixels for lines of " << line;
        Close(dialog, IDCANCEL);
    });
    EXPECT_EQ("", command);
}

TEST_F(SpecialCommandDlgTest, KeysCaughtBoxByBoxComposeTheCommandAndOkHandsBackTheTagAlone)
{
    std::string command = "x";
    INT_PTR result = Run(command, [&](fw::Dialog& dialog) {
        PressKey(dialog, IDC_SPECIAL_KEY0, VK_CONTROL);
        EXPECT_EQ("Ctrl", Text(dialog, IDC_SPECIAL_KEY0));
        EXPECT_EQ("<Ctrl>", Text(dialog, IDC_SPECIAL_COMMAND));
        EXPECT_EQ("010", Enabled(dialog));
        EXPECT_EQ(::GetDlgItem(dialog, IDC_SPECIAL_KEY1), ::GetFocus());
        // Ctrl again: cleared from the box with a beep.
        PressKey(dialog, IDC_SPECIAL_KEY1, VK_CONTROL);
        EXPECT_EQ(1, beeps_);
        EXPECT_EQ("", Text(dialog, IDC_SPECIAL_KEY1));
        EXPECT_EQ("010", Enabled(dialog));
        PressKey(dialog, IDC_SPECIAL_KEY1, VK_MENU);
        EXPECT_EQ("<Ctrl+Alt>", Text(dialog, IDC_SPECIAL_COMMAND));
        EXPECT_EQ("001", Enabled(dialog));
        // Delete is caught as a key after Esc; the hint tells the mode.
        PressKey(dialog, IDC_SPECIAL_KEY2, VK_ESCAPE);
        EXPECT_EQ("Inmatningsläge för Esc, Tab, Backspace, Delete och piltangenter.", Text(dialog, IDC_SPECIAL_HINT));
        PressKey(dialog, IDC_SPECIAL_KEY2, VK_DELETE);
        EXPECT_EQ("<Ctrl+Alt+Delete>", Text(dialog, IDC_SPECIAL_COMMAND));
        EXPECT_EQ(0, ListSelection(dialog)) << "the first fixed combination";
        Close(dialog, IDOK);
    });
    EXPECT_EQ(IDOK, result);
    EXPECT_EQ("<Ctrl+Alt+Delete>", command);
}

TEST_F(SpecialCommandDlgTest, ALetterAfterAModifierIsWrittenAsTheEditorWritesItAndAPlusIsRefused)
{
    std::string command;
    Run(command, [&](fw::Dialog& dialog) {
        PressKey(dialog, IDC_SPECIAL_KEY0, VK_CONTROL);
        // '+' in the second box would make "<Ctrl++>", which the keyboard reads as Ctrl alone.
        PressKey(dialog, IDC_SPECIAL_KEY1, commandtest::kPlusKey, '+');
        EXPECT_EQ(1, beeps_);
        EXPECT_EQ("", Text(dialog, IDC_SPECIAL_KEY1));
        EXPECT_EQ("<Ctrl>", Text(dialog, IDC_SPECIAL_COMMAND));
        PressKey(dialog, IDC_SPECIAL_KEY1, 'C', 'c');
        EXPECT_EQ("C", Text(dialog, IDC_SPECIAL_KEY1));
        EXPECT_EQ("<Ctrl+C>", Text(dialog, IDC_SPECIAL_COMMAND));
        Snapshot(dialog, "special_command");
        Close(dialog, IDOK);
    });
    EXPECT_EQ("<Ctrl+C>", command);

    // Without a modifier the letter stays as typed: "<c>" types c, "<C>" the capital.
    command.clear();
    Run(command, [&](fw::Dialog& dialog) {
        PressKey(dialog, IDC_SPECIAL_KEY0, 'C', 'c');
        EXPECT_EQ("<c>", Text(dialog, IDC_SPECIAL_COMMAND));
        // Alt+E is in the list however it was caught.
        PressKey(dialog, IDC_SPECIAL_KEY1, VK_BACK);
        PressKey(dialog, IDC_SPECIAL_KEY0, VK_MENU);
        PressKey(dialog, IDC_SPECIAL_KEY1, 'E', 'e');
        EXPECT_EQ("<Alt+E>", Text(dialog, IDC_SPECIAL_COMMAND));
        EXPECT_EQ(7, ListSelection(dialog));
        Close(dialog, IDCANCEL);
    });
}

TEST_F(SpecialCommandDlgTest, BackspaceGoesBackABoxAndEmptiesBoth)
{
    std::string command;
    Run(command, [&](fw::Dialog& dialog) {
        PressKey(dialog, IDC_SPECIAL_KEY0, VK_SHIFT);
        PressKey(dialog, IDC_SPECIAL_KEY1, VK_F5);
        EXPECT_EQ("<Shift+F5>", Text(dialog, IDC_SPECIAL_COMMAND));
        PressKey(dialog, IDC_SPECIAL_KEY2, VK_BACK);
        EXPECT_EQ("010", Enabled(dialog));
        EXPECT_EQ("", Text(dialog, IDC_SPECIAL_KEY1));
        EXPECT_EQ("", Text(dialog, IDC_SPECIAL_KEY2));
        EXPECT_EQ("<Shift>", Text(dialog, IDC_SPECIAL_COMMAND));
        Close(dialog, IDCANCEL);
    });
    EXPECT_EQ("", command) << "Cancel hands back nothing";
}

TEST_F(SpecialCommandDlgTest, AChosenEntryFillsTheBoxesAndTheCallersCombinationOpensSelected)
{
    std::string command;
    Run(command, [&](fw::Dialog& dialog) {
        SelectList(dialog, IDC_SPECIAL_LIST, 3);
        EXPECT_EQ("Alt", Text(dialog, IDC_SPECIAL_KEY0));
        EXPECT_EQ("F4", Text(dialog, IDC_SPECIAL_KEY1));
        EXPECT_EQ("", Text(dialog, IDC_SPECIAL_KEY2));
        EXPECT_EQ("001", Enabled(dialog));
        EXPECT_EQ("<Alt+F4>", Text(dialog, IDC_SPECIAL_COMMAND));
        Close(dialog, IDOK);
    });
    EXPECT_EQ("<Alt+F4>", command);

    // Opened on the combination it gave: the result replaces it, it is not added to it.
    Run(command, [&](fw::Dialog& dialog) {
        EXPECT_EQ(3, ListSelection(dialog));
        EXPECT_EQ("Alt", Text(dialog, IDC_SPECIAL_KEY0));
        Close(dialog, IDOK);
    });
    EXPECT_EQ("<Alt+F4>", command);

    // A free combination that is not in the list: split, with no list line chosen.
    command = "<Ctrl+Shift+F2>";
    Run(command, [&](fw::Dialog& dialog) {
        EXPECT_EQ(-1, ListSelection(dialog));
        EXPECT_EQ("F2", Text(dialog, IDC_SPECIAL_KEY2));
        Close(dialog, IDCANCEL);
    });
}

TEST_F(SpecialCommandDlgTest, NothingComposedHandsBackNothing)
{
    std::string command = "<Return>";
    Run(command, [&](fw::Dialog& dialog) {
        PressKey(dialog, IDC_SPECIAL_KEY0, VK_BACK);
        EXPECT_EQ("", Text(dialog, IDC_SPECIAL_COMMAND));
        Close(dialog, IDOK);
    });
    EXPECT_EQ("", command);
}

TEST(CommandEditors, ShowTheirTextInTheProgramsOwnUnicodeEditControls)
{
    // Skarpin's windows take the common controls' edit, which is a Unicode window even in a dialog
    // made with the ANSI calls: the editors' text must reach it and come back in the code page.
    float seconds = 0;
    PauseDlg host(400, 300, &seconds);
    RunClosing(host, [&](fw::Dialog& dialog) {
        CommandEdit edit;
        ASSERT_TRUE(edit.SubclassDlgItem(IDC_PAUSE_SECONDS, dialog));
        edit.SetText("<Paus0.5>h\xE5r \x80");
        EXPECT_EQ("<Paus0.5>h\xE5r \x80", Text(dialog, IDC_PAUSE_SECONDS));
        ::SetWindowTextA(edit, "<Return>\xE4");
        EXPECT_EQ("<Return>\xE4", edit.Text());
        ::SendMessageA(edit, WM_CHAR, 0x80, 1);
        EXPECT_EQ("<Return>\xE4\x80", edit.Text());
        edit.Detach();
        Close(dialog, IDCANCEL);
    });
}
