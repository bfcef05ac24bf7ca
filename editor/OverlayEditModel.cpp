// The overlay editor's decisions: selection, marker, dragging, clipboard, define, undo and closing.
#include "editor/OverlayEditModel.h"
#include <utility>

void OverlayEditModel::Load(std::vector<Block> keys, std::vector<Block> background)
{
    keys_ = std::move(keys);
    background_ = std::move(background);
    for (Block& block : keys_)
        block.selected_ = 0;
    for (Block& block : background_)
        block.selected_ = 0;
    undo_.clear();
    undoKind_ = UndoKind::None;
    selected_ = -1;
    marker_ = -1;
    modified_ = false;
    CancelPress();
    MarkAll();
}

bool OverlayEditModel::SetView(int view)
{
    const bool otherArray = (view == kBackgroundView) != (view_ == kBackgroundView);
    if (otherArray)
        Deselect();
    view_ = view;
    if (otherArray)
        MarkAll();
    return otherArray;
}

void OverlayEditModel::MarkAll()
{
    grid_.ClearCells();
    for (const Block& block : Current())
        grid_.MarkBlocks(block.cells_, 1, 0);
}

int OverlayEditModel::BlockAt(int cell) const
{
    if (cell < 0 || cell >= KeyGrid::kCellCount)
        return -1;
    const std::vector<Block>& blocks = Current();
    for (size_t i = 0; i < blocks.size(); ++i) {
        if (blocks[i].HitTest(KeyGrid::CellPoint(cell)))
            return static_cast<int>(i);
    }
    return -1;
}

void OverlayEditModel::Select(int index)
{
    Deselect();
    selected_ = index;
    if (index >= 0)
        Current()[static_cast<size_t>(index)].selected_ = 1;
}

// The resize handle belonged to the block that was selected: a press on another block, or on
// none, must not resize by it.
void OverlayEditModel::Deselect()
{
    if (selected_ >= 0 && selected_ < static_cast<int>(Current().size()))
        Current()[static_cast<size_t>(selected_)].selected_ = 0;
    selected_ = -1;
    resizeHandle_ = fw::kNoHandle;
}

void OverlayEditModel::ClearFreeCellSelection()
{
    for (int cell = 0; cell < KeyGrid::kCellCount; ++cell) {
        if (grid_.IsCellSelected(cell) && grid_.GetCellValue(cell) == 0)
            grid_.ToggleCell(cell);
    }
}

void OverlayEditModel::ClickCell(int cell, bool ctrl, bool shift)
{
    if (cell < 0 || cell >= KeyGrid::kCellCount)
        return;
    const int firstSelected = grid_.FirstSelectedFreeCell();
    if (grid_.GetCellValue(cell) != 0) {
        if (!ctrl)
            ClearFreeCellSelection();
        const int index = BlockAt(cell);
        if (index == selected_) {
            Deselect();
        } else {
            Select(index);
            ClearFreeCellSelection();
        }
        return;
    }
    Deselect();
    grid_.ToggleCell(cell);
    if (shift && firstSelected >= 0)
        grid_.SelectSpan(nullptr, cell, firstSelected);
}

void OverlayEditModel::ClearSelection()
{
    Deselect();
    ClearFreeCellSelection();
}

void OverlayEditModel::PlaceMarker()
{
    ClearSelection();
    if (marker_ < 0)
        marker_ = 0;
}

bool OverlayEditModel::MoveMarker(int step)
{
    if (marker_ < 0)
        return false;
    // Right wraps into the next row and Left into the row above; only the grid's ends refuse.
    if (marker_ + step < 0 || marker_ + step >= KeyGrid::kCellCount)
        return false;
    marker_ += step;
    return true;
}

void OverlayEditModel::MarkerClick()
{
    if (marker_ >= 0)
        ClickCell(marker_, false, false);
}

void OverlayEditModel::HoverHandle(int handle)
{
    if (buttonDown_ || selected_ < 0)
        return;
    resizeHandle_ = handle;
}

bool OverlayEditModel::PressCell(int cell)
{
    buttonDown_ = true;
    dragAllowed_ = true;
    working_.cells_.clear();
    startCell_ = lastCell_ = -1;
    if (selected_ < 0)
        return false;
    if (cell < 0 || BlockAt(cell) != selected_) {
        dragAllowed_ = false;
        return false;
    }
    working_ = Current()[static_cast<size_t>(selected_)];
    startCell_ = lastCell_ = cell;
    return true;
}

bool OverlayEditModel::DragTo(int cell)
{
    if (!buttonDown_ || !dragAllowed_ || selected_ < 0 || working_.cells_.empty() || cell < 0 || cell == lastCell_)
        return false;
    const bool resize = resizeHandle_ != fw::kNoHandle;
    std::vector<RECT> ranges = working_.cells_;
    if (!KeyGrid::MoveBlock(resizeHandle_, ranges, KeyGrid::CellPoint(cell), KeyGrid::CellPoint(lastCell_),
                            resize ? 1 : 0))
        return false;
    working_.cells_ = ranges;
    lastCell_ = cell;
    return true;
}

OverlayEditModel::Release OverlayEditModel::ReleaseButton(bool ctrl)
{
    Release release;
    release.pressed = buttonDown_;
    if (IsDragging()) {
        release.dragged = true;
        release.resized = resizeHandle_ != fw::kNoHandle;
        release.drop = Drop(ctrl, release.resized);
        if (release.resized)
            resizeHandle_ = fw::kNoHandle;
    }
    EndPress();
    return release;
}

void OverlayEditModel::CancelPress()
{
    EndPress();
    resizeHandle_ = fw::kNoHandle;
}

void OverlayEditModel::EndPress()
{
    buttonDown_ = false;
    dragAllowed_ = false;
    working_.cells_.clear();
    startCell_ = lastCell_ = -1;
}

OverlayEditModel::DropResult OverlayEditModel::Drop(bool ctrl, bool resize)
{
    if (selected_ < 0 || working_.cells_.empty())
        return DropResult::None;
    DropResult result;
    if (ctrl) {
        if (grid_.AreCellsFree(working_.cells_)) {
            TakeUndo(UndoKind::Paste);
            Append(working_);
            result = DropResult::Copied;
        } else {
            result = DropResult::RefusedCopy;
        }
    } else {
        Block& block = Current()[static_cast<size_t>(selected_)];
        grid_.MarkBlocks(block.cells_, 0, 0);
        if (grid_.AreCellsFree(working_.cells_)) {
            TakeUndo(resize ? UndoKind::Resize : UndoKind::Move);
            Current()[static_cast<size_t>(selected_)].cells_ = working_.cells_;
            result = resize ? DropResult::Resized : DropResult::Moved;
        } else {
            result = resize ? DropResult::RefusedResize : DropResult::RefusedMove;
        }
        grid_.MarkBlocks(Current()[static_cast<size_t>(selected_)].cells_, 1, 0);
    }
    if (result == DropResult::Copied || result == DropResult::Moved || result == DropResult::Resized)
        modified_ = true;
    return result;
}

void OverlayEditModel::Append(Block block)
{
    block.id_ = static_cast<int>(Current().size()) + 1;
    grid_.MarkBlocks(block.cells_, 1, 0);
    Current().push_back(std::move(block));
    Select(static_cast<int>(Current().size()) - 1);
}

void OverlayEditModel::Erase(int index)
{
    Deselect();
    std::vector<Block>& blocks = Current();
    grid_.MarkBlocks(blocks[static_cast<size_t>(index)].cells_, 0, 0);
    blocks.erase(blocks.begin() + index);
}

void OverlayEditModel::Cut()
{
    if (selected_ < 0)
        return;
    TakeUndo(UndoKind::Cut);
    clipboard_ = Current()[static_cast<size_t>(selected_)];
    clipboard_.selected_ = 0;
    hasClipboard_ = true;
    Erase(selected_);
    modified_ = true;
}

void OverlayEditModel::Copy()
{
    if (selected_ < 0)
        return;
    clipboard_ = Current()[static_cast<size_t>(selected_)];
    clipboard_.selected_ = 0;
    hasClipboard_ = true;
    Deselect();
}

OverlayEditModel::PasteResult OverlayEditModel::Paste()
{
    const int target = grid_.FirstSelectedFreeCell();
    if (!HasClipboard() || clipboard_.cells_.empty() || target < 0)
        return PasteResult::None;
    std::vector<RECT> ranges = clipboard_.cells_;
    const POINT origin{ranges.front().left, ranges.front().top};
    if (!KeyGrid::MoveBlock(0, ranges, KeyGrid::CellPoint(target), origin, 0) || !grid_.AreCellsFree(ranges))
        return PasteResult::Refused;
    TakeUndo(UndoKind::Paste);
    Block pasted = clipboard_;
    pasted.cells_ = ranges;
    Append(std::move(pasted));
    modified_ = true;
    return PasteResult::Pasted;
}

void OverlayEditModel::Delete()
{
    if (selected_ < 0)
        return;
    TakeUndo(UndoKind::Delete);
    Erase(selected_);
    modified_ = true;
}

int OverlayEditModel::BeginDefine(Block& edited) const
{
    if (selected_ >= 0) {
        edited = Current()[static_cast<size_t>(selected_)];
        return 1;
    }
    std::vector<RECT> ranges;
    const int result = grid_.BuildBlockRects(ranges);
    if (result != 1)
        return result;
    edited = Block();
    edited.CopyAppearance(default_);
    edited.CopyCells(ranges);
    return 1;
}

void OverlayEditModel::CommitDefine(const Block& edited)
{
    TakeUndo(UndoKind::Define);
    const bool added = selected_ < 0;
    if (added) {
        Append(edited);
    } else {
        Block& block = Current()[static_cast<size_t>(selected_)];
        block = edited;
        block.selected_ = 1;
    }
    default_.CopyAppearance(edited);
    if (added && view_ == kBackgroundView)
        default_.transparent_ = 1;
    modified_ = true;
}

void OverlayEditModel::ChangeSelected(const Block& edited)
{
    if (selected_ < 0)
        return;
    TakeUndo(UndoKind::Define);
    Block& block = Current()[static_cast<size_t>(selected_)];
    block = edited;
    block.selected_ = 1;
    modified_ = true;
}

void OverlayEditModel::TakeUndo(UndoKind kind)
{
    TakeUndoOf(kind, Current());
}

void OverlayEditModel::TakeUndoOf(UndoKind kind, const std::vector<Block>& before)
{
    undo_ = before;
    for (Block& block : undo_)
        block.selected_ = 0;
    undoKind_ = kind;
    undoView_ = view_;
}

bool OverlayEditModel::Undo()
{
    if (undoKind_ == UndoKind::None)
        return false;
    // The kept array belongs to the view it was taken in: after a switch between the keys and the
    // background it must not land in the other array. The layout and command views show the same
    // keys, so between those two the view stays.
    if ((undoView_ == kBackgroundView) != (view_ == kBackgroundView))
        SetView(undoView_);
    Deselect();
    Current() = std::move(undo_);
    undo_.clear();
    undoKind_ = UndoKind::None;
    MarkAll();
    modified_ = true;
    return true;
}

bool OverlayEditModel::HoldsInfraredCommand() const
{
    for (const Block& block : keys_) {
        if (block.command_.find("<IR") != std::string::npos)
            return true;
    }
    return false;
}

FileIO::UnstorableValue OverlayEditModel::FindUnstorable() const
{
    const std::vector<Block>* sections[2] = {&keys_, &background_};
    for (int section = 0; section < 2; ++section) {
        const std::vector<Block>& blocks = *sections[section];
        for (size_t i = 0; i < blocks.size(); ++i) {
            const FileIO::BlockField field = FileIO::FindUnstorableField(blocks[i]);
            if (field != FileIO::BlockField::None)
                return FileIO::UnstorableValue{section, static_cast<int>(i), field};
        }
    }
    return FileIO::UnstorableValue{};
}

bool CloseQuestion::MayClose(bool modified, bool canSave, const std::function<int(Ask)>& ask,
                             const std::function<bool()>& save)
{
    if (!modified)
        return true;
    if (!canSave)
        return ask(kAskCloseUnsaved) == IDYES;
    switch (ask(kAskSave)) {
    case IDYES:
        return save();
    case IDNO:
        return true;
    default:
        return false;
    }
}
