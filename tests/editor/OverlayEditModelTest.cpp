// The overlay editor's decisions without a window, as tables: clicks and the marker, drags that move,
// resize and copy, the clipboard, define, undo across views, the unstorable values and closing.
#include "CellNames.h"
#include "editor/OverlayEditModel.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

using editortest::Cell;
using editortest::Ranges;

namespace {

Block MakeBlock(std::vector<RECT> cells, const std::string& text = std::string())
{
    Block block;
    block.cells_ = std::move(cells);
    block.text_ = text;
    return block;
}

// Each block of the array as its text and ranges, the selected one starred.
std::string Blocks(const std::vector<Block>& blocks)
{
    std::string text;
    for (const Block& block : blocks)
        text += (text.empty() ? "" : " ") + block.text_ + (block.selected_ ? "*" : "") + Ranges(block.cells_);
    return text;
}

// Keys: "a" on B2-C3, "b" on F2; background: "bg" on A1-P8's first row.
class ModelTest : public testing::Test {
protected:
    ModelTest()
    {
        model_.Load({MakeBlock({{1, 1, 2, 2}}, "a"), MakeBlock({{5, 1, 5, 1}}, "b")},
                    {MakeBlock({{0, 0, 15, 0}}, "bg")});
    }
    OverlayEditModel model_;
};

} // namespace

TEST_F(ModelTest, ClicksSelectBlocksAndCells)
{
    struct Step {
        const char* cell;
        bool ctrl, shift;
        int selected;
        int firstFree;  // the first selected free cell afterwards
    } steps[] = {
        {"B2", false, false, 0, -1},       // a covered cell selects its block
        {"C3", false, false, -1, -1},      // the selected block again: deselected
        {"A1", false, false, -1, 0},       // a free cell toggles
        {"F2", true, false, 1, -1},        // picking a block clears the free cells
        {"B2", false, false, 0, -1},       // another block moves the selection
        {"A1", false, false, -1, 0},       // a free cell deselects the block
        {"A1", false, false, -1, -1},      // and toggles back
        {"H1", false, false, -1, 7},
        {"J3", false, true, -1, 7},        // shift: the span from H1
    };
    for (const Step& step : steps) {
        model_.ClickCell(Cell(step.cell), step.ctrl, step.shift);
        EXPECT_EQ(step.selected, model_.Selected()) << step.cell;
        EXPECT_EQ(step.firstFree, model_.Grid().FirstSelectedFreeCell()) << step.cell;
    }
    EXPECT_TRUE(model_.Grid().IsCellSelected(Cell("J3")));
    EXPECT_TRUE(model_.Grid().IsCellSelected(Cell("I2")));
    EXPECT_FALSE(model_.Grid().IsCellSelected(Cell("G2")));
}

TEST_F(ModelTest, MarkerMovesInsideTheGridAndClicks)
{
    EXPECT_FALSE(model_.MoveMarker(1));  // none placed
    model_.ClickCell(Cell("A1"), false, false);
    model_.PlaceMarker();
    EXPECT_EQ(0, model_.Marker());
    EXPECT_EQ(-1, model_.Grid().FirstSelectedFreeCell());  // placing clears the selection
    struct Step {
        int step;
        bool moved;
        int marker;
    } steps[] = {{-1, false, 0}, {-16, false, 0}, {1, true, 1}, {16, true, 17}, {16 * 6, true, 113},
                 {16, false, 113}, {14, true, 127}, {1, false, 127}, {-16, true, 111}};
    for (const Step& step : steps) {
        EXPECT_EQ(step.moved, model_.MoveMarker(step.step)) << step.step;
        EXPECT_EQ(step.marker, model_.Marker());
    }
    model_.MarkerClick();
    EXPECT_TRUE(model_.Grid().IsCellSelected(111));
    while (model_.Marker() != Cell("B2"))
        model_.MoveMarker(model_.Marker() > Cell("B2") ? -1 : 1);
    model_.MarkerClick();
    EXPECT_EQ(0, model_.Selected());
    EXPECT_FALSE(model_.Grid().IsCellSelected(111));
    model_.MarkerClick();
    EXPECT_EQ(-1, model_.Selected());
}

TEST_F(ModelTest, DragsMoveResizeAndCopyOnlyOntoFreeCells)
{
    struct Case {
        const char* what;
        const char* press;
        std::vector<const char*> path;
        int handle;  // hovered before the press: a resize by it, else a move
        bool ctrl;
        OverlayEditModel::DropResult result;
        std::string keys;
        UndoKind undo;
    } cases[] = {
        {"move", "B2", {"C2", "C3"}, 0, false, OverlayEditModel::DropResult::Moved,
         "a*(2,2,3,3) b(5,1,5,1)", UndoKind::Move},
        {"move onto b", "B2", {"C2", "D2", "E2"}, 0, false, OverlayEditModel::DropResult::RefusedMove,
         "a*(1,1,2,2) b(5,1,5,1)", UndoKind::None},
        {"a step off the grid is skipped", "C3", {"A3", "B3"}, 0, false,
         OverlayEditModel::DropResult::Moved, "a*(0,1,1,2) b(5,1,5,1)", UndoKind::Move},
        {"resize right", "C2", {"D2"}, 4, false, OverlayEditModel::DropResult::Resized,
         "a*(1,1,3,2) b(5,1,5,1)", UndoKind::Resize},
        {"resize onto b", "C2", {"D2", "E2", "F2"}, 4, false, OverlayEditModel::DropResult::RefusedResize,
         "a*(1,1,2,2) b(5,1,5,1)", UndoKind::None},
        {"copy", "B2", {"B3", "B4", "B5"}, 0, true, OverlayEditModel::DropResult::Copied,
         "a(1,1,2,2) b(5,1,5,1) a*(1,4,2,5)", UndoKind::Paste},
        {"copy over itself", "B2", {"B3"}, 0, true, OverlayEditModel::DropResult::RefusedCopy,
         "a*(1,1,2,2) b(5,1,5,1)", UndoKind::None},
        {"press and release in place", "B2", {}, 0, false, OverlayEditModel::DropResult::None,
         "a*(1,1,2,2) b(5,1,5,1)", UndoKind::None},
        {"press on another block", "F2", {"G2"}, 0, false, OverlayEditModel::DropResult::None,
         "a*(1,1,2,2) b(5,1,5,1)", UndoKind::None},
    };
    for (const Case& c : cases) {
        OverlayEditModel model;
        model.Load({MakeBlock({{1, 1, 2, 2}}, "a"), MakeBlock({{5, 1, 5, 1}}, "b")}, {});
        model.ClickCell(Cell("B2"), false, false);
        model.HoverHandle(c.handle);
        model.PressCell(Cell(c.press));
        for (const char* cell : c.path)
            model.DragTo(Cell(cell));
        const OverlayEditModel::Release release = model.ReleaseButton(c.ctrl);
        EXPECT_TRUE(release.pressed) << c.what;
        EXPECT_EQ(c.result, release.drop) << c.what;
        EXPECT_EQ(fw::kNoHandle, model.ResizeHandle()) << c.what;  // a resize ends with its drop
        EXPECT_EQ(c.keys, Blocks(model.Keys())) << c.what;
        EXPECT_EQ(c.undo, model.GetUndoKind()) << c.what;
        const bool changed = c.undo != UndoKind::None;
        EXPECT_EQ(changed, model.IsModified()) << c.what;
        // The grid's marks follow the blocks: every block's cells covered, nothing else.
        int covered = 0;
        for (int cell = 0; cell < KeyGrid::kCellCount; ++cell)
            covered += model.Grid().GetCellValue(cell) != 0 ? 1 : 0;
        int expected = 0;
        for (const Block& block : model.Keys())
            for (const RECT& r : block.cells_)
                expected += (r.right - r.left + 1) * (r.bottom - r.top + 1);
        EXPECT_EQ(expected, covered) << c.what;
        if (changed) {
            EXPECT_TRUE(model.Undo());
            EXPECT_EQ("a(1,1,2,2) b(5,1,5,1)", Blocks(model.Keys())) << c.what;
        }
    }
}

// The resize handle and the drag belong to one press of one selected block: a click that changes
// the selection, or a press the window loses, leaves neither behind.
TEST_F(ModelTest, NoResizeHandleOrDragOutlivesItsSelectionOrItsPress)
{
    struct Case {
        const char* what;
        const char* click;  // the click after the handle was hovered
        int selected;
    } cases[] = {
        {"the selected block clicked again: deselected", "C2", -1},
        {"another block chosen", "F2", 1},
        {"a free cell chosen", "H5", -1},
    };
    for (const Case& c : cases) {
        OverlayEditModel model;
        model.Load({MakeBlock({{1, 1, 2, 2}}, "a"), MakeBlock({{5, 1, 5, 1}}, "b")}, {});
        model.ClickCell(Cell("B2"), false, false);
        model.HoverHandle(fw::kRightEdge);
        EXPECT_EQ(fw::kRightEdge, model.ResizeHandle()) << c.what;
        model.PressCell(Cell(c.click));
        const OverlayEditModel::Release release = model.ReleaseButton(false);
        EXPECT_FALSE(release.dragged) << c.what;
        model.ClickCell(Cell(c.click), false, false);
        EXPECT_EQ(c.selected, model.Selected()) << c.what;
        EXPECT_EQ(fw::kNoHandle, model.ResizeHandle()) << c.what;
    }

    // Mid-resize the press is lost: the working block stays where it is, a later move of the
    // pointer drags nothing, and the up that follows drops nothing.
    model_.ClickCell(Cell("B2"), false, false);
    model_.HoverHandle(fw::kRightEdge);
    model_.PressCell(Cell("C2"));
    EXPECT_TRUE(model_.DragTo(Cell("D2")));
    EXPECT_TRUE(model_.IsDragging());
    model_.CancelPress();
    EXPECT_FALSE(model_.IsDragging());
    EXPECT_FALSE(model_.IsButtonDown());
    EXPECT_TRUE(model_.Working().cells_.empty());
    EXPECT_EQ(fw::kNoHandle, model_.ResizeHandle());
    EXPECT_FALSE(model_.DragTo(Cell("E2")));
    const OverlayEditModel::Release release = model_.ReleaseButton(false);
    EXPECT_FALSE(release.pressed);
    EXPECT_EQ("a*(1,1,2,2) b(5,1,5,1)", Blocks(model_.Keys()));
    EXPECT_FALSE(model_.IsModified());
    EXPECT_EQ(UndoKind::None, model_.GetUndoKind());
}

TEST_F(ModelTest, PasteLandsOnTheFirstSelectedFreeCell)
{
    struct Case {
        const char* what;
        bool copyFirst;
        std::vector<const char*> cells;
        OverlayEditModel::PasteResult result;
        std::string keys;
    } cases[] = {
        {"nothing copied", false, {"H5"}, OverlayEditModel::PasteResult::None, "a(1,1,2,2) b(5,1,5,1)"},
        {"no free cell selected", true, {}, OverlayEditModel::PasteResult::None, "a(1,1,2,2) b(5,1,5,1)"},
        {"pasted", true, {"H5", "K7"}, OverlayEditModel::PasteResult::Pasted,
         "a(1,1,2,2) b(5,1,5,1) a*(7,4,8,5)"},
        {"leaves the grid", true, {"P8"}, OverlayEditModel::PasteResult::Refused, "a(1,1,2,2) b(5,1,5,1)"},
        {"onto b", true, {"E1"}, OverlayEditModel::PasteResult::Refused, "a(1,1,2,2) b(5,1,5,1)"},
    };
    for (const Case& c : cases) {
        OverlayEditModel model;
        model.Load({MakeBlock({{1, 1, 2, 2}}, "a"), MakeBlock({{5, 1, 5, 1}}, "b")}, {});
        if (c.copyFirst) {
            model.ClickCell(Cell("B2"), false, false);
            model.Copy();
            EXPECT_EQ(-1, model.Selected());
        }
        for (const char* cell : c.cells)
            model.ClickCell(Cell(cell), false, false);
        EXPECT_EQ(c.result, model.Paste()) << c.what;
        EXPECT_EQ(c.keys, Blocks(model.Keys())) << c.what;
        if (c.result == OverlayEditModel::PasteResult::Pasted) {
            EXPECT_EQ(3, model.Keys().back().id_);
            EXPECT_EQ(UndoKind::Paste, model.GetUndoKind());
        }
    }
}

TEST_F(ModelTest, CutDeleteAndAClipboardThatADragLeavesAlone)
{
    model_.ClickCell(Cell("F2"), false, false);
    model_.Cut();
    EXPECT_EQ("a(1,1,2,2)", Blocks(model_.Keys()));
    EXPECT_EQ(UndoKind::Cut, model_.GetUndoKind());
    EXPECT_EQ(0, model_.Grid().GetCellValue(Cell("F2")));

    // Dragging a block between cutting and pasting keeps the cut block.
    model_.ClickCell(Cell("B2"), false, false);
    model_.PressCell(Cell("B2"));
    model_.DragTo(Cell("C2"));
    EXPECT_EQ(OverlayEditModel::DropResult::Moved, model_.ReleaseButton(false).drop);
    model_.ClickCell(Cell("A8"), false, false);
    EXPECT_EQ(OverlayEditModel::PasteResult::Pasted, model_.Paste());
    EXPECT_EQ("a(2,1,3,2) b*(0,7,0,7)", Blocks(model_.Keys()));

    model_.Delete();
    EXPECT_EQ("a(2,1,3,2)", Blocks(model_.Keys()));
    EXPECT_EQ(UndoKind::Delete, model_.GetUndoKind());
    EXPECT_TRUE(model_.Undo());
    EXPECT_EQ("a(2,1,3,2) b(0,7,0,7)", Blocks(model_.Keys()));
    EXPECT_EQ(UndoKind::None, model_.GetUndoKind());
    EXPECT_FALSE(model_.Undo());  // one level
}

TEST_F(ModelTest, DefineMakesANewBlockOrChangesTheSelectedOne)
{
    Block edited;
    EXPECT_EQ(0, model_.BeginDefine(edited));
    model_.ClickCell(Cell("A5"), false, false);
    model_.ClickCell(Cell("C5"), false, false);
    EXPECT_EQ(-1, model_.BeginDefine(edited));
    model_.ClickCell(Cell("B5"), false, false);
    ASSERT_EQ(1, model_.BeginDefine(edited));
    EXPECT_EQ("(0,4,2,4)", Ranges(edited.cells_));
    edited.text_ = "ny";
    edited.backColor_ = RGB(1, 2, 3);
    model_.CommitDefine(edited);
    EXPECT_EQ("a(1,1,2,2) b(5,1,5,1) ny*(0,4,2,4)", Blocks(model_.Keys()));
    EXPECT_EQ(3, model_.Keys().back().id_);
    EXPECT_EQ(RGB(1, 2, 3), model_.DefaultBlock().backColor_);
    EXPECT_NE(0, model_.Grid().GetCellValue(Cell("B5")));

    // The selected block is edited as a copy; undo gives back the block as it was before.
    ASSERT_EQ(1, model_.BeginDefine(edited));
    edited.text_ = "ändrad";
    model_.CommitDefine(edited);
    EXPECT_EQ("a(1,1,2,2) b(5,1,5,1) ändrad*(0,4,2,4)", Blocks(model_.Keys()));
    EXPECT_EQ(UndoKind::Define, model_.GetUndoKind());
    EXPECT_TRUE(model_.Undo());
    EXPECT_EQ("a(1,1,2,2) b(5,1,5,1) ny(0,4,2,4)", Blocks(model_.Keys()));

    // A new background block makes the default block transparent.
    model_.SetView(OverlayEditModel::kBackgroundView);
    model_.ClickCell(Cell("A3"), false, false);
    ASSERT_EQ(1, model_.BeginDefine(edited));
    model_.CommitDefine(edited);
    EXPECT_EQ(1, model_.DefaultBlock().transparent_);
}

TEST_F(ModelTest, UndoReturnsToTheArrayItWasTakenFrom)
{
    struct Case {
        const char* what;
        int editView;
        int undoView;
        int viewAfter;  // the view the undone array is shown in
        std::string keys;
        std::string background;
    } cases[] = {
        {"keys edited, undone in the background view", 0, 2, 0, "a(1,1,2,2) b(5,1,5,1)", "bg(0,0,15,0)"},
        {"background edited, undone in the command view", 2, 1, 2, "a(1,1,2,2) b(5,1,5,1)", "bg(0,0,15,0)"},
        // The layout and command views show the same keys: undo stays in the view it is made in.
        {"keys edited, undone in the command view", 0, 1, 1, "a(1,1,2,2) b(5,1,5,1)", "bg(0,0,15,0)"},
        {"keys edited in the command view, undone in the layout view", 1, 0, 0, "a(1,1,2,2) b(5,1,5,1)",
         "bg(0,0,15,0)"},
    };
    for (const Case& c : cases) {
        OverlayEditModel model;
        model.Load({MakeBlock({{1, 1, 2, 2}}, "a"), MakeBlock({{5, 1, 5, 1}}, "b")},
                   {MakeBlock({{0, 0, 15, 0}}, "bg")});
        model.SetView(c.editView);
        const int cell = Cell(c.editView == 2 ? "B1" : "B2");
        model.ClickCell(cell, false, false);
        model.Delete();
        model.SetView(c.undoView);
        EXPECT_TRUE(model.Undo()) << c.what;
        EXPECT_EQ(c.keys, Blocks(model.Keys())) << c.what;
        EXPECT_EQ(c.background, Blocks(model.Background())) << c.what;
        // The undone array is shown, and the grid marks its blocks.
        EXPECT_EQ(c.viewAfter, model.GetView()) << c.what;
        EXPECT_NE(0, model.Grid().GetCellValue(cell)) << c.what;
    }
}

TEST_F(ModelTest, ViewSwitchesMarkTheEditedArray)
{
    model_.ClickCell(Cell("B2"), false, false);
    EXPECT_FALSE(model_.SetView(OverlayEditModel::kCommandView));  // same array: selection kept
    EXPECT_EQ(0, model_.Selected());
    EXPECT_TRUE(model_.SetView(OverlayEditModel::kBackgroundView));
    EXPECT_EQ(-1, model_.Selected());
    EXPECT_EQ(0, model_.Grid().GetCellValue(Cell("B2")));
    EXPECT_NE(0, model_.Grid().GetCellValue(Cell("P1")));
    EXPECT_TRUE(model_.SetView(OverlayEditModel::kLayoutView));
    EXPECT_NE(0, model_.Grid().GetCellValue(Cell("B2")));
}

TEST_F(ModelTest, FindsTheFirstValueAFileCannotHold)
{
    struct Case {
        const char* what;
        int section;
        std::string command, picture, text;
        int index;
        FileIO::BlockField field;
    } cases[] = {
        {"all storable", 0, "<Return>", "C:\\bild.bmp", "två\r\nrader", -1, FileIO::BlockField::None},
        {"a lone CR in a command", 0, "a\rb", "", "", 1, FileIO::BlockField::Command},
        {"a comma in a picture path", 1, "", "C:\\a,b.bmp", "", 0, FileIO::BlockField::Picture},
    };
    for (const Case& c : cases) {
        OverlayEditModel model;
        Block odd = MakeBlock({{3, 3, 3, 3}});
        odd.command_ = c.command;
        odd.picturePath_ = c.picture;
        odd.text_ = c.text;
        std::vector<Block> keys{MakeBlock({{0, 0, 0, 0}})};
        std::vector<Block> background;
        (c.section == 0 ? keys : background).push_back(odd);
        model.Load(keys, background);
        const FileIO::UnstorableValue found = model.FindUnstorable();
        EXPECT_EQ(c.field, found.field) << c.what;
        EXPECT_EQ(c.index, found.index) << c.what;
        if (c.index >= 0) {
            EXPECT_EQ(c.section, found.section) << c.what;
        }
    }
}

TEST(CloseQuestion, AsksWhereSavingIsPossibleAndSaysWhyWhereNot)
{
    using Ask = CloseQuestion::Ask;
    struct Case {
        const char* what;
        bool modified, canSave;
        int answer;
        bool saves;
        std::vector<Ask> asked;
        bool saved;
        bool closes;
    } cases[] = {
        {"unchanged", false, true, 0, true, {}, false, true},
        {"changed: yes saves", true, true, IDYES, true, {CloseQuestion::kAskSave}, true, true},
        {"changed: save fails, stays", true, true, IDYES, false, {CloseQuestion::kAskSave}, true, false},
        {"changed: no", true, true, IDNO, true, {CloseQuestion::kAskSave}, false, true},
        {"changed: cancel", true, true, IDCANCEL, true, {CloseQuestion::kAskSave}, false, false},
        {"read-only: close anyway", true, false, IDYES, true, {CloseQuestion::kAskCloseUnsaved}, false, true},
        {"read-only: stay", true, false, IDNO, true, {CloseQuestion::kAskCloseUnsaved}, false, false},
        {"read-only unchanged", false, false, 0, true, {}, false, true},
    };
    for (const Case& c : cases) {
        std::vector<Ask> asked;
        bool saved = false;
        const bool closes = CloseQuestion::MayClose(
            c.modified, c.canSave, [&](Ask ask) { asked.push_back(ask); return c.answer; },
            [&] { saved = true; return c.saves; });
        EXPECT_EQ(c.asked, asked) << c.what;
        EXPECT_EQ(c.saved, saved) << c.what;
        EXPECT_EQ(c.closes, closes) << c.what;
    }
}
