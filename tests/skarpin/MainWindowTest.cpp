// Skarpin's main window opened on set folders of the test's making, and the start's single-copy test.
#include "MainWindowFixture.h"
#include "skarpin/CSkarpinApp.h"
#include "skarpin/resource.h"
#include "support/DialogDriver.h"
#include "support/Snapshot.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

class MainWindowTest : public testing::Test, public MainWindowFixture {
protected:
    void MakeSampleSets()
    {
        MakeSet("Skola", StandardRegister({{1, "Äpple"}, {3, "Bil"}}).c_str(), {"Äpple", "Bil"});
        MakeSet("Hemma", StandardRegister({}).c_str());
        MakeSet("Mallar", StandardRegister({}).c_str(), {"Tom", "Rutor"});
        MakeSet("Standardöverlägg", StandardRegister({{101, "Start"}}).c_str(), {"Start"});
    }
};

TEST_F(MainWindowTest, OpensOnTheFirstSetWithItsHundredNumbers)
{
    UseModel("PS2");
    WriteProgramSettings("[Settings]\r\nShowTemplates=1\r\nShowStandardOverlays=1\r\n");
    MakeSampleSets();
    RunMainWindow([&](CSkarpinDlg& dialog) {
        EXPECT_EQ(dialog.Self().Text(), "Skarpinen PS/2");
        EXPECT_EQ(dialog.Configuration().caption_, "Skarpinen PS/2");
        // The folder listing decides between the two ordinary sets.
        std::vector<std::string> names = TreeNames(dialog);
        ASSERT_EQ(names.size(), 4u);
        EXPECT_EQ(names[2], "Mallar");
        EXPECT_EQ(names[3], "Standardöverlägg");
        EXPECT_EQ(dialog.SelectedSetName(), names[0]);
        EXPECT_EQ(dialog.Tree().selectedSetName_, names[0]);
        EXPECT_EQ(dialog.SelectionFocus(), 0);
        EXPECT_TRUE(::IsZoomed(dialog.Handle()));

        ASSERT_TRUE(dialog.SelectSetLine(names[0] == "Skola" ? 0 : 1));
        EXPECT_EQ(dialog.SelectedSetName(), "Skola");
        ASSERT_EQ(dialog.ListLines().size(), 100u);
        EXPECT_EQ(ListText(dialog, 0), "1 Äpple");
        EXPECT_EQ(ListText(dialog, 1), "2 ");
        EXPECT_EQ(ListText(dialog, 2), "3 Bil");
        EXPECT_FALSE(Grayed(dialog.MainMenu(), ID_EDIT_RENAME_SELECTION));
        EXPECT_EQ(MenuText(dialog.MainMenu(), ID_EDIT_RENAME_SELECTION), "Byt namn på set...");
        EXPECT_TRUE(Grayed(dialog.MainMenu(), ID_OVERLAY_OPEN));
        EXPECT_TRUE(Grayed(dialog.MainMenu(), ID_SET_IMPORT_OLD));
        EXPECT_EQ(::GetMenuState(dialog.MainMenu(), ID_SHOW_TEMPLATES, MF_BYCOMMAND) & MF_CHECKED,
                  static_cast<UINT>(MF_CHECKED));

        // A click on a line: the overlays are the object of the commands now.
        const LPARAM thirdLine = MAKELPARAM(20, 2 * CIconListBox::kLineHeight + 4);
        dialog.List().Self().Send(WM_LBUTTONDOWN, MK_LBUTTON, thirdLine);
        dialog.List().Self().Send(WM_LBUTTONUP, 0, thirdLine);
        EXPECT_EQ(dialog.SelectionFocus(), 1);
        EXPECT_EQ(dialog.SelectedOverlayName(), "Bil");
        EXPECT_EQ(MenuText(dialog.MainMenu(), ID_EDIT_RENAME_SELECTION), "Byt namn på överlägg...");
        EXPECT_FALSE(Grayed(dialog.MainMenu(), ID_EDIT_DELETE_SELECTION));

        ASSERT_TRUE(dialog.SelectSetLine(2));
        EXPECT_EQ(dialog.SelectedSetName(), "Mallar");
        EXPECT_EQ(dialog.SelectedOverlayName(), "");
        ASSERT_EQ(dialog.ListLines().size(), 2u);
        const std::string first = ListText(dialog, 0);
        EXPECT_TRUE(first == "Tom" || first == "Rutor") << first;
        EXPECT_EQ(MenuText(dialog.MainMenu(), ID_OVERLAY_OPEN), "Ny mall");
        EXPECT_FALSE(Grayed(dialog.MainMenu(), ID_OVERLAY_OPEN));
        EXPECT_TRUE(Grayed(dialog.MainMenu(), ID_SET_LOAD_KEYBOARD));

        ASSERT_TRUE(dialog.SelectSetLine(3));
        ASSERT_EQ(dialog.ListLines().size(), 27u);
        EXPECT_EQ(ListText(dialog, 0), "101 Start");
        EXPECT_EQ(ListText(dialog, 26), "127 ");
    });
}

// Each line carries its overlay's mark: AccessKvora before DirectX, and AccessKvora only where the
// keyboard is of another model.
TEST_F(MainWindowTest, ListLinesCarryTheirOverlaysMarks)
{
    MakeSet("Skola", StandardRegister({{1, "Kvora"}, {2, "Spel"}, {3, "Vanlig"}, {4, "Spel"}}).c_str());
    Write("Program Files\\Skarpin\\set\\Skola\\Kvora.ini",
          "[Version]\r\nAccessKvora=1\r\n[KeyboardSettings]\r\nSendType=Game\r\n");
    Write("Program Files\\Skarpin\\set\\Skola\\Spel.ini", "[KeyboardSettings]\r\nSendType=game\r\n");
    MakeOverlay("Skola", "Vanlig");
    struct Case {
        const char* model;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {"PS2", {"1 Kvora    *** AccessKvora ***", "2 Spel    *** DirectX ***", "3 Vanlig", "4 Spel    *** DirectX ***", "5 "}},
        {"ACCESS", {"1 Kvora    *** DirectX ***", "2 Spel    *** DirectX ***", "3 Vanlig", "4 Spel    *** DirectX ***", "5 "}},
    };
    for (const Case& c : cases) {
        UseModel(c.model);
        RunMainWindow([&](CSkarpinDlg& dialog) {
            ASSERT_EQ(dialog.ListLines().size(), 100u);
            for (size_t line = 0; line < c.lines.size(); ++line)
                EXPECT_EQ(ListText(dialog, static_cast<int>(line)), c.lines[line]) << c.model;
        });
    }
}

// The window, its menus and the set store take a set for the templates or standard-overlay set by
// one comparison of names: the list shows what the store lists, and the register stays as it was.
TEST_F(MainWindowTest, SpecialSetsFollowTheirSwitchesWhateverTheCaseOfTheirNames)
{
    UseModel("PS2");
    MakeSet("Skola", StandardRegister({}).c_str());
    const std::string templates = StandardRegister({{7, "Tom"}});
    MakeSet("MALLAR", templates.c_str(), {"Tom", "Rutor"});
    const std::string standard = StandardRegister({{101, "Start"}, {104, "Slut"}});
    MakeSet("STANDARDÖVERLÄGG", standard.c_str(), {"Start", "Slut"});
    RunMainWindow([&](CSkarpinDlg& dialog) { EXPECT_EQ(TreeNames(dialog), std::vector<std::string>({"Skola"})); });

    WriteProgramSettings("[Settings]\r\nShowTemplates=1\r\nShowStandardOverlays=1\r\n");
    RunMainWindow([&](CSkarpinDlg& dialog) {
        ASSERT_EQ(TreeNames(dialog), std::vector<std::string>({"Skola", "MALLAR", "STANDARDÖVERLÄGG"}));
        ASSERT_TRUE(dialog.SelectSetLine(1));
        // The set holds its templates under the numbers of its listing, with their names alone.
        ASSERT_EQ(dialog.ListLines().size(), 2u);
        EXPECT_EQ(dialog.ListLines()[0].number_, 1);
        EXPECT_EQ(dialog.ListLines()[1].number_, 2);
        EXPECT_EQ(ListText(dialog, 0), dialog.ListLines()[0].name_);
        EXPECT_EQ(MenuText(dialog.MainMenu(), ID_OVERLAY_OPEN), "Ny mall");
        EXPECT_TRUE(Grayed(dialog.MainMenu(), ID_EDIT_DELETE_SELECTION));
        EXPECT_TRUE(Grayed(dialog.MainMenu(), ID_SET_LOAD_KEYBOARD));

        ASSERT_TRUE(dialog.SelectSetLine(2));
        ASSERT_EQ(dialog.ListLines().size(), 27u);
        EXPECT_EQ(ListText(dialog, 0), "101 Start");
        EXPECT_EQ(ListText(dialog, 3), "104 Slut");
        EXPECT_TRUE(Grayed(dialog.MainMenu(), ID_SET_LOAD_KEYBOARD));
    });
    EXPECT_EQ(Register("MALLAR"), templates);
    EXPECT_EQ(Register("STANDARDÖVERLÄGG"), standard);
}

TEST_F(MainWindowTest, UsbModelPutsTheCurrentSetFirstAndRepairsAMissingOne)
{
    UseModel("USB");
    WriteProgramSettings("[USB]\r\nCurrentSet=Borta\r\n");
    MakeSet("Alfa", StandardRegister({}).c_str());
    MakeSet("Beta", StandardRegister({}).c_str());
    RunMainWindow([&](CSkarpinDlg& dialog) {
        EXPECT_EQ(dialog.Self().Text(), "Skarpinen USB");
        ASSERT_EQ(dialog.TreeItems().size(), 2u);
        const std::string current = dialog.TreeItems()[0].name_;
        EXPECT_EQ(Value(ProgramSettingsFile(), "USB", "CurrentSet"), current);
        // The start-program settings do not concern the USB keyboard.
        EXPECT_EQ(::GetMenuState(dialog.MainMenu(), ID_START_SETTINGS, MF_BYCOMMAND), static_cast<UINT>(-1));
    });
    WriteProgramSettings("[USB]\r\nCurrentSet=beta\r\n");
    RunMainWindow([&](CSkarpinDlg& dialog) {
        ASSERT_EQ(dialog.TreeItems().size(), 2u);
        EXPECT_EQ(dialog.TreeItems()[0].name_, "Beta");
        EXPECT_EQ(Value(ProgramSettingsFile(), "USB", "CurrentSet"), "beta");
    });
}

TEST_F(MainWindowTest, WithoutSetsOnlyNewSetAndImportStayAvailable)
{
    UseModel("ACCESS");
    RunMainWindow([&](CSkarpinDlg& dialog) {
        EXPECT_EQ(dialog.Self().Text(), "Skarpinen AccessKvora");
        EXPECT_TRUE(dialog.TreeItems().empty());
        EXPECT_TRUE(dialog.ListLines().empty());
        EXPECT_EQ(dialog.SelectedSetName(), "");
        for (UINT command : {ID_OVERLAY_OPEN, ID_EDIT_RENAME_SELECTION, ID_EDIT_COPY_SELECTION, ID_EDIT_DELETE_SELECTION,
                             ID_OVERLAY_EXPORT, ID_SET_LOAD_KEYBOARD, ID_OVERLAY_PRESSURE, ID_OVERLAY_REPETITION,
                             ID_OVERLAY_FEEDBACK})
            EXPECT_TRUE(Grayed(dialog.MainMenu(), command)) << command;
        EXPECT_FALSE(Grayed(dialog.MainMenu(), ID_SET_NEW));
        EXPECT_FALSE(Grayed(dialog.MainMenu(), ID_OVERLAY_IMPORT));
        EXPECT_NE(::GetMenuState(dialog.MainMenu(), ID_IR_CODES, MF_BYCOMMAND), static_cast<UINT>(-1));
    });
}

TEST_F(MainWindowTest, TreeAndListShareTheClientAreaInHalves)
{
    UseModel("PS2");
    RunMainWindow([&](CSkarpinDlg& dialog) {
        RECT client = dialog.Self().ClientRect();
        ::SetWindowPos(dialog.Handle(), nullptr, 0, 0, 501, 300, SWP_NOMOVE | SWP_NOZORDER);
        client = dialog.Self().ClientRect();
        const int half = client.right / 2;
        RECT tree = dialog.Tree().Self().RectInParent();
        RECT list = dialog.List().Self().RectInParent();
        EXPECT_EQ(tree.left, 0);
        EXPECT_EQ(tree.right, half);
        EXPECT_EQ(tree.bottom, client.bottom);
        EXPECT_EQ(list.left, half);
        EXPECT_EQ(list.right, half + half);
    });
}

namespace {

bool ShowsVerticalScrollBar(HWND control)
{
    SCROLLBARINFO info{};
    info.cbSize = sizeof(info);
    return ::GetScrollBarInfo(control, OBJID_VSCROLL, &info) && (info.rgstate[0] & STATE_SYSTEM_INVISIBLE) == 0;
}

} // namespace

// The controls are laid out before the window shows: they must still fill the maximised window.
TEST_F(MainWindowTest, OpensWithTreeAndListInHalvesOfTheMaximisedWindow)
{
    UseModel("USB");
    RunMainWindow([&](CSkarpinDlg& dialog) {
        ASSERT_TRUE(::IsZoomed(dialog.Handle()));
        const RECT client = dialog.Self().ClientRect();
        const int half = client.right / 2;
        const RECT tree = dialog.Tree().Self().RectInParent();
        const RECT list = dialog.List().Self().RectInParent();
        EXPECT_EQ(tree.left, 0);
        EXPECT_EQ(tree.right, half);
        EXPECT_EQ(tree.bottom, client.bottom);
        EXPECT_EQ(list.left, half);
        EXPECT_EQ(list.right, half + half);
        EXPECT_EQ(list.bottom, client.bottom);
        EXPECT_TRUE(ShowsVerticalScrollBar(dialog.Tree().Handle()));
        EXPECT_TRUE(ShowsVerticalScrollBar(dialog.List().Handle()));
    });
}

TEST_F(MainWindowTest, OpensMaximisedWithItsCaptionInSight)
{
    UseModel("USB");
    RunMainWindow([&](CSkarpinDlg& dialog) {
        ExpectMaximisedInSight(dialog.Handle());
        testsupport::Snapshot(dialog.Handle(), "main_window");
    });
}

TEST_F(MainWindowTest, EnterDoesNotCloseTheMainWindow)
{
    UseModel("PS2");
    RunMainWindow([&](CSkarpinDlg& dialog) {
        dialog.Self().Send(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        EXPECT_TRUE(::IsWindowVisible(dialog.Handle()));
    });
}

TEST(SkarpinStartTest, ASecondStartFindsTheFirstByAnyOfItsThreeCaptions)
{
    CSkarpinApp application;
    ASSERT_EQ(CSkarpinApp::FindRunningInstance(), nullptr);
    EXPECT_TRUE(application.InitApplication());
    for (const char* caption : {"Skarpinen PS/2", "Skarpinen USB", "Skarpinen AccessKvora"}) {
        SCOPED_TRACE(caption);
        // Any window of that caption counts, whatever its class or program.
        HWND running = ::CreateWindowExA(0, "STATIC", caption, WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr,
                                         nullptr, nullptr);
        EXPECT_EQ(CSkarpinApp::FindRunningInstance(), running);
        EXPECT_FALSE(application.InitApplication());
        EXPECT_EQ(::GetForegroundWindow(), running);
        ::DestroyWindow(running);
    }
    HWND other = ::CreateWindowExA(0, "STATIC", "Skarpinen", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr, nullptr, nullptr);
    EXPECT_TRUE(application.InitApplication());
    ::DestroyWindow(other);
}

} // namespace
