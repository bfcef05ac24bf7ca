// The block and background definition dialogs, the colour, font, text placement, start-method,
// automatic-command and default image-base dialogs, and the clipboard picture wizard, in real windows.
#include "EditorFixture.h"
#include "StartMenuFixture.h"
#include "SubDialogFixture.h"
#include "editor/AutoCommandDlg.h"
#include "editor/BlockColorDlg.h"
#include "editor/ClipboardSheet.h"
#include "editor/DefaultImageBaseDlg.h"
#include "editor/DefineBkDlg.h"
#include "editor/DefineBlockDlg.h"
#include "editor/FontDlg.h"
#include "editor/KeyGrid.h"
#include "editor/StartSettingsDlg.h"
#include "editor/TextPosDlg.h"
#include "framework/FileReplace.h"
#include "framework/Files.h"
#include "framework/Prompt.h"
#include "library/resource.h"
#include "skarpin/resource.h"
#include "support/DialogDriver.h"
#include "support/ScriptedMessages.h"
#include "support/Snapshot.h"
#include "support/TempFolder.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <memory>

using namespace editortest;
using namespace subdialogtest;
using namespace testsupport;

namespace {

Block OneRange()
{
    Block block;
    block.cells_.push_back(RECT{1, 1, 3, 2});
    return block;
}

std::string Selected(HWND dialog, int listId)
{
    fw::ListBox list(dialog, listId);
    return list.Selection() >= 0 ? list.ItemText(list.Selection()) : std::string();
}

class BlockDialogs : public testing::Test {
protected:
    BlockDialogContext Context() { return BlockDialogContext{&config_.Settings(), nullptr, 0}; }

    SubDialogConfig config_;
};

} // namespace

TEST_F(BlockDialogs, TheBlockDialogOpensOnTheBlockAndOkStoresIt)
{
    Block block = OneRange();
    block.text_ = "Hej\r\ndu";
    block.command_ = "abc";
    block.frameWidth_ = 2;
    block.roundFrame_ = 1;
    DefineBlockDlg dialog(block, Context(), BlockCommandContext{});
    const INT_PTR result = RunClosing(dialog, [&](fw::Dialog& window) {
        EXPECT_EQ("Definiera knapp", fw::Window(window).Text());
        EXPECT_EQ("Knappens utseende:", Text(window, IDC_BLOCK_LOOK_GROUP));
        EXPECT_EQ("Kommando till Kvora-program...", Text(window, IDC_BLOCK_CONTENT));
        EXPECT_EQ("Avbryt", Text(window, IDCANCEL));
        EXPECT_EQ("Tryck på <Esc> för inmatning av Esc, Tab, Backspace, Delete och piltangenter.",
                  Text(window, IDC_BLOCK_INFO));
        EXPECT_EQ("Hej\r\ndu", Text(window, IDC_BLOCK_TEXT));
        EXPECT_EQ("abc", Text(window, IDC_BLOCK_COMMAND));
        EXPECT_EQ(::GetDlgItem(window, IDC_BLOCK_COMMAND), ::GetFocus());
        fw::ComboBox frame(window, IDC_BLOCK_FRAME_WIDTH);
        EXPECT_EQ(11, frame.Count());
        EXPECT_EQ("<Ingen ram>", frame.ItemText(0));
        EXPECT_EQ("2", frame.ItemText(frame.Selection()));
        EXPECT_TRUE(IsEnabled(window, IDC_BLOCK_ROUND));
        // The keyboard model is PS/2: neither mouse nor infrared commands.
        EXPECT_FALSE(IsEnabled(window, IDC_BLOCK_MOUSE));
        EXPECT_FALSE(IsEnabled(window, IDC_BLOCK_INFRARED));
        EXPECT_FALSE(IsEnabled(window, IDC_BLOCK_REMOVE_PICTURE));
        EXPECT_NE(nullptr, ::GetMenu(window));
        Snapshot(window, "define_block");

        SelectCombo(window, IDC_BLOCK_FRAME_WIDTH, 0);
        EXPECT_FALSE(IsEnabled(window, IDC_BLOCK_ROUND));
        SelectCombo(window, IDC_BLOCK_FRAME_WIDTH, 4);
        EXPECT_TRUE(IsEnabled(window, IDC_BLOCK_ROUND));
        SetText(window, IDC_BLOCK_TEXT, "Ny");
        SetText(window, IDC_BLOCK_COMMAND, "xyz");
        Check(window, IDC_BLOCK_REPEAT, true);
        Check(window, IDC_BLOCK_ROUND, false);
        Click(window, IDOK);
    });
    EXPECT_EQ(IDOK, result);
    EXPECT_EQ("Ny", block.text_);
    EXPECT_EQ("xyz", block.command_);
    EXPECT_EQ(1, block.repeat_);
    EXPECT_EQ(4, block.frameWidth_);
    EXPECT_EQ(0, block.roundFrame_);
}

TEST_F(BlockDialogs, ABlockOfTwoRangesOpensWithoutTextPictureOrRoundCorners)
{
    Block block = OneRange();
    block.cells_.push_back(RECT{5, 5, 5, 5});
    block.frameWidth_ = 3;
    DefineBlockDlg dialog(block, Context(), BlockCommandContext{});
    RunClosing(dialog, [&](fw::Dialog& window) {
        for (int id : {IDC_BLOCK_TEXT, IDC_BLOCK_FROM_IMAGEBASE, IDC_BLOCK_BROWSE_PICTURE, IDC_BLOCK_PASTE_PICTURE,
                       IDC_BLOCK_PROGRAM_ICON, IDC_BLOCK_REMOVE_PICTURE, IDC_BLOCK_TEXT_POSITION, IDC_BLOCK_FONT,
                       IDC_BLOCK_ROUND})
            EXPECT_FALSE(IsEnabled(window, id)) << id;
        EXPECT_TRUE(IsEnabled(window, IDC_BLOCK_COLOR));
        EXPECT_TRUE(IsEnabled(window, IDC_BLOCK_FRAME_WIDTH));
    });

    Block background = block;
    DefineBkDlg bk(background, Context());
    RunClosing(bk, [&](fw::Dialog& window) {
        EXPECT_EQ("Definiera bakgrundsbild", fw::Window(window).Text());
        EXPECT_EQ("Bakgrundsbildens utseende:", Text(window, IDC_BLOCK_LOOK_GROUP));
        EXPECT_FALSE(IsEnabled(window, IDC_BLOCK_TEXT));
        EXPECT_FALSE(IsEnabled(window, IDC_BLOCK_ROUND));
        EXPECT_EQ(nullptr, ::GetDlgItem(window, IDC_BLOCK_COMMAND));
    });
}

TEST_F(BlockDialogs, TheBackgroundDialogStoresItsLookWithoutACommand)
{
    Block block = OneRange();
    block.command_ = "kvar";
    DefineBkDlg dialog(block, Context());
    const INT_PTR result = RunClosing(dialog, [&](fw::Dialog& window) {
        Snapshot(window, "define_background");
        SetText(window, IDC_BLOCK_TEXT, "Himmel");
        SelectCombo(window, IDC_BLOCK_FRAME_WIDTH, 10);
        Click(window, IDOK);
    });
    EXPECT_EQ(IDOK, result);
    EXPECT_EQ("Himmel", block.text_);
    EXPECT_EQ(10, block.frameWidth_);
    EXPECT_EQ("kvar", block.command_);
}

// The short "<Run " form is 28 characters shorter than what the block stores: the limit holds for the
// stored form.
TEST_F(BlockDialogs, OkChecksTheLimitOnTheCommandAsStored)
{
    const std::string start = kStartString;
    const std::string end = kEndString;
    const std::string program = "C:\\p.exe";
    const size_t room = 256 - start.size() - program.size() - end.size();
    const struct {
        size_t tail;
        bool accepted;
    } cases[] = {{room, true}, {room + 1, false}};
    for (const auto& c : cases) {
        Block block = OneRange();
        block.command_ = start + program + end;
        int shortForm = 1;
        BlockCommandContext command;
        command.shortCommand = &shortForm;
        DefineBlockDlg dialog(block, Context(), command);
        ScriptedMessages messages;
        if (!c.accepted)
            messages.Expect(IDS_COMMAND_TOO_LONG);
        const INT_PTR result = RunClosing(dialog, [&](fw::Dialog& window) {
            EXPECT_EQ("<Run " + program + ">", Text(window, IDC_BLOCK_COMMAND));
            SetText(window, IDC_BLOCK_COMMAND, "<Run " + program + ">" + std::string(c.tail, 'x'));
            Click(window, IDOK);
            if (!c.accepted) {
                EXPECT_TRUE(::IsWindowVisible(window));
                Close(window, IDCANCEL);
            }
        });
        EXPECT_EQ(c.accepted ? IDOK : IDCANCEL, result) << c.tail;
        EXPECT_EQ(c.accepted ? start + program + end + std::string(c.tail, 'x') : start + program + end, block.command_);
    }
}

// A value the overlay file cannot hold is named at OK, and the dialog stays open to mend it; a
// block whose cells lie off the grid can only be deleted, and says so. Once mended, OK takes it.
TEST_F(BlockDialogs, OkRefusesWhatTheOverlayFileCannotHold)
{
    const struct Case {
        const char* what;
        bool background;
        RECT cells;
        const char* picture;
        const char* typedText;
        UINT refusal;
        const char* field;
    } cases[] = {
        {"a comma in the picture path", false, RECT{1, 1, 3, 2}, "C:\\bilder\\a,b.bmp", "Bil", IDS_BLOCK_UNSTORABLE,
         "en bildsökväg"},
        {"the pair that reads as a line break", false, RECT{1, 1, 3, 2}, "", "C:\\nytt", IDS_BLOCK_UNSTORABLE,
         "en text"},
        {"a background's picture path", true, RECT{1, 1, 3, 2}, "C:\\a,b.bmp", "Sol", IDS_BLOCK_UNSTORABLE,
         "en bildsökväg"},
        {"cells off the grid", false, RECT{15, 7, 16, 7}, "", "Bil", IDS_BLOCK_CELLS_OUTSIDE, ""},
    };
    for (const Case& c : cases) {
        Block block;
        block.cells_ = {c.cells};
        block.picturePath_ = c.picture;
        std::unique_ptr<fw::Dialog> dialog;
        if (c.background)
            dialog = std::make_unique<DefineBkDlg>(block, Context());
        else
            dialog = std::make_unique<DefineBlockDlg>(block, Context(), BlockCommandContext{});
        ScriptedMessages messages;
        messages.Expect(c.refusal);
        const INT_PTR result = RunClosing(*dialog, [&](fw::Dialog& window) {
            SetText(window, IDC_BLOCK_TEXT, c.typedText);
            ::SendMessageA(window, WM_COMMAND, IDOK, 0);
            ASSERT_TRUE(::IsWindowVisible(window)) << c.what;
            ASSERT_EQ(1u, messages.Shown().size()) << c.what;
            EXPECT_NE(std::string::npos, messages.Shown()[0].text.find(c.field)) << c.what;
            if (c.refusal == IDS_BLOCK_CELLS_OUTSIDE) {
                Close(window, IDCANCEL);
                return;
            }
            // Mended: the picture removed, the text typed again.
            if (*c.picture)
                Click(window, IDC_BLOCK_REMOVE_PICTURE);
            SetText(window, IDC_BLOCK_TEXT, "Bil");
            Click(window, IDOK);
        });
        if (c.refusal == IDS_BLOCK_CELLS_OUTSIDE) {
            EXPECT_EQ(IDCANCEL, result) << c.what;
            continue;
        }
        EXPECT_EQ(IDOK, result) << c.what;
        EXPECT_EQ("Bil", block.text_) << c.what;
        EXPECT_EQ("", block.picturePath_) << c.what;
        EXPECT_EQ(FileIO::BlockField::None, FileIO::FindUnstorableField(block)) << c.what;
    }
}

TEST_F(BlockDialogs, SubDialogTagsGoInAtTheCaretOnce)
{
    Block block = OneRange();
    block.command_ = "ab";
    DefineBlockDlg dialog(block, Context(), BlockCommandContext{});
    RunClosing(dialog, [&](fw::Dialog& window) {
        OnNextDialog([](fw::Dialog& special) {
            SelectList(special, IDC_SPECIAL_LIST, 1);
            Click(special, IDOK);
        });
        Click(window, IDC_BLOCK_SPECIAL);
        EXPECT_EQ("ab<Ctrl+Esc>", Text(window, IDC_BLOCK_COMMAND));
        OnNextDialog([](fw::Dialog& pause) {
            SetText(pause, IDC_PAUSE_SECONDS, "0,5");
            Click(pause, IDOK);
        });
        Click(window, IDC_BLOCK_PAUSE);
        EXPECT_EQ("ab<Ctrl+Esc><Paus0.5>", Text(window, IDC_BLOCK_COMMAND));
        // A pause of 0 and a cancelled special command add nothing.
        OnNextDialog([](fw::Dialog& pause) {
            SetText(pause, IDC_PAUSE_SECONDS, "0");
            Click(pause, IDOK);
        });
        Click(window, IDC_BLOCK_PAUSE);
        OnNextDialog([](fw::Dialog& special) { Close(special, IDCANCEL); });
        Click(window, IDC_BLOCK_SPECIAL);
        EXPECT_EQ("ab<Ctrl+Esc><Paus0.5>", Text(window, IDC_BLOCK_COMMAND));
        Click(window, IDOK);
    });
    EXPECT_EQ("ab<Ctrl+Esc><Paus0.5>", block.command_);
}

// A program start is shown in its short "<Run " form when the setting asks for it, and stored whole.
TEST_F(BlockDialogs, AProgramStartIsShownShortAndStoredWhole)
{
    Block block = OneRange();
    int shortForm = 1;
    BlockCommandContext command;
    command.shortCommand = &shortForm;
    DefineBlockDlg dialog(block, Context(), command);
    RunClosing(dialog, [&](fw::Dialog& window) {
        OnNextDialog([](fw::Dialog& start) {
            SetText(start, IDC_START_PROGRAM, "notepad.exe");
            Close(start, IDOK);
        });
        Click(window, IDC_BLOCK_START_PROGRAM);
        EXPECT_EQ("<Run notepad.exe>", Text(window, IDC_BLOCK_COMMAND));
        Click(window, IDOK);
    });
    EXPECT_EQ(std::string(kStartString) + "notepad.exe" + kEndString, block.command_);
}

// The pause, special-command and program-start dialogs stand beside the block dialog, not over it:
// the first two to its left, the program start to its right, each whole on the screen.
TEST_F(BlockDialogs, TheCommandSubDialogsStandBesideTheBlockDialog)
{
    const RECT work = WorkArea();
    const struct {
        const char* name;
        int button;
        bool toTheLeft;
    } cases[] = {
        {"pause", IDC_BLOCK_PAUSE, true},
        {"special command", IDC_BLOCK_SPECIAL, true},
        {"program start", IDC_BLOCK_START_PROGRAM, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Block block = OneRange();
        DefineBlockDlg dialog(block, Context(), BlockCommandContext{});
        RunClosing(dialog, [&](fw::Dialog& window) {
            // Against the far edge of the screen, so that there is room on the side asked for.
            RECT rect = fw::Window(window).WindowRect();
            const int width = rect.right - rect.left;
            ::SetWindowPos(window, nullptr, c.toTheLeft ? work.right - width : work.left, rect.top, 0, 0,
                           SWP_NOSIZE | SWP_NOZORDER);
            rect = fw::Window(window).WindowRect();
            RECT sub{};
            OnNextDialog([&](fw::Dialog& opened) {
                sub = fw::Window(opened).WindowRect();
                ExpectOnWorkArea(opened.Handle());
                Close(opened, IDCANCEL);
            });
            Click(window, c.button);
            EXPECT_EQ(c.toTheLeft ? rect.left : rect.right, c.toTheLeft ? sub.right : sub.left);
            EXPECT_EQ(c.toTheLeft ? rect.bottom : rect.top, c.toTheLeft ? sub.bottom : sub.top);
            Click(window, IDCANCEL);
        });
    }
}

// Where the block dialog opens, the screen leaves too little room beside it for the larger dialogs
// it opens: the block dialog steps aside, so that none of them covers it and both stay whole. So does
// the background dialog, and so do both for the dialogs of their settings menu.
TEST_F(BlockDialogs, NoSubDialogCoversTheBlockDialogWhereItOpens)
{
    StartMenuFixture startMenu;
    const struct {
        const char* name;
        int command;
        const char* model;  // the keyboard model that enables the command
        bool background;    // opened from the background dialog rather than the block dialog
        bool menu;          // a command of the settings menu rather than a button
        bool sheet;         // a property sheet rather than a dialog
    } cases[] = {
        {"pause", IDC_BLOCK_PAUSE, "PS2", false, false, false},
        {"special command", IDC_BLOCK_SPECIAL, "PS2", false, false, false},
        {"program start", IDC_BLOCK_START_PROGRAM, "PS2", false, false, false},
        {"content", IDC_BLOCK_CONTENT, "PS2", false, false, false},
        {"colour", IDC_BLOCK_COLOR, "PS2", false, false, false},
        {"font", IDC_BLOCK_FONT, "PS2", false, false, false},
        {"text placement", IDC_BLOCK_TEXT_POSITION, "PS2", false, false, false},
        {"mouse command", IDC_BLOCK_MOUSE, "USB", false, false, false},
        {"infrared code", IDC_BLOCK_INFRARED, "ACCESS", false, false, false},
        {"image base", IDC_BLOCK_FROM_IMAGEBASE, "PS2", false, false, false},
        {"program menu", IDC_BLOCK_PROGRAM_ICON, "PS2", false, false, false},
        {"clipboard wizard", IDC_BLOCK_PASTE_PICTURE, "PS2", false, false, true},
        {"default image base", ID_SETTINGS_DEFAULT_IMAGEBASE, "PS2", false, true, false},
        {"automatic command", ID_SETTINGS_AUTO_COMMAND, "PS2", false, true, false},
        {"background colour", IDC_BLOCK_COLOR, "PS2", true, false, false},
        {"background image base", IDC_BLOCK_FROM_IMAGEBASE, "PS2", true, false, false},
        {"background program menu", IDC_BLOCK_PROGRAM_ICON, "PS2", true, false, false},
        {"background clipboard wizard", IDC_BLOCK_PASTE_PICTURE, "PS2", true, false, true},
        {"background default image base", ID_SETTINGS_DEFAULT_IMAGEBASE, "PS2", true, true, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SubDialogConfig config(c.model);
        ::CreateDirectoryA((config.Config().ProgramFolder() + "\\Zenthor").c_str(), nullptr);
        config.Config().Write("Program Files\\Skarpin\\Zenthor\\ir_data.kvx", "1;G0;6;Lampa;16;\r\n");
        Block block = OneRange();
        const BlockDialogContext context{&config.Settings(), nullptr, 0};
        std::unique_ptr<BlockLookDlg> dialog;
        if (c.background)
            dialog = std::make_unique<DefineBkDlg>(block, context);
        else
            dialog = std::make_unique<DefineBlockDlg>(block, context, BlockCommandContext{});
        const INT_PTR result = RunClosing(*dialog, [&](fw::Dialog& window) {
            RECT sub{};
            RECT rect{};
            std::string snapshot = std::string("block_dialog_beside_") + c.name;
            std::replace(snapshot.begin(), snapshot.end(), ' ', '_');
            const auto look = [&](HWND opened) {
                sub = fw::Window(opened).WindowRect();
                rect = fw::Window(window).WindowRect();
                ExpectOnWorkArea(opened);
                ExpectOnWorkArea(window.Handle());
                Snapshot(::GetDesktopWindow(), snapshot);
            };
            if (c.sheet) {
                fw::PropSheet::PushInitHook([&](fw::PropSheet& sheet) {
                    look(sheet.Handle());
                    sheet.PressButton(PSBTN_CANCEL);
                });
            } else {
                OnNextDialog([&](fw::Dialog& opened) {
                    look(opened.Handle());
                    Close(opened, IDCANCEL);
                });
            }
            if (c.menu)
                ::SendMessageA(window, WM_COMMAND, MAKEWPARAM(c.command, 0), 0);
            else
                Click(window, c.command);
            EXPECT_EQ(0u, fw::PropSheet::PendingInitHooks());
            EXPECT_EQ(0u, fw::Dialog::PendingInitHooks());
            EXPECT_NE(0, sub.right - sub.left) << "nothing opened";
            RECT both{};
            EXPECT_FALSE(::IntersectRect(&both, &sub, &rect))
                << sub.left << "-" << sub.right << " over " << rect.left << "-" << rect.right;
            Click(window, IDCANCEL);
        });
        EXPECT_EQ(IDCANCEL, result);
    }
}

// The mouse command replaces the command; a move asks for repetition, since a held key should go
// on moving the pointer, while a click never does: a held key would click again and again.
TEST(BlockMouseCommand, AMoveTicksRepetitionAndAClickDoesNot)
{
    SubDialogConfig config("USB");
    const struct {
        const char* what;
        int mode;  // the mode radio pressed in the mouse dialog
        const char* command;
        bool repeat;
    } cases[] = {
        {"a move", IDC_MOUSE_MOVE, "<Mouse Move U S>", true},
        {"a click", IDC_MOUSE_CLICK_ONLY, "<Mouse Click L 1X>", false},
    };
    for (const auto& c : cases) {
        Block block = OneRange();
        DefineBlockDlg dialog(block, BlockDialogContext{&config.Settings(), nullptr, 0}, BlockCommandContext{});
        const INT_PTR result = RunClosing(dialog, [&](fw::Dialog& window) {
            EXPECT_TRUE(IsEnabled(window, IDC_BLOCK_MOUSE));
            OnNextDialog([&](fw::Dialog& mouse) {
                EXPECT_EQ(IDD_MOUSE_COMMAND, static_cast<int>(mouse.TemplateId()));
                Click(mouse, c.mode);
                Close(mouse, IDOK);
            });
            Click(window, IDC_BLOCK_MOUSE);
            EXPECT_EQ(c.command, Text(window, IDC_BLOCK_COMMAND)) << c.what;
            EXPECT_EQ(c.repeat, window.IsChecked(IDC_BLOCK_REPEAT)) << c.what;
            Click(window, IDOK);
        });
        EXPECT_EQ(IDOK, result) << c.what;
        EXPECT_EQ(c.command, block.command_) << c.what;
        EXPECT_EQ(c.repeat ? 1 : 0, block.repeat_) << c.what;
    }
}

// The infrared button puts the chosen code's tag at the caret. The overlay is marked as one with
// infrared commands only when the block dialog keeps the command: Cancel discards both.
TEST(BlockInfraredCommand, TheTagGoesInAndTheOverlayIsMarkedOnlyOnOk)
{
    SubDialogConfig config("ACCESS");
    const std::string zenthor = config.Config().ProgramFolder() + "\\Zenthor";
    ::CreateDirectoryA(zenthor.c_str(), nullptr);
    config.Config().Write("Program Files\\Skarpin\\Zenthor\\ir_data.kvx", "1;G0;6;Lampa;16;\r\n");
    for (const int closing : {IDCANCEL, IDOK}) {
        Block block = OneRange();
        int accessKvora = 0;
        BlockCommandContext command;
        command.accessKvora = &accessKvora;
        DefineBlockDlg dialog(block, BlockDialogContext{&config.Settings(), nullptr, 0}, command);
        RunClosing(dialog, [&](fw::Dialog& window) {
            EXPECT_TRUE(IsEnabled(window, IDC_BLOCK_INFRARED));
            OnNextDialog([](fw::Dialog& infrared) {
                fw::ListBox codes(infrared, IDC_IR_COMMAND_LIST);
                ASSERT_EQ(1, codes.Count());
                EXPECT_EQ("1. Lampa", codes.ItemText(0));
                SelectList(infrared, IDC_IR_COMMAND_LIST, 0);
                Click(infrared, IDOK);
            });
            Click(window, IDC_BLOCK_INFRARED);
            EXPECT_EQ("<IR1>", Text(window, IDC_BLOCK_COMMAND));
            // Until the block dialog closes the overlay is not marked.
            EXPECT_EQ(0, accessKvora);
            Close(window, closing);
        });
        EXPECT_EQ(closing == IDOK ? 1 : 0, accessKvora) << closing;
        EXPECT_EQ(closing == IDOK ? "<IR1>" : "", block.command_) << closing;
    }
}

// The automatic font is shown, not written: Cancel in the font dialog leaves the block as it was.
// A default font and the grid's cells give the automatic font a name and a size to show.
TEST_F(BlockDialogs, TheFontDialogChangesTheBlockOnlyOnOk)
{
    ::WritePrivateProfileStringA("Defaults", "Font", "Arial", config_.Settings().windowsSettingsFile_.c_str());
    KeyGrid grid;
    grid.Layout(1024, 700, 0);
    Block block = OneRange();
    int automaticSize = 0;
    block.FontSize(automaticSize, grid.CellRects(), grid.Geometry().cellHeight);
    ASSERT_GT(automaticSize, 0);
    DefineBlockDlg dialog(block, BlockDialogContext{&config_.Settings(), grid.CellRects(), grid.Geometry().cellHeight},
                          BlockCommandContext{});
    RunClosing(dialog, [&](fw::Dialog& window) {
        OnNextDialog([&](fw::Dialog& font) {
            EXPECT_TRUE(font.IsChecked(IDC_FONT_AUTOMATIC));
            EXPECT_EQ("Arial", Selected(font, IDC_FONT_NAMES));
            EXPECT_NE("", Selected(font, IDC_FONT_SIZES));
            EXPECT_FALSE(IsEnabled(font, IDC_FONT_NAMES));
            Check(font, IDC_FONT_OWN, true);
            EXPECT_TRUE(IsEnabled(font, IDC_FONT_NAMES));
            Close(font, IDCANCEL);
        });
        Click(window, IDC_BLOCK_FONT);
        Click(window, IDOK);
    });
    EXPECT_EQ("", block.fontName_);
    EXPECT_EQ(0, block.ownFont_);
    EXPECT_EQ(0, block.fontSize_);
    EXPECT_EQ(0, block.fontStyle_);
}

TEST_F(BlockDialogs, TheFontDialogShowsAndStoresAFontOfTheBlocksOwn)
{
    const std::vector<std::string> fonts = FontDlg::ScreenFonts();
    ASSERT_FALSE(fonts.empty());
    const struct {
        int style;
        int size;
        const char* styleLine;
        const char* sizeLine;
    } cases[] = {{11, 24, "Fet Kursiv", "26"}, {0, 12, "Normal", "12"}, {10, 200, "Fet", "110"}};
    for (const auto& c : cases) {
        Block block = OneRange();
        block.ownFont_ = 1;
        block.fontName_ = fonts.front();
        block.fontStyle_ = c.style;
        block.fontSize_ = c.size;
        FontDlg dialog(block, appearance::AutomaticFont{"Arial", 0, 20});
        const INT_PTR result = RunClosing(dialog, [&](fw::Dialog& window) {
            EXPECT_EQ("Teckensnitt", fw::Window(window).Text());
            EXPECT_TRUE(window.IsChecked(IDC_FONT_OWN));
            EXPECT_EQ(fonts.front(), Selected(window, IDC_FONT_NAMES));
            EXPECT_EQ(c.styleLine, Selected(window, IDC_FONT_STYLES));
            EXPECT_EQ(c.sizeLine, Selected(window, IDC_FONT_SIZES));
            if (c.style == 11)
                Snapshot(window, "block_font");
            Click(window, IDOK);
        });
        EXPECT_EQ(IDOK, result);
        EXPECT_EQ(c.style, block.fontStyle_);
        EXPECT_EQ(std::atoi(c.sizeLine), block.fontSize_);
        EXPECT_EQ(1, block.ownFont_);
    }

    // Back to the automatic font: no name, style 0, size 0.
    Block block = OneRange();
    block.ownFont_ = 1;
    block.fontName_ = fonts.front();
    block.fontSize_ = 30;
    FontDlg dialog(block, appearance::AutomaticFont{"Arial", 0, 20});
    RunClosing(dialog, [&](fw::Dialog& window) {
        Check(window, IDC_FONT_AUTOMATIC, true);
        EXPECT_FALSE(IsEnabled(window, IDC_FONT_SIZES));
        Click(window, IDOK);
    });
    EXPECT_EQ(0, block.ownFont_);
    EXPECT_EQ("", block.fontName_);
    EXPECT_EQ(0, block.fontSize_);
}

TEST_F(BlockDialogs, TheColourDialogOpensOnTheBlocksColoursAndAChosenColourIsAnother)
{
    Block block = OneRange();
    block.backColor_ = RGB(255, 255, 255);
    block.transparent_ = 0;
    block.textColor_ = RGB(0, 0, 200);
    fw::CommonDialogHandlers handlers;
    handlers.chooseColor = [](CHOOSECOLORA& request) {
        request.rgbResult = RGB(10, 20, 30);
        return true;
    };
    fw::SetCommonDialogHandlers(handlers);
    BlockColorDlg dialog(block);
    const INT_PTR result = RunClosing(dialog, [&](fw::Dialog& window) {
        EXPECT_EQ("Färg", fw::Window(window).Text());
        EXPECT_TRUE(window.IsChecked(IDC_COLOR_BACK_WHITE));
        EXPECT_TRUE(window.IsChecked(IDC_COLOR_TEXT_OTHER));
        EXPECT_TRUE(window.IsChecked(IDC_COLOR_FRAME_BLACK));
        EXPECT_TRUE(window.IsChecked(IDC_COLOR_COVER));
        Click(window, IDC_COLOR_BACK_CHOOSE);
        EXPECT_TRUE(window.IsChecked(IDC_COLOR_BACK_OTHER));
        EXPECT_FALSE(window.IsChecked(IDC_COLOR_BACK_WHITE));
        EXPECT_TRUE(window.IsChecked(IDC_COLOR_TEXT_OTHER));
        const DrawnButton swatch = DrawOwnerDrawnButton(window, IDC_COLOR_PICTURE_BACK, 0);
        ASSERT_FALSE(swatch.Empty());
        EXPECT_EQ(RGB(10, 20, 30), swatch.At(swatch.width / 2, swatch.height / 2));
        Snapshot(window, "block_color");
        Check(window, IDC_COLOR_TEXT_BLACK, true);
        Check(window, IDC_COLOR_COVER, false);
        Click(window, IDOK);
    });
    fw::SetCommonDialogHandlers({});
    EXPECT_EQ(IDOK, result);
    EXPECT_EQ(RGB(10, 20, 30), block.backColor_);
    EXPECT_EQ(0, block.transparent_);
    EXPECT_EQ(0u, block.textColor_);
    EXPECT_EQ(0, block.cover_);
}

TEST_F(BlockDialogs, TheTextPlacementDialogShowsAndStoresThePosition)
{
    const struct {
        int position;
        int radio;
        int choose;
        int stored;
    } cases[] = {{1, IDC_TEXTPOS_TOP, IDC_TEXTPOS_BOTTOM, 2}, {0, IDC_TEXTPOS_MIDDLE, IDC_TEXTPOS_TOP, 1},
                 {2, IDC_TEXTPOS_BOTTOM, IDC_TEXTPOS_MIDDLE, 0}};
    for (const auto& c : cases) {
        Block block = OneRange();
        block.textPosition_ = c.position;
        block.centred_ = 0;
        TextPosDlg dialog(block);
        RunClosing(dialog, [&](fw::Dialog& window) {
            EXPECT_EQ("Textplacering", fw::Window(window).Text());
            EXPECT_TRUE(window.IsChecked(c.radio));
            EXPECT_FALSE(window.IsChecked(IDC_TEXTPOS_CENTRED));
            if (c.position == 1)
                Snapshot(window, "text_position");
            Check(window, c.choose, true);
            Check(window, IDC_TEXTPOS_CENTRED, true);
            Click(window, IDOK);
        });
        EXPECT_EQ(c.stored, block.textPosition_);
        EXPECT_EQ(1, block.centred_);
    }
}

TEST(StartSettingsDlg, ShowsTheFilledMethodsAndStoresOnlyAShownOne)
{
    const struct {
        const char* defaultStart;
        int checked;   // 0 none
    } cases[] = {{"2", 2}, {"1", 1}, {"4", 0}};
    for (const auto& c : cases) {
        ConfigFixture config;
        config.WriteWindowsSettings("[Directories]\r\nExe=" + config.ProgramFolder() + "\r\n");
        config.WriteProgramSettings(std::string("[KvoraStart]\r\nDefaultStart=") + c.defaultStart +
                                    "\r\nStart1=<Win+R>\r\nStart2=<Ctrl+Esc>r\r\n");
        FileIO& settings = config.Open();
        StartSettingsDlg dialog(settings);
        const INT_PTR result = RunClosing(dialog, [&](fw::Dialog& window) {
            EXPECT_EQ("Starta program", fw::Window(window).Text());
            EXPECT_EQ("<Win+R>", Text(window, IDC_START_METHOD1));
            EXPECT_TRUE(IsVisible(window, IDC_START_METHOD1));
            EXPECT_TRUE(IsVisible(window, IDC_START_METHOD2));
            EXPECT_FALSE(IsVisible(window, IDC_START_METHOD3));
            EXPECT_FALSE(IsVisible(window, IDC_START_METHOD4));
            EXPECT_EQ(c.checked == 1, window.IsChecked(IDC_START_METHOD1));
            EXPECT_EQ(c.checked == 2, window.IsChecked(IDC_START_METHOD2));
            EXPECT_EQ(c.checked != 0, IsEnabled(window, IDOK));
            if (c.checked == 2)
                Snapshot(window, "start_settings");
            Check(window, IDC_START_METHOD1, true);
            EXPECT_TRUE(IsEnabled(window, IDOK));
            Click(window, IDOK);
        });
        EXPECT_EQ(IDOK, result);
        EXPECT_EQ("1", ConfigFixture::Value(config.ProgramSettingsFile(), "KvoraStart", "DefaultStart"));
        EXPECT_EQ("<Win+R>", settings.defaultStartString_);
    }
}

TEST_F(BlockDialogs, TheAutomaticCommandDialogKeepsItsRuleAndLimitsItsParts)
{
    FileIO& settings = config_.Settings();
    AutoCommandSettings stored;
    stored.mode_ = AutoCommandSettings::kPictureFile;
    stored.prefix_ = "<Ctrl+a>";
    stored.suffix_ = "<Return>";
    settings.SetAutoCommand(stored);
    settings.autoCommand_.enabled_ = 0;

    AutoCommandDlg dialog(&settings);
    RunClosing(dialog, [&](fw::Dialog& window) {
        EXPECT_EQ("Automatiskt kommando", fw::Window(window).Text());
        EXPECT_TRUE(window.IsChecked(IDC_AUTO_OFF));
        EXPECT_TRUE(window.IsChecked(IDC_AUTO_MODE_FILE));
        EXPECT_EQ("<Ctrl+a>", Text(window, IDC_AUTO_PREFIX));
        EXPECT_FALSE(IsEnabled(window, IDC_AUTO_PREFIX));
        EXPECT_FALSE(IsEnabled(window, IDC_AUTO_MODE_CODE));
        Check(window, IDC_AUTO_ON, true);
        EXPECT_TRUE(IsEnabled(window, IDC_AUTO_PREFIX));
        EXPECT_TRUE(IsEnabled(window, IDC_AUTO_MODE_CODE));
        Snapshot(window, "auto_command");
        // The settings file gives back 255 characters: no more go in.
        HWND suffix = ::GetDlgItem(window, IDC_AUTO_SUFFIX);
        ::SendMessageA(suffix, EM_SETSEL, 0, -1);
        ::SendMessageA(suffix, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(std::string(256, 's').c_str()));
        EXPECT_EQ("<Return>", Text(window, IDC_AUTO_SUFFIX));
        ::SendMessageA(suffix, EM_SETSEL, 0, -1);
        ::SendMessageA(suffix, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(std::string(255, 's').c_str()));
        EXPECT_EQ(std::string(255, 's'), Text(window, IDC_AUTO_SUFFIX));
        Check(window, IDC_AUTO_MODE_CODE, true);
        Click(window, IDOK);
    });
    EXPECT_EQ(1, settings.autoCommand_.enabled_);
    EXPECT_EQ(AutoCommandSettings::kPictureCode, settings.autoCommand_.mode_);
    EXPECT_EQ(std::string(255, 's'), settings.autoCommand_.suffix_);
    EXPECT_EQ("2", ConfigFixture::Value(config_.Config().ProgramSettingsFile(), "Settings", "AutoCommand"));

    // Off again: only the state in memory changes; the parts stay for the next time.
    AutoCommandDlg off(&settings);
    RunClosing(off, [&](fw::Dialog& window) {
        EXPECT_TRUE(window.IsChecked(IDC_AUTO_ON));
        Check(window, IDC_AUTO_OFF, true);
        Click(window, IDOK);
    });
    EXPECT_EQ(0, settings.autoCommand_.enabled_);
    EXPECT_EQ("<Ctrl+a>", settings.autoCommand_.prefix_);
}

TEST_F(BlockDialogs, TheDefaultImageBaseDialogHasItsOwnCaption)
{
    std::string key;
    DefaultImageBaseDlg dialog(config_.Settings().imageBaseSettingsFile_, key);
    RunClosing(dialog, [&](fw::Dialog& window) {
        EXPECT_EQ("Förvald bildbas", fw::Window(window).Text());
        EXPECT_EQ("Tillgängliga bildbaser:", Text(window, IDC_SELECT_IMAGEBASE_LABEL));
        // No bases, no default: nothing to choose.
        EXPECT_FALSE(IsEnabled(window, IDOK));
    });
}

// ---- The clipboard picture wizard ----------------------------------------------------------------

namespace {

// A 120 x 60 picture on the clipboard: left half red, right half blue.
void PutPictureOnClipboard()
{
    HDC screen = ::GetDC(nullptr);
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen, 120, 60);
    HDC memory = ::CreateCompatibleDC(screen);
    HGDIOBJ old = ::SelectObject(memory, bitmap);
    RECT left{0, 0, 60, 60};
    RECT right{60, 0, 120, 60};
    fw::Brush red(::CreateSolidBrush(RGB(255, 0, 0)));
    fw::Brush blue(::CreateSolidBrush(RGB(0, 0, 255)));
    ::FillRect(memory, &left, red);
    ::FillRect(memory, &right, blue);
    ::SelectObject(memory, old);
    ::DeleteDC(memory);
    ::ReleaseDC(nullptr, screen);
    ASSERT_TRUE(::OpenClipboard(nullptr));
    ::EmptyClipboard();
    ::SetClipboardData(CF_BITMAP, bitmap);
    ::CloseClipboard();
}

void EmptyTheClipboard()
{
    if (::OpenClipboard(nullptr)) {
        ::EmptyClipboard();
        ::CloseClipboard();
    }
}

// Presses a wizard button and waits until the sheet has acted on it.
void Press(ClipboardSheet& sheet, int button, int expectedPage)
{
    sheet.PressButton(button);
    EXPECT_TRUE(PumpUntil([&] { return expectedPage < 0 ? !sheet.IsRunning() : sheet.ActiveIndex() == expectedPage; }));
}

// Opens the wizard, pastes the clipboard's picture and goes on to the save page.
void PasteAndGoToTheSavePage(ClipboardSheet& sheet)
{
    ASSERT_TRUE(sheet.Create(nullptr));
    fw::PumpMessages();
    Click(sheet.PastePage(), IDC_CLIP_PASTE);
    Press(sheet, PSBTN_NEXT, 1);
    Press(sheet, PSBTN_NEXT, 2);
}


} // namespace

TEST(ClipboardSheet, PastesCropsOnceUndoesAndSavesUnderTheProposedName)
{
    TempFolder folder;
    ::CloseHandle(::CreateFileA((folder / "1.jpg").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    PutPictureOnClipboard();
    ClipboardSheet sheet(nullptr, folder.Path(), nullptr);
    ASSERT_TRUE(sheet.Create(nullptr));
    fw::PumpMessages();
    EXPECT_EQ("Klistra in bild - Klistra in", fw::Window(sheet.Handle()).Text());
    Click(sheet.PastePage(), IDC_CLIP_PASTE);
    EXPECT_TRUE(fw::PathExists(sheet.Work().workFile));
    Snapshot(sheet.Handle(), "clipboard_paste");

    Press(sheet, PSBTN_NEXT, 1);
    ClipboardDlg_Crop& crop = sheet.CropPage();
    const RECT shown = crop.Crop().Shown();
    EXPECT_NEAR(2 * (shown.bottom - shown.top), shown.right - shown.left, 2);
    EXPECT_TRUE(::EqualRect(&shown, &crop.Crop().Selection()));
    EXPECT_FALSE(IsEnabled(crop, IDC_CLIP_ENLARGE));
    EXPECT_FALSE(IsEnabled(crop, IDC_CLIP_UNDO));

    // The keys reach the crop page through the sheet's accelerators: '-' shrinks by the factor's
    // step and '+' enlarges, Right moves the selection.
    const auto typeKey = [&](char key) {
        ::PostMessageA(::GetDlgItem(crop, IDC_CLIP_CROP_AREA), WM_CHAR, static_cast<unsigned char>(key), 0);
        fw::PumpMessages();
    };
    for (char key : {'-', '-', '+', '-'})
        typeKey(key);
    EXPECT_NEAR(0.9, crop.Factor(), 1e-9);
    RECT selection = crop.Crop().Selection();
    ::PostMessageA(::GetDlgItem(crop, IDC_CLIP_CROP_AREA), WM_KEYDOWN, VK_RIGHT, 0);
    fw::PumpMessages();
    EXPECT_EQ(selection.left + 1, crop.Crop().Selection().left);
    Snapshot(sheet.Handle(), "clipboard_crop");

    // Cropping selects the whole cropped picture again; undo brings the whole picture back.
    ASSERT_NE(nullptr, crop.Picture());
    EXPECT_EQ(120, crop.Picture()->Width());
    Click(crop, IDC_CLIP_CROP);
    EXPECT_TRUE(crop.Cropped());
    EXPECT_TRUE(IsEnabled(crop, IDC_CLIP_UNDO));
    EXPECT_TRUE(::EqualRect(&crop.Crop().Shown(), &crop.Crop().Selection()));
    EXPECT_LT(crop.Picture()->Width(), 120);
    Click(crop, IDC_CLIP_UNDO);
    EXPECT_FALSE(crop.Cropped());
    EXPECT_EQ(120, crop.Picture()->Width());
    EXPECT_EQ(60, crop.Picture()->Height());
    EXPECT_TRUE(::EqualRect(&shown, &crop.Crop().Shown()));

    // Shrunk and cropped: the save page shows the cropped picture, cropped once.
    typeKey('-');
    Click(crop, IDC_CLIP_CROP);
    Press(sheet, PSBTN_NEXT, 2);
    PictureControl* saved = sheet.SavePage().Picture();
    ASSERT_NE(nullptr, saved);
    EXPECT_NEAR(114, saved->Width(), 2);
    EXPECT_EQ(folder / "2.jpg", Text(sheet.SavePage(), IDC_CLIP_FILE_NAME));
    Snapshot(sheet.Handle(), "clipboard_save");

    Press(sheet, PSBTN_FINISH, -1);
    EXPECT_EQ(folder / "2.jpg", sheet.Saved());
    EXPECT_TRUE(fw::PathExists(folder / "2.jpg"));
    sheet.Destroy();
}

// Finish never replaces a file without asking; No keeps the wizard open and the file as it was. The
// browse dialog asks about replacing itself, and Finish then does not ask again. A bare file name is
// saved in the proposed folder, not taken for a folder of its own.
TEST(ClipboardSheet, FinishAsksBeforeReplacingAndABareNameGoesIntoTheFolder)
{
    TempFolder folder;
    PutPictureOnClipboard();
    for (const bool browse : {true, false}) {
        folder.Write("bil.jpg", "en annan bild");
        ClipboardSheet sheet(nullptr, folder.Path(), nullptr);
        PasteAndGoToTheSavePage(sheet);
        // Typed without its extension, the name is asked about as the file it will be.
        SetText(sheet.SavePage(), IDC_CLIP_FILE_NAME, browse ? "bil.jpg" : "bil");
        {
            testsupport::ScriptedMessages messages;
            messages.Expect(IDS_CLIP_REPLACE, IDNO);
            sheet.PressButton(PSBTN_FINISH);
            fw::PumpMessages();
            ASSERT_EQ(1u, messages.Shown().size());
            EXPECT_NE(std::string::npos, messages.Shown()[0].text.find(folder / "bil.jpg"));
        }
        EXPECT_TRUE(sheet.IsRunning());
        EXPECT_EQ("en annan bild", TempFolder::Read(folder / "bil.jpg"));

        std::string expected = folder / "buss.jpg";
        if (browse) {
            fw::CommonDialogHandlers handlers;
            handlers.saveFile = [&](OPENFILENAMEA& request) {
                EXPECT_TRUE(request.Flags & OFN_OVERWRITEPROMPT);
                lstrcpynA(request.lpstrFile, (folder / "bil.jpg").c_str(), static_cast<int>(request.nMaxFile));
                return true;
            };
            fw::SetCommonDialogHandlers(handlers);
            Click(sheet.SavePage(), IDC_CLIP_BROWSE);
            fw::SetCommonDialogHandlers(fw::CommonDialogHandlers());
            expected = folder / "bil.jpg";
        } else {
            SetText(sheet.SavePage(), IDC_CLIP_FILE_NAME, "buss.jpg");
        }
        Press(sheet, PSBTN_FINISH, -1);
        EXPECT_EQ(expected, sheet.Saved()) << browse;
        EXPECT_NE("en annan bild", TempFolder::Read(expected)) << browse;
        sheet.Destroy();
    }
}

// A typed relative path lies under the proposed folder, never under the program's current folder.
TEST(ClipboardSheet, ARelativePathIsSavedUnderTheProposedFolder)
{
    TempFolder folder;
    TempFolder current;
    PutPictureOnClipboard();
    char before[MAX_PATH] = "";
    ::GetCurrentDirectoryA(MAX_PATH, before);
    ::SetCurrentDirectoryA(current.Path().c_str());
    ClipboardSheet sheet(nullptr, folder.Path(), nullptr);
    PasteAndGoToTheSavePage(sheet);
    SetText(sheet.SavePage(), IDC_CLIP_FILE_NAME, "bilder\\katt");
    Press(sheet, PSBTN_FINISH, -1);
    ::SetCurrentDirectoryA(before);
    EXPECT_EQ(folder / "bilder\\katt.jpg", sheet.Saved());
    EXPECT_TRUE(fw::FileExists(folder / "bilder\\katt.jpg"));
    EXPECT_FALSE(fw::PathExists(current / "bilder"));
    sheet.Destroy();
}

// The save page proposes a name once: a name typed there stays when the user goes back to crop
// again and returns.
TEST(ClipboardSheet, ANameTypedOnTheSavePageStaysWhenThePageIsEnteredAgain)
{
    TempFolder folder;
    PutPictureOnClipboard();
    ClipboardSheet sheet(nullptr, folder.Path(), nullptr);
    PasteAndGoToTheSavePage(sheet);
    EXPECT_EQ(folder / "1.jpg", Text(sheet.SavePage(), IDC_CLIP_FILE_NAME));
    SetText(sheet.SavePage(), IDC_CLIP_FILE_NAME, folder / "Katt.jpg");
    Press(sheet, PSBTN_BACK, 1);
    Press(sheet, PSBTN_NEXT, 2);
    EXPECT_EQ(folder / "Katt.jpg", Text(sheet.SavePage(), IDC_CLIP_FILE_NAME));
    Press(sheet, PSBTN_FINISH, -1);
    EXPECT_EQ(folder / "Katt.jpg", sheet.Saved());
    EXPECT_TRUE(fw::PathExists(folder / "Katt.jpg"));
    sheet.Destroy();
}

TEST(ClipboardSheet, WithoutAPictureNothingIsSavedAndNoNameComesBack)
{
    TempFolder folder;
    EmptyTheClipboard();
    ClipboardSheet sheet(nullptr, folder.Path(), nullptr);
    ASSERT_TRUE(sheet.Create(nullptr));
    fw::PumpMessages();
    Click(sheet.PastePage(), IDC_CLIP_PASTE);
    EXPECT_FALSE(fw::PathExists(sheet.Work().workFile));
    Press(sheet, PSBTN_NEXT, 1);
    Press(sheet, PSBTN_NEXT, 2);
    // Finish without a picture saves nothing and the wizard stays.
    sheet.PressButton(PSBTN_FINISH);
    fw::PumpMessages();
    EXPECT_TRUE(sheet.IsRunning());
    EXPECT_EQ(2, sheet.ActiveIndex());
    sheet.PressButton(PSBTN_CANCEL);
    PumpUntil([&] { return !sheet.IsRunning(); });
    EXPECT_EQ("", sheet.Saved());
    EXPECT_FALSE(fw::PathExists(folder / "1.jpg"));
    sheet.Destroy();
}

namespace {

// The block dialog on a configuration with image bases ("A", the default, holds 201 katt, 202 kisse
// and 203 hund), for the buttons that give a block its picture or its content command.
class BlockButtons : public testing::Test {
protected:
    BlockButtons() { config_.Settings().imageBaseSettingsFile_ = config_.Bases().Settings(); }
    BlockDialogContext Context() { return BlockDialogContext{&config_.Settings(), nullptr, 0}; }
    std::string Hund() const { return config_.Bases().AnimalsShortFolder() + "\\hund.bmp"; }

    CommandConfig config_;
};

} // namespace

// Without a command the content dialog opens on one built from the block's text; its OK replaces the
// command, its Cancel leaves it.
TEST_F(BlockButtons, TheContentCommandStartsFromTheBlockAndOkReplacesTheCommand)
{
    Block block = OneRange();
    block.text_ = "Hej";
    DefineBlockDlg dialog(block, Context(), BlockCommandContext{});
    RunClosing(dialog, [&](fw::Dialog& window) {
        OnNextDialog([](fw::Dialog& content) { Close(content, IDCANCEL); });
        Click(window, IDC_BLOCK_CONTENT);
        EXPECT_EQ("", Text(window, IDC_BLOCK_COMMAND));
        OnNextDialog([](fw::Dialog& content) {
            EXPECT_EQ("Hej", Text(content, IDC_KVORA_TEXT));
            Close(content, IDOK);
        });
        Click(window, IDC_BLOCK_CONTENT);
        // The content dialog gives back the caption alone, in its own form.
        EXPECT_EQ("@'Hej'@", Text(window, IDC_BLOCK_COMMAND));
        Click(window, IDOK);
    });
    EXPECT_EQ("@'Hej'@", block.command_);
}

// The content dialog shows the command's content string; keys typed around it stay as they were, and
// OK without a change leaves the command byte for byte.
TEST_F(BlockButtons, TheContentDialogKeepsTheKeysAroundTheContentString)
{
    const struct {
        const char* command;
        const char* label;  // typed before OK; null: nothing changed
        const char* after;
    } cases[] = {
        {"<Ctrl+K>@'Hej'@<Return>Hej<Return>", nullptr, "<Ctrl+K>@'Hej'@<Return>Hej<Return>"},
        {"<Ctrl+K>@+'Hej'@<Return>", nullptr, "<Ctrl+K>@+'Hej'@<Return>"},
        {"<Ctrl+K>@'Hej'@<Return>Hej<Return>", "Hopp", "<Ctrl+K>@'Hopp'@<Return>Hej<Return>"},
    };
    for (const auto& c : cases) {
        Block block = OneRange();
        block.command_ = c.command;
        DefineBlockDlg dialog(block, Context(), BlockCommandContext{});
        RunClosing(dialog, [&](fw::Dialog& window) {
            OnNextDialog([&](fw::Dialog& content) {
                EXPECT_EQ("Hej", Text(content, IDC_KVORA_TEXT)) << c.command;
                if (c.label)
                    SetText(content, IDC_KVORA_TEXT, c.label);
                Close(content, IDOK);
            });
            Click(window, IDC_BLOCK_CONTENT);
            EXPECT_EQ(c.after, Text(window, IDC_BLOCK_COMMAND));
            Click(window, IDOK);
        });
        EXPECT_EQ(c.after, block.command_);
    }
}

// A picture's word with a '<' would open a tag in the automatic command: the picture is taken, the
// command is not written, and the user is told why.
TEST_F(BlockButtons, TheAutomaticCommandRefusesAWordThatWouldOpenATag)
{
    std::string animals;
    ASSERT_EQ(fw::FileRead::Whole, fw::ReadWholeFile(config_.Bases().Path("djur.ini"), animals));
    const size_t hund = animals.find("203=hund,hund");
    ASSERT_NE(std::string::npos, hund);
    ASSERT_TRUE(fw::WriteReplacing(config_.Bases().Path("djur.ini"), animals.replace(hund, 13, "203=hu<nd,hund")));
    FileIO& settings = config_.Settings();
    settings.autoCommand_.enabled_ = 1;
    settings.autoCommand_.mode_ = AutoCommandSettings::kPictureText;
    settings.autoCommand_.prefix_ = "@'";
    settings.autoCommand_.suffix_ = "'@<Return>";
    Block block = OneRange();
    block.command_ = "abc";
    DefineBlockDlg dialog(block, Context(), BlockCommandContext{});
    ScriptedMessages messages;
    messages.Expect(IDS_AUTO_COMMAND_TAG);
    RunClosing(dialog, [&](fw::Dialog& window) {
        OnNextDialog([](fw::Dialog& chooser) {
            const int word = chooser.Control<fw::ListBox>(IDC_IMAGEBASE_PICTURES).FindExact("hu<nd");
            EXPECT_GE(word, 0);
            if (word >= 0)
                SelectList(chooser, IDC_IMAGEBASE_PICTURES, word);
            Close(chooser, word >= 0 ? IDOK : IDCANCEL);
        });
        Click(window, IDC_BLOCK_FROM_IMAGEBASE);
        ASSERT_EQ(1u, messages.Shown().size());
        EXPECT_NE(std::string::npos, messages.Shown()[0].text.find("\"hu<nd\"")) << messages.Shown()[0].text;
        EXPECT_EQ("abc", Text(window, IDC_BLOCK_COMMAND));
        Click(window, IDOK);
    });
    EXPECT_EQ("A203", block.pictureCode_);
    EXPECT_EQ("abc", block.command_);
}

TEST_F(BlockButtons, APictureFromAnImageBaseGivesTheBlockItsPathAndCode)
{
    Block block = OneRange();
    DefineBlockDlg dialog(block, Context(), BlockCommandContext{});
    RunClosing(dialog, [&](fw::Dialog& window) {
        EXPECT_FALSE(IsEnabled(window, IDC_BLOCK_REMOVE_PICTURE));
        OnNextDialog([](fw::Dialog& chooser) {
            fw::ListBox pictures = chooser.Control<fw::ListBox>(IDC_IMAGEBASE_PICTURES);
            std::string all;
            for (int i = 0; i < pictures.Count(); ++i)
                all += pictures.ItemText(i) + "|";
            const int hund = pictures.FindExact("hund");
            EXPECT_GE(hund, 0) << all;
            if (hund >= 0)
                SelectList(chooser, IDC_IMAGEBASE_PICTURES, hund);
            Close(chooser, hund >= 0 ? IDOK : IDCANCEL);
        });
        Click(window, IDC_BLOCK_FROM_IMAGEBASE);
        EXPECT_TRUE(IsEnabled(window, IDC_BLOCK_REMOVE_PICTURE));
        ASSERT_NE(nullptr, dialog.Picture());
        EXPECT_TRUE(dialog.Picture()->HasPicture());
        Click(window, IDOK);
    });
    EXPECT_EQ("A203", block.pictureCode_);
    EXPECT_EQ(config_.Bases().AnimalsLongFolder() + "\\hund.bmp", block.picturePath_);
}

// A picture file replaces a picture from an image base, and its folder is where the next browse starts.
TEST_F(BlockButtons, BrowsingTakesTheFileAndRemembersItsFolder)
{
    Block block = OneRange();
    block.pictureCode_ = "A201";
    block.libraryPicture_ = 1;
    FileDialogs dialogs;
    dialogs.answers = {Hund()};
    DefineBlockDlg dialog(block, Context(), BlockCommandContext{});
    RunClosing(dialog, [&](fw::Dialog& window) {
        Click(window, IDC_BLOCK_BROWSE_PICTURE);
        EXPECT_TRUE(IsEnabled(window, IDC_BLOCK_REMOVE_PICTURE));
        ASSERT_NE(nullptr, dialog.Picture());
        EXPECT_TRUE(dialog.Picture()->HasPicture());
        Click(window, IDOK);
    });
    ASSERT_EQ(1u, dialogs.seen.size());
    EXPECT_EQ("Bl\xE4" "ddra bild", dialogs.seen[0].title);
    EXPECT_EQ(Hund(), block.picturePath_);
    EXPECT_EQ("", block.pictureCode_);
    EXPECT_EQ(0, block.libraryPicture_);
    std::string folder;
    config_.Settings().GetImageDir(folder);
    EXPECT_EQ(config_.Bases().AnimalsShortFolder(), folder);
}

// The clipboard wizard saves the pasted picture in the automatic picture folder, and that file
// becomes the block's picture.
TEST_F(BlockButtons, APastedPictureIsSavedAndBecomesTheBlocksPicture)
{
    PutPictureOnClipboard();
    Block block = OneRange();
    block.pictureCode_ = "A201";
    DefineBlockDlg dialog(block, Context(), BlockCommandContext{});
    RunClosing(dialog, [&](fw::Dialog& window) {
        fw::PropSheet::PushInitHook([](fw::PropSheet& sheet) {
            auto& wizard = static_cast<ClipboardSheet&>(sheet);
            Click(wizard.PastePage(), IDC_CLIP_PASTE);
            Press(wizard, PSBTN_NEXT, 1);
            Press(wizard, PSBTN_NEXT, 2);
            Press(wizard, PSBTN_FINISH, -1);
        });
        Click(window, IDC_BLOCK_PASTE_PICTURE);
        EXPECT_EQ(0u, fw::PropSheet::PendingInitHooks());
        EXPECT_TRUE(IsEnabled(window, IDC_BLOCK_REMOVE_PICTURE));
        Click(window, IDOK);
    });
    const std::string saved = config_.Settings().autoImageFolder_ + "\\1.jpg";
    EXPECT_EQ(saved, block.picturePath_);
    EXPECT_TRUE(fw::PathExists(saved));
    EXPECT_EQ("", block.pictureCode_);
}

// A program's icon is shown at once and saved as the block's picture on OK, under the program's name;
// removed before OK, nothing is saved.
TEST_F(BlockButtons, AProgramsIconIsSavedAsThePictureOnlyOnOk)
{
    StartMenuFixture menu;
    char self[MAX_PATH] = "";
    ::GetModuleFileNameA(nullptr, self, MAX_PATH);
    menu.Shortcut("user\\Prov.lnk", self, "");
    std::string title = self;
    title = title.substr(title.find_last_of('\\') + 1);
    title = title.substr(0, title.rfind('.'));
    const std::string icon = config_.Settings().autoIconFolder_ + "\\" + title + "_icon.bmp";
    for (const bool removed : {true, false}) {
        Block block = OneRange();
        block.picturePath_ = Hund();
        DefineBlockDlg dialog(block, Context(), BlockCommandContext{});
        RunClosing(dialog, [&](fw::Dialog& window) {
            OnNextDialog([](fw::Dialog& programs) {
                ASSERT_TRUE(StartMenuFixture::SelectItem(programs, {"Prov"}));
                Close(programs, IDOK);
            });
            Click(window, IDC_BLOCK_PROGRAM_ICON);
            ASSERT_NE(nullptr, dialog.Picture());
            EXPECT_TRUE(dialog.Picture()->HasPicture());
            EXPECT_FALSE(fw::PathExists(icon)) << "saved before OK";
            if (removed)
                Click(window, IDC_BLOCK_REMOVE_PICTURE);
            Click(window, IDOK);
        });
        EXPECT_EQ(removed ? "" : icon, block.picturePath_) << removed;
        EXPECT_EQ(!removed, fw::PathExists(icon)) << removed;
    }
}

namespace {

// The file title of the program whose icon the start menu fixture's "Prov" shortcut gives.
std::string TestProgramTitle()
{
    char self[MAX_PATH] = "";
    ::GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string title = self;
    title = title.substr(title.find_last_of('\\') + 1);
    return title.substr(0, title.rfind('.'));
}

void ChooseProgramIcon(fw::Dialog& window)
{
    OnNextDialog([](fw::Dialog& programs) {
        ASSERT_TRUE(StartMenuFixture::SelectItem(programs, {"Prov"}));
        Close(programs, IDOK);
    });
    Click(window, IDC_BLOCK_PROGRAM_ICON);
}

} // namespace

// Two programs of one file title: the icon file that holds the other program's icon stays as it
// was, this icon takes the first free name, and a block with this same icon shares that file.
TEST_F(BlockButtons, AProgramsIconNeverReplacesAnotherProgramsIcon)
{
    StartMenuFixture menu;
    char self[MAX_PATH] = "";
    ::GetModuleFileNameA(nullptr, self, MAX_PATH);
    menu.Shortcut("user\\Prov.lnk", self, "");
    const std::string folder = config_.Settings().autoIconFolder_;
    ::CreateDirectoryA(folder.c_str(), nullptr);
    const std::string stem = folder + "\\" + TestProgramTitle() + "_icon";
    ASSERT_TRUE(fw::WriteReplacing(stem + ".bmp", "en annan ikon"));
    for (const bool background : {false, true}) {
        Block block = OneRange();
        std::unique_ptr<fw::Dialog> dialog;
        if (background)
            dialog = std::make_unique<DefineBkDlg>(block, Context());
        else
            dialog = std::make_unique<DefineBlockDlg>(block, Context(), BlockCommandContext{});
        RunClosing(*dialog, [&](fw::Dialog& window) {
            ChooseProgramIcon(window);
            Click(window, IDOK);
        });
        EXPECT_EQ(stem + "2.bmp", block.picturePath_) << background;
        std::string kept;
        EXPECT_EQ(fw::FileRead::Whole, fw::ReadWholeFile(stem + ".bmp", kept));
        EXPECT_EQ("en annan ikon", kept);
        EXPECT_TRUE(fw::FileExists(stem + "2.bmp"));
        EXPECT_FALSE(fw::PathExists(stem + "3.bmp")) << "the same icon saved twice";
    }
}

// The icon's file is checked as the block's picture before OK takes it: an icon folder with a comma
// is refused in both dialogs, and nothing is written.
TEST_F(BlockButtons, AProgramIconsPathIsCheckedBeforeOkTakesIt)
{
    StartMenuFixture menu;
    char self[MAX_PATH] = "";
    ::GetModuleFileNameA(nullptr, self, MAX_PATH);
    menu.Shortcut("user\\Prov.lnk", self, "");
    TempFolder icons;
    config_.Settings().autoIconFolder_ = icons / "Ikoner, nya";
    const std::string icon = config_.Settings().autoIconFolder_ + "\\" + TestProgramTitle() + "_icon.bmp";
    for (const bool background : {false, true}) {
        Block block = OneRange();
        std::unique_ptr<fw::Dialog> dialog;
        if (background)
            dialog = std::make_unique<DefineBkDlg>(block, Context());
        else
            dialog = std::make_unique<DefineBlockDlg>(block, Context(), BlockCommandContext{});
        ScriptedMessages messages;
        messages.Expect(IDS_BLOCK_UNSTORABLE);
        const INT_PTR result = RunClosing(*dialog, [&](fw::Dialog& window) {
            ChooseProgramIcon(window);
            ::SendMessageA(window, WM_COMMAND, IDOK, 0);
            ASSERT_TRUE(::IsWindowVisible(window)) << background;
            ASSERT_EQ(1u, messages.Shown().size()) << background;
            EXPECT_NE(std::string::npos, messages.Shown()[0].text.find("en bildsökväg")) << background;
            Close(window, IDCANCEL);
        });
        EXPECT_EQ(IDCANCEL, result);
        EXPECT_FALSE(fw::PathExists(icon)) << background;
        EXPECT_EQ("", block.picturePath_) << background;
    }
}

// Removing the picture empties every part of it, clears the frame and disables the button itself.
TEST_F(BlockButtons, RemovingThePictureEmptiesItAndDisablesTheButton)
{
    Block block = OneRange();
    block.picturePath_ = Hund();
    block.pictureCode_ = "A203";
    block.libraryPicture_ = 1;
    DefineBlockDlg dialog(block, Context(), BlockCommandContext{});
    RunClosing(dialog, [&](fw::Dialog& window) {
        ASSERT_NE(nullptr, dialog.Picture());
        EXPECT_TRUE(dialog.Picture()->HasPicture());
        EXPECT_TRUE(IsEnabled(window, IDC_BLOCK_REMOVE_PICTURE));
        Click(window, IDC_BLOCK_REMOVE_PICTURE);
        EXPECT_FALSE(IsEnabled(window, IDC_BLOCK_REMOVE_PICTURE));
        EXPECT_FALSE(dialog.Picture()->HasPicture());
        Click(window, IDOK);
    });
    EXPECT_EQ("", block.picturePath_);
    EXPECT_EQ("", block.pictureCode_);
    EXPECT_EQ(0, block.libraryPicture_);
}
