// Opening and closing the overlay editor from the main window, with a stand-in editor made by the
// factory the main window is given: what the editor is handed, the template question, the one editor
// at a time, its closing message and the main window's size passed on.
#include "MainWindowFixture.h"
#include "framework/Files.h"
#include "framework/Prompt.h"
#include "skarpin/resource.h"
#include "support/DialogDriver.h"
#include <gtest/gtest.h>
#include <tuple>

using testsupport::Click;
using testsupport::OnNextDialog;

namespace {

struct EditorLog {
    int made = 0;
    int deleted = 0;
    OverlayEditorRequest request;
    std::vector<std::tuple<UINT, int, int>> sizes;
    std::string savedName; // the name the editor last saved its overlay under, empty when none
};

// A window that stands for the editor and notes what the main window does with it.
class StandInEditor : public OverlayEditor {
public:
    StandInEditor(EditorLog& log, const OverlayEditorRequest& request) : log_(log), request_(request)
    {
        HWND parent = request.mainWindow;
        window_ = ::CreateWindowExA(0, "STATIC", "Överlägg", WS_POPUP | WS_VISIBLE, 10, 10, 200, 100, parent, nullptr,
                                    ::GetModuleHandleA(nullptr), nullptr);
    }
    ~StandInEditor() override
    {
        ++log_.deleted;
        ::DestroyWindow(window_);
    }
    HWND Window() const override { return window_; }
    void OnSize(UINT type, int width, int height) override { log_.sizes.emplace_back(type, width, height); }
    bool QueryClose() override { return true; }
    OpenedOverlay Opened() const override
    {
        return {request_.setName, request_.number, log_.savedName.empty() ? request_.overlayName : log_.savedName};
    }

private:
    EditorLog& log_;
    OverlayEditorRequest request_;
    HWND window_ = nullptr;
};

class OverlayEditorSeamTest : public testing::Test, public MainWindowFixture {
protected:
    OverlayEditorSeamTest()
    {
        UseModel("PS2");
        MakeSet("Skola", StandardRegister({{1, "Bil"}, {3, "Äpple"}}).c_str(), {"Bil", "Äpple"});
        MakeSet("Mallar", StandardRegister({}).c_str(), {"Tom"});
        MakeSet("Standardöverlägg", StandardRegister({{101, "Start"}}).c_str(), {"Start"});
        fw::SetBeepHandler([this] { ++beeps_; });
    }

    OverlayEditorFactory Factory()
    {
        return [this](const OverlayEditorRequest& request) {
            ++log_.made;
            log_.request = request;
            log_.savedName.clear();
            return std::make_unique<StandInEditor>(log_, request);
        };
    }

    static void PressEnter(CSkarpinDlg& dialog) { dialog.Self().Send(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0); }

    // Chooses the line of the set and presses Enter, which opens it.
    void OpenLine(CSkarpinDlg& dialog, const std::string& set, int line)
    {
        SelectSet(dialog, set);
        SelectLines(dialog, {line});
        PressEnter(dialog);
    }

    static LRESULT EditorCloses(CSkarpinDlg& dialog)
    {
        return dialog.Self().Send(OverlayEditor::kClosedMessage, 0, 0);
    }

    EditorLog log_;
    int beeps_ = 0;
};

} // namespace

TEST_F(OverlayEditorSeamTest, OpensTheChosenOverlayAndOnlyOneEditorAtATime)
{
    RunMainWindow(
        [&](CSkarpinDlg& dialog) {
            OpenLine(dialog, "Skola", 2);
            ASSERT_EQ(log_.made, 1);
            EXPECT_EQ(log_.request.mainWindow, dialog.Handle());
            EXPECT_EQ(log_.request.fileIO, &dialog.Configuration());
            EXPECT_NE(log_.request.printOptions, nullptr);
            EXPECT_EQ(log_.request.setName, "Skola");
            EXPECT_EQ(log_.request.number, 3);
            EXPECT_EQ(log_.request.overlayName, "Äpple");
            EXPECT_EQ(log_.request.templateName, "");
            EXPECT_EQ(log_.request.readOnly, 0);
            ASSERT_NE(dialog.Editor(), nullptr);
            EXPECT_EQ(dialog.OverlayEditorWindow(), dialog.Editor()->Window());

            // A second opening, by double click or menu: a beep, and the open editor stays the one.
            dialog.Self().Send(WM_COMMAND, MAKEWPARAM(IDC_OVERLAY_LIST, LBN_DBLCLK),
                               reinterpret_cast<LPARAM>(dialog.List().Handle()));
            Command(dialog, ID_OVERLAY_MENU_OPEN);
            EXPECT_EQ(log_.made, 1);
            EXPECT_EQ(beeps_, 2);

            // The main window's new size is the editor's too; a minimised window is none.
            dialog.Self().Send(WM_SIZE, SIZE_RESTORED, MAKELPARAM(640, 480));
            dialog.Self().Send(WM_SIZE, SIZE_MINIMIZED, 0);
            EXPECT_EQ(log_.sizes, (std::vector<std::tuple<UINT, int, int>>{{SIZE_RESTORED, 640, 480}}));
        },
        Factory());
    // The main window's tear-down deletes an editor left open.
    EXPECT_EQ(log_.deleted, 1);
}

// The editor reports the overlay it was opened on; its closing message makes the main window read
// the set's register again and show that line as the register holds it.
TEST_F(OverlayEditorSeamTest, ClosingShowsTheOpenedLineAsTheRegisterHoldsItAndDeletesTheEditorAfterItsCall)
{
    RunMainWindow(
        [&](CSkarpinDlg& dialog) {
            OpenLine(dialog, "Skola", 2);
            ASSERT_EQ(log_.made, 1);
            // Saved under a new name: the register and the file are the editor's save.
            ASSERT_TRUE(::MoveFileA(OverlayPath("Skola", "Äpple").c_str(), OverlayPath("Skola", "Päron").c_str()));
            MakeSet("Skola", StandardRegister({{1, "Bil"}, {3, "Päron"}}).c_str());
            log_.savedName = "Päron";
            EXPECT_EQ(EditorCloses(dialog), 1);
            EXPECT_EQ(ListText(dialog, 2), "3 Päron");
            EXPECT_EQ(dialog.ListLines()[2].name_, "Päron");
            EXPECT_EQ(dialog.SelectedOverlayName(), "Päron");
            EXPECT_EQ(fw::ListBox(dialog.List().Handle()).SelectedIndexes(), std::vector<int>{2});
            EXPECT_EQ(dialog.Editor(), nullptr);
            EXPECT_EQ(dialog.OverlayEditorWindow(), nullptr);
            // Deleted once the message that closed it has returned, not within it.
            EXPECT_EQ(log_.deleted, 0);
            EXPECT_TRUE(testsupport::PumpUntil([&] { return log_.deleted == 1; }));

            // A name the register does not hold is never written into a line.
            SelectLines(dialog, {0});
            PressEnter(dialog);
            ASSERT_EQ(log_.made, 2);
            log_.savedName = "Buss";
            EXPECT_EQ(EditorCloses(dialog), 1);
            EXPECT_EQ(ListText(dialog, 0), "1 Bil");
            EXPECT_EQ(dialog.SelectedOverlayName(), "Bil");

            // A message with no editor open changes nothing.
            SelectLines(dialog, {1});
            EXPECT_EQ(EditorCloses(dialog), 1);
            EXPECT_EQ(fw::ListBox(dialog.List().Handle()).SelectedIndexes(), std::vector<int>{1});
        },
        Factory());
    EXPECT_EQ(log_.deleted, 2);
}

TEST_F(OverlayEditorSeamTest, AnEmptyNumberAsksForATemplateWhenTheSettingSaysSo)
{
    WriteProgramSettings("[Settings]\r\nShowTemplateDlg=1\r\n");
    RunMainWindow(
        [&](CSkarpinDlg& dialog) {
            SelectSet(dialog, "Skola");
            SelectLines(dialog, {1});
            OnNextDialog([](fw::Dialog& shown) {
                EXPECT_EQ(static_cast<UINT>(IDD_TEMPLATE), shown.TemplateId());
                Click(shown, IDCANCEL);
            });
            PressEnter(dialog);
            EXPECT_EQ(log_.made, 0);

            OnNextDialog([](fw::Dialog& shown) {
                testsupport::SelectList(shown, IDC_NAME_LIST, 1);
                PressOk(shown);
            });
            PressEnter(dialog);
            ASSERT_EQ(log_.made, 1);
            EXPECT_EQ(log_.request.templateName, "Tom");
            EXPECT_EQ(log_.request.number, 2);
            EXPECT_EQ(log_.request.overlayName, "");
        },
        Factory());

    WriteProgramSettings("[Settings]\r\nShowTemplateDlg=0\r\n");
    RunMainWindow(
        [&](CSkarpinDlg& dialog) {
            SelectLines(dialog, {1});
            PressEnter(dialog);
            EXPECT_EQ(log_.made, 2);
            EXPECT_EQ(log_.request.templateName, "");
        },
        Factory());
}

// "Ny mall" opens an empty new template, whatever line is chosen, without asking for a template.
TEST_F(OverlayEditorSeamTest, NewTemplateAndTheStandardOverlayNumbers)
{
    WriteProgramSettings("[Settings]\r\nShowTemplates=1\r\nShowStandardOverlays=1\r\n");
    RunMainWindow(
        [&](CSkarpinDlg& dialog) {
            SelectSet(dialog, "Mallar");
            SelectLines(dialog, {0});
            Command(dialog, ID_OVERLAY_OPEN);
            ASSERT_EQ(log_.made, 1);
            EXPECT_EQ(log_.request.setName, "Mallar");
            EXPECT_EQ(log_.request.overlayName, "");
            EXPECT_EQ(log_.request.number, 1);
            EXPECT_EQ(EditorCloses(dialog), 1);

            SelectSet(dialog, "Standardöverlägg");
            SelectLines(dialog, {0});
            Command(dialog, ID_OVERLAY_MENU_OPEN);
            ASSERT_EQ(log_.made, 2);
            EXPECT_EQ(log_.request.number, 101);
            EXPECT_EQ(log_.request.overlayName, "Start");
        },
        Factory());
}

// In the templates set the lines stand in the order of the names: after closing, the list is read
// again and the chosen line is the saved template's, whatever line the editor was opened from; a
// new template never saved leaves the line that was chosen, with its own name. Enter then opens
// the template on the chosen line, and the menus say so.
TEST_F(OverlayEditorSeamTest, InTheTemplatesSetTheLineFollowsTheSavedTemplate)
{
    WriteProgramSettings("[Settings]\r\nShowTemplates=1\r\nShowTemplateDlg=0\r\n");
    MakeOverlay("Mallar", "Bok");
    const struct {
        const char* saved;  // the new template's name, empty when it is not saved
        int line;           // the chosen line afterwards
        std::vector<std::string> names;
    } cases[] = {
        {"", 1, {"Bok", "Tom"}},
        {"Apa", 0, {"Apa", "Bok", "Tom"}},
    };
    RunMainWindow(
        [&](CSkarpinDlg& dialog) {
            for (const auto& c : cases) {
                SelectSet(dialog, "Mallar");
                SelectLines(dialog, {1});
                Command(dialog, ID_OVERLAY_OPEN);
                ASSERT_NE(dialog.Editor(), nullptr) << c.saved;
                EXPECT_EQ(log_.request.overlayName, "") << c.saved;
                if (*c.saved != '\0') {
                    MakeOverlay("Mallar", c.saved);
                    log_.savedName = c.saved;
                }
                EXPECT_EQ(EditorCloses(dialog), 1);

                std::vector<std::string> names;
                for (const SetItem& line : dialog.ListLines())
                    names.push_back(line.name_);
                EXPECT_EQ(names, c.names) << c.saved;
                EXPECT_EQ(fw::ListBox(dialog.List().Handle()).SelectedIndexes(), std::vector<int>{c.line}) << c.saved;
                EXPECT_EQ(static_cast<int>(dialog.List().Self().Send(LB_GETCARETINDEX)), c.line) << c.saved;
                EXPECT_EQ(dialog.SelectedOverlayName(), c.names[static_cast<size_t>(c.line)]) << c.saved;
                EXPECT_EQ(MenuText(dialog.OverlayMenu(), ID_OVERLAY_MENU_OPEN), "Öppna mall") << c.saved;
                EXPECT_FALSE(Grayed(dialog.MainMenu(), ID_EDIT_COPY_SELECTION)) << c.saved;

                Command(dialog, ID_OVERLAY_MENU_OPEN);
                EXPECT_EQ(log_.request.overlayName, c.names[static_cast<size_t>(c.line)]) << c.saved;
                EXPECT_EQ(EditorCloses(dialog), 1);
            }
        },
        Factory());
}

// While an editor is open, what would choose another set or line is refused as the commands that
// change files are: the commands that fill the tree anew, and the list's own keys. Each beeps,
// opens nothing, and the set and the line stay.
TEST_F(OverlayEditorSeamTest, WhatWouldChooseAnotherSetOrLineIsRefusedWhileAnEditorIsOpen)
{
    WriteProgramSettings("[Settings]\r\nShowTemplates=0\r\nShowStandardOverlays=0\r\n");
    const std::string settingsBefore = Read(ProgramSettingsFile());
    RunMainWindow(
        [&](CSkarpinDlg& dialog) {
            OpenLine(dialog, "Skola", 0);
            ASSERT_NE(dialog.Editor(), nullptr);
            const std::vector<std::string> tree = TreeNames(dialog);
            const int before = beeps_;
            for (int id : {ID_SET_NEW, ID_SET_IMPORT_OLD, ID_OVERLAY_IMPORT, ID_KEYBOARD_MODEL,
                           ID_SHOW_STANDARD_OVERLAYS, ID_SHOW_TEMPLATES, ID_SET_LOAD_KEYBOARD})
                Command(dialog, id);
            for (WPARAM key : {VK_DOWN, VK_END, VK_NEXT, VK_SPACE})
                dialog.List().Self().Send(WM_KEYDOWN, key, 0);
            dialog.List().Self().Send(WM_CHAR, 'A', 0);
            EXPECT_EQ(before + 12, beeps_);
            EXPECT_NE(dialog.Editor(), nullptr);
            EXPECT_EQ(TreeNames(dialog), tree);
            EXPECT_EQ(dialog.SelectedSetName(), "Skola");
            EXPECT_EQ(fw::ListBox(dialog.List().Handle()).SelectedIndexes(), std::vector<int>{0});
            EXPECT_EQ(static_cast<int>(dialog.List().Self().Send(LB_GETCARETINDEX)), 0);
            EXPECT_EQ(dialog.SelectedOverlayName(), "Bil");
        },
        Factory());
    EXPECT_EQ(settingsBefore, Read(ProgramSettingsFile()));
}

// Until the editor is part of the program, opening shows nothing and nothing breaks.
TEST_F(OverlayEditorSeamTest, WithoutAFactoryOpeningShowsNothing)
{
    RunMainWindow([&](CSkarpinDlg& dialog) {
        SelectSet(dialog, "Skola");
        SelectLines(dialog, {0});
        PressEnter(dialog);
        EXPECT_EQ(dialog.Editor(), nullptr);
        EXPECT_EQ(beeps_, 0);
        EXPECT_TRUE(::IsWindowVisible(dialog.Handle()));
    });
}

// While an editor is open, a command that would change a set or an overlay is refused the same way
// whichever way it comes: the Delete key in the list or the tree, or the menu reached by the
// keyboard. Each beeps, asks nothing, and every file stays.
TEST_F(OverlayEditorSeamTest, KeyboardCommandsThatChangeFilesAreRefusedWhileAnEditorIsOpen)
{
    const std::string registerBefore = Register("Skola");
    const std::string overlayBefore = Read(OverlayPath("Skola", "Bil"));
    RunMainWindow(
        [&](CSkarpinDlg& dialog) {
            OpenLine(dialog, "Skola", 0);
            ASSERT_NE(dialog.Editor(), nullptr);
            const int before = beeps_;
            dialog.List().Self().Send(WM_KEYDOWN, VK_DELETE, 0);
            dialog.SetSelectionFocus(0);
            ::SendMessageA(dialog.Tree().Handle(), WM_KEYDOWN, VK_DELETE, 0);
            for (int focus : {0, 1}) {
                dialog.SetSelectionFocus(focus);
                for (int id : {ID_EDIT_DELETE_SELECTION, ID_EDIT_RENAME_SELECTION, ID_EDIT_MOVE_OVERLAYS,
                               ID_EDIT_COPY_SELECTION, ID_CHANGE_PATHS, ID_OVERLAY_PRESSURE, ID_OVERLAY_REPETITION,
                               ID_OVERLAY_FEEDBACK})
                    Command(dialog, id);
            }
            EXPECT_EQ(before + 18, beeps_);
            EXPECT_NE(dialog.Editor(), nullptr);
        },
        Factory());
    EXPECT_TRUE(fw::FileExists(OverlayPath("Skola", "Bil")));
    EXPECT_TRUE(fw::FileExists(OverlayPath("Skola", "Äpple")));
    EXPECT_EQ(registerBefore, Register("Skola"));
    EXPECT_EQ(overlayBefore, Read(OverlayPath("Skola", "Bil")));
}
