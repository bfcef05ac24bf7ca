// The overlay editor in a real window, opened from the main window and driven by the messages a
// user's mouse and keys would send: a block made on selected cells, moved, resized and refused,
// saved under a new name and opened again; the keys through the accelerator table, typed cell
// clicks, the three views, the close question, a read-only set and an overlay that cannot be saved
// again as it stands.
#include "CellNames.h"
#include "components/TextSpeaker.h"
#include "editor/EditOverlayDlg.h"
#include "framework/FileReplace.h"
#include "framework/Files.h"
#include "framework/Strings.h"
#include "skarpin/MainWindowFixture.h"
#include "skarpin/resource.h"
#include "support/DialogDriver.h"
#include "support/FakeTextSpeaker.h"
#include "support/ScriptedMessages.h"
#include "support/Snapshot.h"
#include <gtest/gtest.h>
#include <fstream>
#include <stdexcept>

using editortest::Cell;
using editortest::Ranges;
using testsupport::OnNextDialog;
using testsupport::ScriptedMessages;

namespace {

class EditorWindowTest : public testing::Test, public MainWindowFixture {
protected:
    EditorWindowTest()
    {
        UseModel("PS2");
        WriteProgramSettings("[Settings]\r\nShowTemplateDlg=0\r\n");
        MakeSet("Skola", StandardRegister({{1, "Bil"}}).c_str());
        std::string name = "Bil";
        Block key;
        key.cells_ = {RECT{0, 0, 2, 1}};
        key.text_ = "Bil";
        key.command_ = "bil<Return>";
        key.backColor_ = RGB(255, 255, 160);
        key.frameWidth_ = 2;
        Block other;
        other.cells_ = {RECT{5, 3, 6, 3}, RECT{5, 4, 5, 4}};
        other.text_ = "Hus";
        other.command_ = "<Paus0.5>hus";
        other.backColor_ = RGB(160, 220, 255);
        Block background;
        background.cells_ = {RECT{0, 6, 15, 7}};
        background.backColor_ = RGB(200, 255, 200);
        background.text_ = "Bakgrund";
        EXPECT_EQ(FileIO::kSaved, Io().SaveOverlay(name, 1, "Skola", {key, other}, {background}, KeyboardSettings()));
    }

    static EditOverlayDlg& Editor(CSkarpinDlg& dialog)
    {
        EditOverlayDlg* editor = dynamic_cast<EditOverlayDlg*>(dialog.Editor());
        if (editor == nullptr)
            throw std::runtime_error("no overlay editor is open");
        fw::PumpMessages();
        return *editor;
    }

    // Opens the overlay of the list line in the editor, as Enter on the line does.
    EditOverlayDlg& Open(CSkarpinDlg& dialog, int line)
    {
        SelectSet(dialog, "Skola");
        SelectLines(dialog, {line});
        ExpectEditor();
        dialog.Self().Send(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        return Editor(dialog);
    }

    // The editor is modeless and driven here directly: it takes the test's dialog script slot as
    // an empty script, so it is not taken for a dialog nobody answers.
    static void ExpectEditor()
    {
        OnNextDialog([](fw::Dialog&) {});
    }

    static LPARAM CentreOf(EditOverlayDlg& editor, const char* cell)
    {
        const RECT rect = editor.Model().Grid().GetCellRect(Cell(cell));
        return MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    }

    static void ClickAt(EditOverlayDlg& editor, LPARAM point, WPARAM keys = 0)
    {
        editor.Self().Send(WM_LBUTTONDOWN, MK_LBUTTON | keys, point);
        editor.Self().Send(WM_LBUTTONUP, keys, point);
    }
    static void Click(EditOverlayDlg& editor, const char* cell, WPARAM keys = 0)
    {
        ClickAt(editor, CentreOf(editor, cell), keys);
    }

    // Presses on the first point, moves through the others with the button held, releases on the last.
    static void Drag(EditOverlayDlg& editor, std::vector<LPARAM> points, WPARAM keys = 0)
    {
        editor.Self().Send(WM_MOUSEMOVE, keys, points.front());
        editor.Self().Send(WM_LBUTTONDOWN, MK_LBUTTON | keys, points.front());
        for (LPARAM point : points)
            editor.Self().Send(WM_MOUSEMOVE, MK_LBUTTON | keys, point);
        editor.Self().Send(WM_LBUTTONUP, keys, points.back());
    }

    // A key as the message loop meets it: the accelerator table translates it.
    static void Key(EditOverlayDlg& editor, UINT key)
    {
        editor.Self().Post(WM_KEYDOWN, key, 0);
        fw::PumpMessages();
    }
    static void Type(EditOverlayDlg& editor, const std::string& text)
    {
        for (char c : text)
            editor.Self().Post(WM_CHAR, static_cast<unsigned char>(c), 0);
        fw::PumpMessages();
    }

    static void Command(EditOverlayDlg& editor, int id)
    {
        editor.Self().Send(WM_COMMAND, MAKEWPARAM(id, 0), 0);
    }

    static std::string Title(EditOverlayDlg& editor) { return editor.Self().Text(); }

    // Define through the real dialog of the view: the control takes the text and OK is pressed.
    static void DefineInDialog(EditOverlayDlg& editor, UINT templateId, int control, const std::string& text)
    {
        OnNextDialog([=](fw::Dialog& define) {
            EXPECT_EQ(templateId, define.TemplateId());
            testsupport::SetText(define.Handle(), control, text);
            testsupport::Click(define.Handle(), IDOK);
        });
        Command(editor, ID_EDITOR_DEFINE);
    }

    // What the block dialog does on OK: the new block on the selected cells, with these values.
    // The editor of a new overlay on number 1 of the set, opened as the main window opens it.
    std::unique_ptr<OverlayEditor> OpenNewOverlay(const std::string& set)
    {
        OverlayEditorRequest request;
        request.fileIO = &Io();
        request.setName = set;
        request.number = 1;
        request.screenRect = RECT{0, 0, 800, 600};
        ExpectEditor();
        std::unique_ptr<OverlayEditor> opened = EditOverlayDlg::Factory()(request);
        fw::PumpMessages();
        return opened;
    }

    static void DefineAsTheDialogWould(EditOverlayDlg& editor, const std::string& text, const std::string& command)
    {
        Block edited;
        ASSERT_EQ(1, editor.Model().BeginDefine(edited));
        edited.text_ = text;
        edited.command_ = command;
        edited.backColor_ = RGB(255, 200, 200);
        editor.Model().CommitDefine(edited);
    }
};

// Every file is written but one that carries the AccessKvora flag: the flag cannot be.
fw::ByteWriter g_realWriter = nullptr;
bool RefuseTheFlag(HANDLE file, const std::string& bytes)
{
    return bytes.find("AccessKvora=") == std::string::npos && g_realWriter(file, bytes);
}

} // namespace

TEST_F(EditorWindowTest, ABlockMadeWithTheMouseIsSavedAndOpensAgain)
{
    RunMainWindow(
        [&](CSkarpinDlg& dialog) {
            EditOverlayDlg& editor = Open(dialog, 1);  // number 2: no overlay yet
            EXPECT_TRUE(editor.IsNewOverlay());
            EXPECT_EQ("Skola : <2>", Title(editor));
            EXPECT_TRUE(Grayed(editor.Menu(), ID_EDITOR_UNDO));
            EXPECT_EQ("&Ny knapp...\tF12", MenuText(editor.Menu(), ID_EDITOR_DEFINE));
            EXPECT_TRUE(Grayed(editor.Menu(), ID_EDITOR_DEFINE));

            // Four cells chosen by clicks, the last two with shift as a span.
            Click(editor, "B2");
            Click(editor, "C2");
            Click(editor, "C3", MK_SHIFT);
            EXPECT_FALSE(Grayed(editor.Menu(), ID_EDITOR_DEFINE));
            std::vector<RECT> ranges;
            EXPECT_EQ(1, editor.Model().Grid().BuildBlockRects(ranges));
            DefineAsTheDialogWould(editor, "Tåg", "tåg<Return>");
            ASSERT_EQ(1u, editor.Model().Keys().size());
            EXPECT_EQ("(1,1,2,2)", Ranges(editor.Model().Keys()[0].cells_));

            // Moved two columns right by dragging it from B2 to D2.
            Drag(editor, {CentreOf(editor, "B2"), CentreOf(editor, "C2"), CentreOf(editor, "D2")});
            EXPECT_EQ("(3,1,4,2)", Ranges(editor.Model().Keys()[0].cells_));
            EXPECT_EQ("Ångra Flytta\tCtrl+Z", MenuText(editor.Menu(), ID_EDITOR_UNDO));

            // Resized by its right edge: the pointer on the edge band, then one cell further.
            const RECT e2 = editor.Model().Grid().GetCellRect(Cell("E2"));
            const LPARAM edge = MAKELPARAM(e2.right - 3, (e2.top + e2.bottom) / 2);
            Drag(editor, {edge, CentreOf(editor, "F2")});
            EXPECT_EQ("(3,1,5,2)", Ranges(editor.Model().Keys()[0].cells_));
            EXPECT_EQ("Ångra Ändra storlek\tCtrl+Z", MenuText(editor.Menu(), ID_EDITOR_UNDO));

            // A copy dragged with Ctrl onto itself is refused and adds nothing.
            {
                ScriptedMessages messages;
                messages.Expect(IDS_EDITOR_CANNOT_PLACE);
                Drag(editor, {CentreOf(editor, "D2"), CentreOf(editor, "D3")}, MK_CONTROL);
                ASSERT_EQ(1u, messages.Shown().size());
                EXPECT_EQ("Kopiera knapp", messages.Shown()[0].caption);
            }
            EXPECT_EQ(1u, editor.Model().Keys().size());

            // Saved under the name the save dialog asks for.
            OnNextDialog([](fw::Dialog& shown) {
                EXPECT_EQ(static_cast<UINT>(IDD_SAVE_OVERLAY), shown.TemplateId());
                shown.SetItemText(IDC_NAME_EDIT, "Tåg");
                PressOk(shown);
            });
            Command(editor, ID_EDITOR_SAVE);
            EXPECT_FALSE(editor.IsNewOverlay());
            EXPECT_FALSE(editor.Model().IsModified());
            EXPECT_EQ("Skola : Tåg", Title(editor));

            // Esc closes it without a question; the main window shows the new name on the line.
            Key(editor, VK_ESCAPE);
            EXPECT_EQ(nullptr, dialog.Editor());
            EXPECT_EQ("2 Tåg", ListText(dialog, 1));
            EXPECT_EQ("Tåg", dialog.SelectedOverlayName());

            EditOverlayDlg& again = Open(dialog, 1);
            EXPECT_EQ("Skola : Tåg", Title(again));
            ASSERT_EQ(1u, again.Model().Keys().size());
            EXPECT_EQ("(3,1,5,2)", Ranges(again.Model().Keys()[0].cells_));
            EXPECT_EQ("Tåg", again.Model().Keys()[0].text_);
            EXPECT_EQ("tåg<Return>", again.Model().Keys()[0].command_);
            Command(again, ID_EDITOR_CLOSE);
            EXPECT_EQ(nullptr, dialog.Editor());
        },
        EditOverlayDlg::Factory());
}

TEST_F(EditorWindowTest, KeysGoThroughTheAcceleratorsAndTypedCellsClick)
{
    RunMainWindow(
        [&](CSkarpinDlg& dialog) {
            EditOverlayDlg& editor = Open(dialog, 0);
            EXPECT_EQ("Skola : Bil", Title(editor));
            // The editor takes the main window's place, its caption in sight as the main window's.
            ExpectMaximisedInSight(editor.Handle());

            // Insert places the marker, the arrows move it, Enter clicks its cell.
            int beeps = 0;
            fw::SetBeepHandler([&] { ++beeps; });
            Key(editor, VK_INSERT);
            EXPECT_EQ(0, editor.Model().Marker());
            Key(editor, VK_LEFT);
            EXPECT_EQ(1, beeps);
            Key(editor, VK_DOWN);
            Key(editor, VK_RIGHT);
            EXPECT_EQ(17, editor.Model().Marker());
            testsupport::Snapshot(editor.Handle(), "editor_marker_on_a_block");
            Key(editor, VK_RETURN);
            EXPECT_EQ(0, editor.Model().Selected());  // B2 lies in "Bil"
            EXPECT_EQ("&Ändra knapp...\tF12", MenuText(editor.Menu(), ID_EDITOR_DEFINE));

            // Del asks first; Cancel keeps the block.
            {
                ScriptedMessages messages;
                messages.Expect(IDS_EDITOR_DELETE_QUESTION, IDCANCEL);
                Key(editor, VK_DELETE);
            }
            EXPECT_EQ(2u, editor.Model().Keys().size());

            // "$n$" typed clicks cell n; a number outside the grid does nothing.
            Type(editor, "$84$");  // E6, free
            EXPECT_EQ(-1, editor.Model().Selected());
            EXPECT_TRUE(editor.Model().Grid().IsCellSelected(84));
            Type(editor, "$200$");
            EXPECT_EQ(84, editor.Model().Grid().FirstSelectedFreeCell());
            Type(editor, "$53$");  // F4 lies in "Hus"
            EXPECT_EQ(1, editor.Model().Selected());

            // Changed and closed with Esc: the save question; No closes without saving.
            Command(editor, ID_EDITOR_CUT);
            EXPECT_EQ(1u, editor.Model().Keys().size());
            ScriptedMessages messages;
            messages.Expect(IDS_EDITOR_SAVE_QUESTION, IDCANCEL);
            Key(editor, VK_ESCAPE);
            EXPECT_NE(nullptr, dialog.Editor());
            messages.Expect(IDS_EDITOR_SAVE_QUESTION, IDNO);
            Key(editor, VK_ESCAPE);
            EXPECT_EQ(nullptr, dialog.Editor());
        },
        EditOverlayDlg::Factory());
    std::vector<Block> keys, background;
    KeyboardSettings settings;
    Io().LoadOverlay(OverlayPath("Skola", "Bil"), keys, background, settings);
    EXPECT_EQ(2u, keys.size());
}

TEST_F(EditorWindowTest, TheThreeViews)
{
    RunMainWindow(
        [&](CSkarpinDlg& dialog) {
            EditOverlayDlg& editor = Open(dialog, 0);
            Click(editor, "B1");
            testsupport::Snapshot(editor.Handle(), "editor_layout_view");

            Command(editor, ID_EDITOR_VIEW_COMMAND);
            EXPECT_EQ("Skola : Bil   **** KOMMANDO ****", Title(editor));
            EXPECT_EQ(0, editor.Model().Selected());  // the keys are still edited
            testsupport::Snapshot(editor.Handle(), "editor_command_view");

            Command(editor, ID_EDITOR_VIEW_BACKGROUND);
            EXPECT_EQ("Skola : Bil   **** BAKGRUND ****", Title(editor));
            EXPECT_EQ(-1, editor.Model().Selected());
            EXPECT_EQ("&Ny bakgrundsbild...\tF12", MenuText(editor.Menu(), ID_EDITOR_DEFINE));
            Click(editor, "A8");
            EXPECT_EQ(0, editor.Model().Selected());
            EXPECT_EQ("&Ändra bakgrundsbild...\tF12", MenuText(editor.Menu(), ID_EDITOR_DEFINE));
            testsupport::Snapshot(editor.Handle(), "editor_background_view");

            // A background block deleted, then undone from the layout view: it goes back into the
            // background, and the background view is shown again.
            {
                ScriptedMessages messages;
                messages.Expect(IDS_EDITOR_DELETE_QUESTION, IDOK);
                Command(editor, ID_EDITOR_DELETE);
            }
            EXPECT_TRUE(editor.Model().Background().empty());
            Command(editor, ID_EDITOR_VIEW_LAYOUT);
            EXPECT_EQ("Skola : Bil", Title(editor));
            Command(editor, ID_EDITOR_UNDO);
            EXPECT_EQ(1u, editor.Model().Background().size());
            EXPECT_EQ(2u, editor.Model().Keys().size());
            EXPECT_EQ(OverlayEditModel::kBackgroundView, editor.Model().GetView());

            // A window narrower than the grid still has cells of a pixel.
            ::ShowWindow(editor.Handle(), SW_RESTORE);
            ::SetWindowPos(editor.Handle(), nullptr, 0, 0, 30, 30, SWP_NOZORDER | SWP_NOMOVE);
            fw::PumpMessages();
            const RECT cell = editor.Model().Grid().GetCellRect(0);
            EXPECT_GE(cell.right - cell.left, 1);
            EXPECT_GE(cell.bottom - cell.top, 1);

            ScriptedMessages messages;
            messages.Expect(IDS_EDITOR_SAVE_QUESTION, IDNO);
            Command(editor, ID_EDITOR_CLOSE);
        },
        EditOverlayDlg::Factory());
}

// The editor alone, without a main window: a read-only set, and an overlay it cannot write back.
TEST_F(EditorWindowTest, ReadOnlySetSaysWhyItCannotSave)
{
    std::string name = "Bil";
    OverlayEditorRequest request;
    request.fileIO = &Io();
    request.setName = "Skola";
    request.overlayName = name;
    request.number = 1;
    request.readOnly = 1;
    request.screenRect = RECT{0, 0, 800, 600};
    ExpectEditor();
    std::unique_ptr<OverlayEditor> made = EditOverlayDlg::Factory()(request);
    ASSERT_NE(nullptr, made);
    auto& editor = static_cast<EditOverlayDlg&>(*made);
    fw::PumpMessages();
    EXPECT_TRUE(Grayed(editor.Menu(), ID_EDITOR_SAVE));

    Click(editor, "B2");
    Command(editor, ID_EDITOR_CUT);
    ScriptedMessages messages;
    messages.Expect(IDS_EDITOR_READ_ONLY_CLOSE, IDNO);
    EXPECT_FALSE(editor.QueryClose());
    messages.Expect(IDS_EDITOR_READ_ONLY_CLOSE, IDYES);
    EXPECT_TRUE(editor.QueryClose());
}

// A standard overlay is saved like any other, so a change to one is asked about too.
TEST_F(EditorWindowTest, AChangedStandardOverlayAsksToo)
{
    const std::string set = Io().standardOverlaySetName_;
    MakeSet(set, StandardRegister({}).c_str());
    std::string name = "Start";
    Block key;
    key.cells_ = {RECT{0, 0, 0, 0}};
    ASSERT_EQ(FileIO::kSaved, Io().SaveOverlay(name, 101, set, {key}, {}, KeyboardSettings()));
    OverlayEditorRequest request;
    request.fileIO = &Io();
    request.setName = set;
    request.overlayName = name;
    request.number = 101;
    request.screenRect = RECT{0, 0, 800, 600};
    ExpectEditor();
    std::unique_ptr<OverlayEditor> made = EditOverlayDlg::Factory()(request);
    ASSERT_NE(nullptr, made);
    auto& editor = static_cast<EditOverlayDlg&>(*made);
    fw::PumpMessages();
    Click(editor, "A1");
    Command(editor, ID_EDITOR_CUT);
    ScriptedMessages messages;
    messages.Expect(IDS_EDITOR_SAVE_QUESTION, IDYES);
    EXPECT_TRUE(editor.QueryClose());
    std::vector<Block> keys, background;
    KeyboardSettings settings;
    Io().LoadOverlay(OverlayPath(set, "Start"), keys, background, settings);
    EXPECT_TRUE(keys.empty());
}

// The program calls a set a set: no text of it (the string table as built) uses another word.
TEST(SkarpinTexts, ASetIsCalledASetInEveryText)
{
    for (UINT id = 1; id < 0x10000; ++id) {
        char text[4096];
        if (::LoadStringA(fw::ResourceModule(), id, text, sizeof text) <= 0)
            continue;
        EXPECT_EQ(std::string::npos, std::string(text).find("upps\xE4ttning")) << id << ": " << text;
    }
}

TEST_F(EditorWindowTest, AnOverlayThatCannotBeSavedAgainSaysSoWhenItOpens)
{
    // An LF-only file: the command keeps a lone CR that no overlay file can hold.
    std::ofstream(OverlayPath("Skola", "Bil"), std::ios::binary | std::ios::trunc)
        << ("[Version]\nVersion=4.2.0.0\n\n[Data]\nBlock1=1,17,17,0,ab\rcd\n"
            "Layout1=0,,(0,0,0),(0,0,0),(255,255,255),1,,,,0,1,Hej\n");
    RunMainWindow(
        [&](CSkarpinDlg& dialog) {
            ScriptedMessages messages;
            messages.Expect(IDS_EDITOR_UNSTORABLE_ON_OPEN);
            EditOverlayDlg& editor = Open(dialog, 0);
            ASSERT_EQ(1u, messages.Shown().size());
            EXPECT_NE(std::string::npos, messages.Shown()[0].text.find("knapp 1 (B2)"));
            EXPECT_NE(std::string::npos, messages.Shown()[0].text.find("ett kommando"));

            // Saving refuses with the same names, and the editor stays open with the change.
            Click(editor, "E5");
            editor.Model().SetModified(true);
            messages.Expect(IDS_EDITOR_SAVE_QUESTION, IDYES);
            messages.Expect(IDS_EDITOR_UNSTORABLE_ON_SAVE);
            Command(editor, ID_EDITOR_CLOSE);
            EXPECT_NE(nullptr, dialog.Editor());

            // Mended through Define, as the message says: the block dialog on the named block takes
            // a command the file can hold, and the overlay saves and closes.
            Click(editor, "B2");
            DefineInDialog(editor, IDD_DEFINE_BLOCK, IDC_BLOCK_COMMAND, "abcd");
            ASSERT_EQ(1u, editor.Model().Keys().size());
            EXPECT_EQ("abcd", editor.Model().Keys()[0].command_);
            messages.Expect(IDS_EDITOR_SAVE_QUESTION, IDYES);
            Command(editor, ID_EDITOR_CLOSE);
            EXPECT_EQ(nullptr, dialog.Editor());
            EXPECT_NE(std::string::npos, Read(OverlayPath("Skola", "Bil")).find(",abcd\r\n"));
        },
        EditOverlayDlg::Factory());
}

// A file that is there but cannot be read (here held open by another program that lets nobody read
// it) says so, opens read-only, and stays as it was after the other program lets it go: no save
// replaces it with the empty grid.
TEST_F(EditorWindowTest, AnOverlayThatCannotBeReadOpensReadOnlyAndIsNeverReplaced)
{
    const std::string path = OverlayPath("Skola", "Bil");
    const std::string before = Read(path);
    RunMainWindow(
        [&](CSkarpinDlg& dialog) {
            HANDLE held = ::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_DELETE, nullptr, OPEN_EXISTING, 0,
                                        nullptr);
            ASSERT_NE(INVALID_HANDLE_VALUE, held);
            ScriptedMessages messages;
            messages.Expect(IDS_EDITOR_UNREADABLE);
            EditOverlayDlg& editor = Open(dialog, 0);
            ::CloseHandle(held);
            ASSERT_EQ(1u, messages.Shown().size());
            EXPECT_NE(std::string::npos, messages.Shown()[0].text.find("Bil.ini"));
            EXPECT_TRUE(editor.Model().Keys().empty());
            EXPECT_TRUE(Grayed(editor.Menu(), ID_EDITOR_SAVE));
            EXPECT_TRUE(Grayed(editor.Menu(), ID_EDITOR_SAVE_AND_LOAD));

            Click(editor, "E5");
            DefineAsTheDialogWould(editor, "Ny", "ny");
            Command(editor, ID_EDITOR_SAVE);
            Command(editor, ID_EDITOR_SAVE_AND_LOAD);
            messages.Expect(IDS_EDITOR_UNREADABLE_CLOSE, IDNO);
            Command(editor, ID_EDITOR_CLOSE);
            EXPECT_NE(nullptr, dialog.Editor());
            messages.Expect(IDS_EDITOR_UNREADABLE_CLOSE, IDYES);
            Command(editor, ID_EDITOR_CLOSE);
            EXPECT_EQ(nullptr, dialog.Editor());
            EXPECT_EQ("1 Bil", ListText(dialog, 0));
        },
        EditOverlayDlg::Factory());
    EXPECT_EQ(before, Read(path));
}

// A file in another text form is unreadable; one that has gone since the list was read is missing.
// Either opens read-only, says so, and is neither saved nor printed: nothing is written in its place.
TEST_F(EditorWindowTest, AnOverlayInAnotherFormOrGoneOpensReadOnlyAndIsNeitherSavedNorPrinted)
{
    const std::string path = OverlayPath("Skola", "Bil");
    const std::string utf16("\xFF\xFE[\0V\0e\0r\0s\0i\0o\0n\0]\0\r\0\n\0", 22);
    const struct {
        const char* what;
        bool gone;
        UINT opened;
        UINT closing;
    } cases[] = {
        {"UTF-16", false, IDS_EDITOR_UNREADABLE, IDS_EDITOR_UNREADABLE_CLOSE},
        {"gone", true, IDS_EDITOR_MISSING, IDS_EDITOR_READ_ONLY_CLOSE},
    };
    for (const auto& c : cases) {
        RunMainWindow(
            [&](CSkarpinDlg& dialog) {
                SelectSet(dialog, "Skola");
                SelectLines(dialog, {0});
                if (c.gone) {
                    ASSERT_TRUE(::DeleteFileA(path.c_str()));
                } else {
                    std::ofstream(path, std::ios::binary | std::ios::trunc) << utf16;
                }
                ScriptedMessages messages;
                messages.Expect(c.opened);
                ExpectEditor();
                dialog.Self().Send(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
                EditOverlayDlg& editor = Editor(dialog);
                ASSERT_EQ(1u, messages.Shown().size()) << c.what;
                EXPECT_NE(std::string::npos, messages.Shown()[0].text.find("Bil.ini")) << c.what;
                EXPECT_TRUE(Grayed(editor.Menu(), ID_EDITOR_SAVE)) << c.what;

                Click(editor, "E5");
                DefineAsTheDialogWould(editor, "Ny", "ny");
                Command(editor, ID_EDITOR_SAVE);
                messages.Expect(IDS_EDITOR_UNREADABLE_PRINT);
                Command(editor, ID_EDITOR_PRINT);
                messages.Expect(c.closing, IDYES);
                Command(editor, ID_EDITOR_CLOSE);
                EXPECT_EQ(nullptr, dialog.Editor()) << c.what;
            },
            EditOverlayDlg::Factory());
        if (c.gone)
            EXPECT_FALSE(fw::PathExists(path)) << c.what;
        else
            EXPECT_EQ(utf16, Read(path)) << c.what;
    }
}

// A new overlay is not written into a set whose register is there but cannot be read: no register
// could list it, and it would lie beside the set's overlays unseen.
TEST_F(EditorWindowTest, ANewOverlayIsRefusedBySetWhoseRegisterCannotBeRead)
{
    const std::string utf16("\xFF\xFE[\0O\0v\0e\0r\0l\0a\0y\0s\0]\0\r\0\n\0", 26);
    MakeSet("Hem", StandardRegister({}).c_str());
    std::ofstream(RegisterPath("Hem"), std::ios::binary | std::ios::trunc) << utf16;
    std::unique_ptr<OverlayEditor> opened = OpenNewOverlay("Hem");
    ASSERT_NE(nullptr, opened);
    auto& editor = static_cast<EditOverlayDlg&>(*opened);
    Click(editor, "E5");
    DefineAsTheDialogWould(editor, "Sol", "sol");
    OnNextDialog([](fw::Dialog& name) {
        testsupport::SetText(name.Handle(), IDC_NAME_EDIT, "Sol");
        testsupport::Click(name.Handle(), IDOK);
    });
    ScriptedMessages messages;
    messages.Expect(IDS_REGISTER_REFUSED);
    Command(editor, ID_EDITOR_SAVE);
    ASSERT_EQ(1u, messages.Shown().size());
    EXPECT_NE(std::string::npos, messages.Shown()[0].text.find("register.txt"));
    EXPECT_TRUE(editor.Model().IsModified());
    EXPECT_FALSE(fw::PathExists(OverlayPath("Hem", "Sol")));
    EXPECT_EQ(utf16, Read(RegisterPath("Hem")));
    messages.Expect(IDS_EDITOR_SAVE_QUESTION, IDNO);
    Command(editor, ID_EDITOR_CLOSE);
}

// A new template is refused before its name is asked for when the templates set lists no more.
TEST_F(EditorWindowTest, ANewTemplateInAFullTemplatesSetIsRefused)
{
    std::vector<std::string> templates;
    for (int n = 1; n <= 100; ++n)
        templates.push_back("M" + std::to_string(n));
    MakeSet("Mallar", StandardRegister({}).c_str(), templates);
    std::unique_ptr<OverlayEditor> opened = OpenNewOverlay("Mallar");
    ASSERT_NE(nullptr, opened);
    auto& editor = static_cast<EditOverlayDlg&>(*opened);
    Click(editor, "E5");
    DefineAsTheDialogWould(editor, "Ny", "ny");
    ScriptedMessages messages;
    messages.Expect(IDS_EDITOR_TEMPLATES_FULL);
    Command(editor, ID_EDITOR_SAVE);
    EXPECT_TRUE(editor.Model().IsModified());
    EXPECT_EQ(100u, testsupport::TempFolder::FilesIn(SetPath("Mallar")).size() - 1);
    messages.Expect(IDS_EDITOR_SAVE_QUESTION, IDNO);
    Command(editor, ID_EDITOR_CLOSE);
}

// The editor's Open puts another overlay in its place: it loads it, and after closing the main
// window's lines still show what the files hold, the chosen line stays chosen with its own overlay,
// and Enter on it opens that overlay again, not the other one.
TEST_F(EditorWindowTest, OpenLoadsAnotherOverlayAndClosingLeavesTheListAsTheFilesAre)
{
    std::string hus = "Hus";
    Block key;
    key.cells_ = {RECT{7, 7, 7, 7}};
    key.text_ = "Hus";
    ASSERT_EQ(FileIO::kSaved, Io().SaveOverlay(hus, 2, "Skola", {key}, {}, KeyboardSettings()));
    MakeSet("Hem", StandardRegister({}).c_str());
    std::string sol = "Sol";
    ASSERT_EQ(FileIO::kSaved, Io().SaveOverlay(sol, 3, "Hem", {key, key}, {}, KeyboardSettings()));

    struct Case {
        const char* what;
        int line;             // the main window's line the editor is opened on
        std::string set;      // what the editor's Open chooses
        int chosen;
        std::string title;    // the editor's title once it has opened it
        size_t keys;
        std::string selected; // the main window's selected overlay afterwards
    } cases[] = {
        {"another overlay of the set", 0, "Skola", 1, "Skola : Hus", 1, "Bil"},
        {"an overlay of another set", 0, "Hem", 2, "Hem : Sol", 2, "Bil"},
        {"from a new overlay", 2, "Skola", 0, "Skola : Bil", 2, ""},
    };
    RunMainWindow(
        [&](CSkarpinDlg& dialog) {
            for (const Case& c : cases) {
                EditOverlayDlg& editor = Open(dialog, c.line);
                OnNextDialog([&](fw::Dialog& shown) {
                    EXPECT_EQ(static_cast<UINT>(IDD_OPEN_OVERLAY), shown.TemplateId());
                    fw::ComboBox sets = shown.Control<fw::ComboBox>(IDC_NAME_SETS);
                    testsupport::SelectCombo(shown.Handle(), IDC_NAME_SETS, sets.FindExact(c.set));
                    testsupport::SelectList(shown.Handle(), IDC_NAME_LIST, c.chosen);
                    PressOk(shown);
                });
                Command(editor, ID_EDITOR_OPEN);
                EXPECT_EQ(c.title, Title(editor)) << c.what;
                EXPECT_EQ(c.keys, editor.Model().Keys().size()) << c.what;

                Command(editor, ID_EDITOR_CLOSE);
                ASSERT_EQ(nullptr, dialog.Editor()) << c.what;
                EXPECT_EQ("1 Bil", ListText(dialog, 0)) << c.what;
                EXPECT_EQ("2 Hus", ListText(dialog, 1)) << c.what;
                EXPECT_EQ("3 ", ListText(dialog, 2)) << c.what;
                EXPECT_EQ(c.selected, dialog.SelectedOverlayName()) << c.what;
                EXPECT_EQ(c.line, static_cast<int>(dialog.List().Self().Send(LB_GETCARETINDEX))) << c.what;

                EditOverlayDlg& again = Open(dialog, c.line);
                EXPECT_EQ(c.selected, again.OverlayName()) << c.what;
                Command(again, ID_EDITOR_CLOSE);
            }
        },
        EditOverlayDlg::Factory());
}

// While the editor is open, the main window's set and line stay those it was opened on, whatever
// keys reach the main window (the editor minimised with it, the main window restored from the task
// bar, the keyboard in its tree): after closing, the line shows the overlay its set's register
// holds, and Enter and a save reach that overlay under its own number.
TEST_F(EditorWindowTest, TheMainWindowKeepsTheOpenedSetAndLineWhileTheEditorIsOpen)
{
    Block key;
    key.cells_ = {RECT{7, 7, 7, 7}};
    std::string hus = "Hus";
    ASSERT_EQ(FileIO::kSaved, Io().SaveOverlay(hus, 2, "Skola", {key}, {}, KeyboardSettings()));
    MakeSet("Hem", StandardRegister({}).c_str());
    std::string sol = "Sol";
    ASSERT_EQ(FileIO::kSaved, Io().SaveOverlay(sol, 1, "Hem", {key}, {}, KeyboardSettings()));
    const std::string hem = Register("Hem");
    int beeps = 0;
    fw::SetBeepHandler([&] { ++beeps; });
    // A key as the main window's message loop meets it, on the control with the keyboard.
    auto press = [](UINT key) {
        ::PostMessageA(::GetFocus(), WM_KEYDOWN, key, 0);
        fw::PumpMessages();
    };
    const struct {
        const char* what;
        std::vector<UINT> keys;  // from the tree
    } cases[] = {
        {"down in the list", {VK_TAB, VK_DOWN}},
        {"up in the tree", {VK_UP}},
    };
    RunMainWindow(
        [&](CSkarpinDlg& dialog) {
            for (const auto& c : cases) {
                EditOverlayDlg& editor = Open(dialog, 0);
                editor.Self().Send(WM_SYSCOMMAND, SC_MINIMIZE, 0);
                dialog.Self().Send(WM_SYSCOMMAND, SC_RESTORE, 0);
                fw::PumpMessages();
                ::SetFocus(dialog.Tree().Handle());
                ASSERT_EQ(dialog.Tree().Handle(), ::GetFocus()) << c.what;
                const int before = beeps;
                for (UINT key : c.keys)
                    press(key);
                EXPECT_EQ(before + 1, beeps) << c.what;
                EXPECT_EQ("Skola", dialog.SelectedSetName()) << c.what;
                EXPECT_EQ(std::vector<int>{0}, fw::ListBox(dialog.List().Handle()).SelectedIndexes()) << c.what;

                editor.Self().Send(WM_SYSCOMMAND, SC_RESTORE, 0);
                Command(editor, ID_EDITOR_CLOSE);
                ASSERT_EQ(nullptr, dialog.Editor()) << c.what;
                EXPECT_EQ("Skola", dialog.SelectedSetName()) << c.what;
                EXPECT_EQ("1 Bil", ListText(dialog, 0)) << c.what;
                EXPECT_EQ("2 Hus", ListText(dialog, 1)) << c.what;
                EXPECT_EQ("Bil", dialog.SelectedOverlayName()) << c.what;

                ExpectEditor();
                dialog.Self().Send(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
                EditOverlayDlg& again = Editor(dialog);
                EXPECT_EQ("Bil", again.OverlayName()) << c.what;
                EXPECT_EQ(1, again.Number()) << c.what;
                again.Model().SetModified(true);
                Command(again, ID_EDITOR_SAVE);
                Command(again, ID_EDITOR_CLOSE);
                ASSERT_EQ(nullptr, dialog.Editor()) << c.what;
                const std::string skola = Register("Skola");
                EXPECT_NE(std::string::npos, skola.find("\r\n1=Bil\r\n")) << c.what << skola;
                EXPECT_NE(std::string::npos, skola.find("\r\n2=Hus\r\n")) << c.what << skola;
                EXPECT_EQ(std::string::npos, skola.find("\r\n3=")) << c.what << skola;
                EXPECT_EQ(hem, Register("Hem")) << c.what;
            }
        },
        EditOverlayDlg::Factory());
    fw::SetBeepHandler(nullptr);
}

// While the editor shows a dialog of its own only the editor is disabled: closing the main window
// then (Esc, Alt+F4, "Avsluta") is refused, so the block the dialog defines reaches the editor and
// its close question.
TEST_F(EditorWindowTest, TheMainWindowDoesNotCloseWhileTheEditorShowsADialog)
{
    int beeps = 0;
    fw::SetBeepHandler([&] { ++beeps; });
    RunMainWindow(
        [&](CSkarpinDlg& dialog) {
            EditOverlayDlg& editor = Open(dialog, 1);
            Click(editor, "B2");
            OnNextDialog([&](fw::Dialog& define) {
                testsupport::SetText(define.Handle(), IDC_BLOCK_TEXT, "Buss");
                EXPECT_FALSE(::IsWindowEnabled(editor.Handle()));
                dialog.Self().Send(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
                dialog.Self().Send(WM_COMMAND, MAKEWPARAM(ID_APP_EXIT_SKARPIN, 0), 0);
                EXPECT_EQ(FALSE, dialog.Self().Send(WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF));
                EXPECT_TRUE(::IsWindowVisible(dialog.Handle()));
                EXPECT_EQ(3, beeps);
                testsupport::Click(define.Handle(), IDOK);
            });
            Command(editor, ID_EDITOR_DEFINE);
            ASSERT_EQ(1u, editor.Model().Keys().size());
            EXPECT_EQ("Buss", editor.Model().Keys()[0].text_);

            // With the dialog gone, closing asks about the change, and so does the end of the
            // session: Cancel refuses it.
            ScriptedMessages messages;
            messages.Expect(IDS_EDITOR_SAVE_QUESTION, IDCANCEL);
            dialog.Self().Send(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
            EXPECT_TRUE(::IsWindowVisible(dialog.Handle()));
            messages.Expect(IDS_EDITOR_SAVE_QUESTION, IDCANCEL);
            EXPECT_EQ(FALSE, dialog.Self().Send(WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF));
            EXPECT_NE(nullptr, dialog.Editor());
            editor.Model().SetModified(false);
        },
        EditOverlayDlg::Factory());
    fw::SetBeepHandler(nullptr);
}

// "Spara och ladda" stores the overlay before it offers its set to the keyboard; a save that does
// not happen (Cancel in the name dialog of a new overlay) loads nothing.
TEST_F(EditorWindowTest, SaveAndLoadStoresTheOverlayThenOffersItsSet)
{
    RunMainWindow(
        [&](CSkarpinDlg& dialog) {
            EditOverlayDlg& editor = Open(dialog, 0);
            EXPECT_FALSE(Grayed(editor.Menu(), ID_EDITOR_SAVE_AND_LOAD));
            Click(editor, "B2");
            Command(editor, ID_EDITOR_CUT);
            int offered = 0;
            OnNextDialog([&](fw::Dialog& load) {
                ++offered;
                EXPECT_EQ(static_cast<UINT>(IDD_LOAD_KVORA), load.TemplateId());
                std::vector<Block> keys, background;
                KeyboardSettings settings;
                Io().LoadOverlay(OverlayPath("Skola", "Bil"), keys, background, settings);
                ASSERT_EQ(1u, keys.size());
                EXPECT_EQ("Hus", keys[0].text_);
                testsupport::Click(load.Handle(), IDCANCEL);
            });
            Command(editor, ID_EDITOR_SAVE_AND_LOAD);
            EXPECT_EQ(1, offered);
            EXPECT_FALSE(editor.Model().IsModified());
            Command(editor, ID_EDITOR_CLOSE);

            EditOverlayDlg& fresh = Open(dialog, 2);
            Click(fresh, "C3");
            DefineAsTheDialogWould(fresh, "Ny", "ny");
            OnNextDialog([](fw::Dialog& name) {
                EXPECT_EQ(static_cast<UINT>(IDD_SAVE_OVERLAY), name.TemplateId());
                name.EndDialog(IDCANCEL);
            });
            Command(fresh, ID_EDITOR_SAVE_AND_LOAD);
            EXPECT_TRUE(fresh.Model().IsModified());
            EXPECT_FALSE(fw::PathExists(OverlayPath("Skola", "Ny")));
            fresh.Model().SetModified(false);
            Command(fresh, ID_EDITOR_CLOSE);
        },
        EditOverlayDlg::Factory());
}

// The define command opens the block dialog on the selected cells, and the background dialog in the
// background view; an existing block is edited on a copy, so Cancel leaves it. The appearance
// commands work on the selected block the same way, and OK gives one undo.
TEST_F(EditorWindowTest, DefineAndAppearanceCommandsOpenTheirDialogsOnTheSelection)
{
    ::WritePrivateProfileStringA("Defaults", "Font", "Arial", WindowsSettingsFile().c_str());
    RunMainWindow(
        [&](CSkarpinDlg& dialog) {
            EditOverlayDlg& editor = Open(dialog, 1);  // number 2: no overlay yet
            Click(editor, "B2");
            OnNextDialog([](fw::Dialog& define) {
                EXPECT_EQ(IDD_DEFINE_BLOCK, static_cast<int>(define.TemplateId()));
                testsupport::SetText(define.Handle(), IDC_BLOCK_TEXT, "Buss");
                testsupport::SetText(define.Handle(), IDC_BLOCK_COMMAND, "buss<Return>");
                testsupport::Click(define.Handle(), IDOK);
            });
            Command(editor, ID_EDITOR_DEFINE);
            ASSERT_EQ(1u, editor.Model().Keys().size());
            EXPECT_EQ("Buss", editor.Model().Keys()[0].text_);
            EXPECT_EQ("buss<Return>", editor.Model().Keys()[0].command_);
            EXPECT_TRUE(editor.Model().IsModified());

            OnNextDialog([](fw::Dialog& define) {
                testsupport::SetText(define.Handle(), IDC_BLOCK_TEXT, "Tåg");
                define.EndDialog(IDCANCEL);
            });
            Command(editor, ID_EDITOR_DEFINE);
            EXPECT_EQ("Buss", editor.Model().Keys()[0].text_);

            // Cancel in an appearance dialog changes nothing; OK changes the block with one undo.
            editor.Model().SetModified(false);
            OnNextDialog([](fw::Dialog& colours) {
                EXPECT_EQ(IDD_BLOCK_COLOR, static_cast<int>(colours.TemplateId()));
                colours.EndDialog(IDCANCEL);
            });
            Command(editor, ID_EDITOR_COLOR);
            EXPECT_FALSE(editor.Model().IsModified());
            // The font dialog shows the default font as the automatic one; Cancel writes it nowhere.
            OnNextDialog([](fw::Dialog& font) {
                EXPECT_EQ(IDD_BLOCK_FONT, static_cast<int>(font.TemplateId()));
                fw::ListBox names(font.Handle(), IDC_FONT_NAMES);
                EXPECT_EQ("Arial", names.Selection() >= 0 ? names.ItemText(names.Selection()) : std::string());
                font.EndDialog(IDCANCEL);
            });
            Command(editor, ID_EDITOR_FONT);
            EXPECT_FALSE(editor.Model().IsModified());
            EXPECT_EQ(UndoKind::Define, editor.Model().GetUndoKind());  // the define's, not the font's
            EXPECT_EQ("", editor.Model().Keys()[0].fontName_);
            EXPECT_EQ(0, editor.Model().Keys()[0].fontSize_);
            OnNextDialog([](fw::Dialog& placement) {
                EXPECT_EQ(IDD_TEXT_POSITION, static_cast<int>(placement.TemplateId()));
                testsupport::Click(placement.Handle(), IDOK);
            });
            Command(editor, ID_EDITOR_TEXT_PLACEMENT);
            EXPECT_TRUE(editor.Model().IsModified());
            EXPECT_EQ(UndoKind::Define, editor.Model().GetUndoKind());
            EXPECT_EQ("Buss", editor.Model().Keys()[0].text_);

            Command(editor, ID_EDITOR_VIEW_BACKGROUND);
            Click(editor, "G5");
            DefineInDialog(editor, IDD_DEFINE_BACKGROUND, IDC_BLOCK_TEXT, "Himmel");
            ASSERT_EQ(1u, editor.Model().Background().size());
            EXPECT_EQ("Himmel", editor.Model().Background()[0].text_);
            editor.Model().SetModified(false);
        },
        EditOverlayDlg::Factory());
}

// The mouse state lasts from one press to its release: a click that deselects the block ends its
// sizing cursor, and a press whose capture another window takes drags and drops nothing afterwards.
TEST_F(EditorWindowTest, NoSizingCursorOrDragOutlivesItsClickOrItsCapture)
{
    RunMainWindow(
        [&](CSkarpinDlg& dialog) {
            EditOverlayDlg& editor = Open(dialog, 0);
            const HCURSOR sizing = ::LoadCursorA(nullptr, IDC_SIZEWE);
            auto shownCursor = [&] {
                editor.Self().Send(WM_SETCURSOR, reinterpret_cast<WPARAM>(editor.Handle()),
                                   MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
                return ::GetCursor();
            };
            // "Bil" covers A1-C2: the pointer on its right edge shows the sizing cursor.
            Click(editor, "B1");
            const RECT c1 = editor.Model().Grid().GetCellRect(Cell("C1"));
            const LPARAM edge = MAKELPARAM(c1.right - 3, (c1.top + c1.bottom) / 2);
            editor.Self().Send(WM_MOUSEMOVE, 0, edge);
            EXPECT_EQ(sizing, shownCursor());
            // A click there without a drag deselects the block, and the sizing cursor goes with it.
            ClickAt(editor, edge);
            EXPECT_EQ(-1, editor.Model().Selected());
            EXPECT_NE(sizing, shownCursor());

            // Mid-drag another window takes the mouse (Alt+Tab, a message box).
            Click(editor, "B1");
            editor.Self().Send(WM_MOUSEMOVE, 0, CentreOf(editor, "B1"));
            editor.Self().Send(WM_LBUTTONDOWN, MK_LBUTTON, CentreOf(editor, "B1"));
            editor.Self().Send(WM_MOUSEMOVE, MK_LBUTTON, CentreOf(editor, "B3"));
            ASSERT_TRUE(editor.Model().IsDragging());
            HWND other = ::CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
            ASSERT_NE(nullptr, other);
            ::SetCapture(other);
            EXPECT_FALSE(editor.Model().IsDragging());
            // The pointer comes back with the button up: no frame follows it, and no drop happens.
            editor.Self().Send(WM_MOUSEMOVE, 0, CentreOf(editor, "E5"));
            EXPECT_TRUE(editor.Model().Working().cells_.empty());
            editor.Self().Send(WM_LBUTTONUP, 0, CentreOf(editor, "E5"));
            ::ReleaseCapture();
            ::DestroyWindow(other);
            EXPECT_EQ("(0,0,2,1)", Ranges(editor.Model().Keys()[0].cells_));
            EXPECT_FALSE(editor.Model().IsModified());
            Command(editor, ID_EDITOR_CLOSE);
        },
        EditOverlayDlg::Factory());
}

// The main window tells the editor of its own size changes; the grid is laid out for the editor's
// client area whatever size the main window has, so every cell lies inside the editor.
TEST_F(EditorWindowTest, TheGridIsLaidOutForTheEditorsOwnClientArea)
{
    RunMainWindow(
        [&](CSkarpinDlg& dialog) {
            EditOverlayDlg& editor = Open(dialog, 0);
            const RECT client = editor.Self().ClientRect();
            dialog.Self().Send(WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.right * 2, client.bottom * 2));
            const RECT last = editor.Model().Grid().GetCellRect(KeyGrid::kCellCount - 1);
            EXPECT_LE(last.right, client.right);
            EXPECT_LE(last.bottom, client.bottom);
            KeyGrid own;
            own.Layout(client.right, client.bottom, 0);
            EXPECT_TRUE(::EqualRect(&last, &own.CellRects()[KeyGrid::kCellCount - 1]));
            Command(editor, ID_EDITOR_CLOSE);
        },
        EditOverlayDlg::Factory());
}

// The speech state is taken when an overlay loads: a voice the control gained after the editor
// was made counts.
TEST_F(EditorWindowTest, TheSpeechStateIsTakenWhenTheOverlayLoads)
{
    fakespeech::FakePtr fake = fakespeech::MakeFake({});
    TextSpeaker speaker;
    ASSERT_TRUE(speaker.Attach(fake.get()));
    std::string name = "Bil";
    OverlayEditorRequest request;
    request.fileIO = &Io();
    request.textSpeaker = &speaker;
    request.setName = "Skola";
    request.overlayName = name;
    request.number = 1;
    request.screenRect = RECT{0, 0, 800, 600};
    EditOverlayDlg editor(request);
    fake->voices = {"Anna"};
    ExpectEditor();
    ASSERT_TRUE(editor.Create(IDD_EDIT_OVERLAY, nullptr));
    fw::PumpMessages();
    EXPECT_EQ(1, editor.SpeechState());
}

// The AccessKvora flag marks an overlay with infrared commands in the main window's list: a save
// keeps it while a key holds one and drops it once none does; a flag that cannot be written is
// told, and the overlay stays modified so that the next save writes it.
TEST_F(EditorWindowTest, TheAccessKvoraFlagFollowsTheInfraredCommandsThroughSaves)
{
    UseModel("ACCESS");
    ASSERT_TRUE(Io().SetAccessKvoraFlag("Bil", "Skola", 1));
    RunMainWindow(
        [&](CSkarpinDlg& dialog) {
            EditOverlayDlg& editor = Open(dialog, 0);
            editor.Model().Keys()[1].command_ = "<Paus0.5><IR1>";
            editor.Model().SetModified(true);
            Command(editor, ID_EDITOR_SAVE);
            EXPECT_EQ(1, Io().GetAccessKvoraFlag("Bil", "Skola"));

            editor.Model().SetModified(true);
            g_realWriter = fw::SetByteWriter(&RefuseTheFlag);
            {
                ScriptedMessages messages;
                messages.Expect(IDS_EDITOR_FLAG_NOT_SAVED);
                Command(editor, ID_EDITOR_SAVE);
            }
            fw::SetByteWriter(g_realWriter);
            EXPECT_TRUE(editor.Model().IsModified());
            Command(editor, ID_EDITOR_SAVE);
            EXPECT_FALSE(editor.Model().IsModified());
            EXPECT_EQ(1, Io().GetAccessKvoraFlag("Bil", "Skola"));

            // The last infrared code goes: so does the flag.
            editor.Model().Keys()[1].command_ = "<Paus0.5>hus";
            editor.Model().SetModified(true);
            Command(editor, ID_EDITOR_SAVE);
            EXPECT_EQ(0, Io().GetAccessKvoraFlag("Bil", "Skola"));
            Command(editor, ID_EDITOR_CLOSE);
        },
        EditOverlayDlg::Factory());
}
