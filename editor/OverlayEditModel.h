// What the overlay editor decides without a window: the two block arrays and which one is edited,
// the selection, the keyboard marker, dragging, the block clipboard, one level of undo and whether
// the editor may close.
#pragma once
#include "editor/KeyGrid.h"
#include "framework/Cursor.h"
#include "store/Block.h"
#include "store/FileIO.h"
#include <functional>
#include <string>
#include <vector>

// The last edit, as the undo item names it.
enum class UndoKind { None = 0, Move = 1, Resize = 2, Cut = 3, Paste = 4, Delete = 5, Define = 6 };

// Owned by the editor window, which draws what it holds and loads the blocks' pictures; the model
// never draws and never loads a picture. A block is named by its index in the current array.
class OverlayEditModel {
public:
    enum View { kLayoutView = 0, kCommandView = 1, kBackgroundView = 2 };
    // What a drag ends in.
    enum class DropResult { None, Moved, Resized, Copied, RefusedMove, RefusedResize, RefusedCopy };
    enum class PasteResult { None, Pasted, Refused };

    // A new overlay: both arrays empty, the layout view, nothing to undo.
    void Load(std::vector<Block> keys, std::vector<Block> background);

    KeyGrid& Grid() { return grid_; }
    const KeyGrid& Grid() const { return grid_; }
    std::vector<Block>& Keys() { return keys_; }
    std::vector<Block>& Background() { return background_; }
    const std::vector<Block>& Keys() const { return keys_; }
    const std::vector<Block>& Background() const { return background_; }
    // The array the view edits: the keys in the layout and command views, else the background.
    std::vector<Block>& Current() { return view_ == kBackgroundView ? background_ : keys_; }
    const std::vector<Block>& Current() const { return view_ == kBackgroundView ? background_ : keys_; }
    int GetView() const { return view_; }
    // true when the edited array changed (between the keys and the background): the grid's marks are
    // then those of the new array and nothing is selected.
    bool SetView(int view);

    // --- Selection ---
    int Selected() const { return selected_; }
    Block* SelectedBlock() { return selected_ >= 0 ? &Current()[static_cast<size_t>(selected_)] : nullptr; }
    // The block of the current array that covers the cell, else -1.
    int BlockAt(int cell) const;
    // A click on a cell (not a drag). A covered cell selects its block, or deselects it when it was
    // selected; a free cell toggles, and with shift the span from the first cell selected before.
    void ClickCell(int cell, bool ctrl, bool shift);
    // No block selected and no free cell selected.
    void ClearSelection();
    bool HasSelectedFreeCell() const { return grid_.FirstSelectedFreeCell() >= 0; }

    // --- The keyboard marker ---
    int Marker() const { return marker_; }
    // At cell 0 when there is none, after the selection is cleared.
    void PlaceMarker();
    void RemoveMarker() { marker_ = -1; }
    // dx: +1 / -1, or dy: +16 / -16; false (a beep) when it would leave the grid or there is no marker.
    bool MoveMarker(int step);
    // Enter: the click on the marker's cell.
    void MarkerClick();

    // --- The mouse: pressing, dragging the selected block, dropping it ---
    // The window turns its mouse messages into these calls and shows what they leave: the drag
    // frame, and the sizing cursor of ResizeHandle(). All state between a press and its release
    // lives here, so a lost capture or a change of selection cannot leave half of it behind.

    // The pointer moved with the button up: the selected block's resize handle under it (an
    // fw::ResizeHandle; fw::kNoHandle: none). A press then resizes by that handle instead of moving.
    // Ignored while the button is down or when no block is selected.
    void HoverHandle(int handle);
    // The handle a press resizes by, whose sizing cursor shows; fw::kNoHandle: a press moves.
    int ResizeHandle() const { return resizeHandle_; }
    // The button went down on the cell (-1: outside the grid); true when a drag of the selected
    // block may start there.
    bool PressCell(int cell);
    bool IsButtonDown() const { return buttonDown_; }
    // The pointer reached the cell with the button down: the working block follows when it stays
    // inside the grid. true when it moved. Other blocks are not looked at until the drop.
    bool DragTo(int cell);
    bool IsDragging() const { return buttonDown_ && dragAllowed_ && lastCell_ != startCell_; }
    const Block& Working() const { return working_; }

    // What the button's going up ended.
    struct Release {
        bool pressed = false;   // false: an up without a press of its own (after a double click)
        bool dragged = false;   // a drag ended: drop tells how; else the press was a click
        bool resized = false;   // the drag resized: resizing ends with it
        DropResult drop = DropResult::None;
    };
    // The button went up: a move, a resize or (ctrl) a copy lands where the working block is, when
    // its cells are free.
    Release ReleaseButton(bool ctrl);
    // The window lost the mouse mid-press (another window took it): nothing is dropped, and
    // neither the drag nor the resize handle outlives it.
    void CancelPress();

    // --- Clipboard and deleting ---
    bool HasClipboard() const { return hasClipboard_; }
    void Cut();
    void Copy();
    PasteResult Paste();
    void Delete();

    // --- Defining a block ---
    // The block the define dialog edits: a copy of the selected block, or a new one on the selected
    // free cells with the default look. 1 ready, 0 no cell selected, -1 the cells are not joined.
    int BeginDefine(Block& edited) const;
    // The dialog ended with OK: the selected block takes the edited values, or the new block is added
    // and selected. Its look becomes the default for new blocks.
    void CommitDefine(const Block& edited);
    const Block& DefaultBlock() const { return default_; }
    // An appearance dialog (colour, font, text placement) ended with OK on a copy of the selected
    // block: the block takes it, with one undo back to the overlay as it was.
    void ChangeSelected(const Block& edited);

    // --- Undo ---
    // Keeps the current array as it is now, and the view it belongs to, for one undo.
    void TakeUndo(UndoKind kind);
    // The same with the array as it was before an edit made in place (an appearance dialog).
    void TakeUndoOf(UndoKind kind, const std::vector<Block>& before);
    UndoKind GetUndoKind() const { return undoKind_; }
    // Puts the kept array back into the array it came from, switching back to that view first
    // when another array is edited now. false when there is nothing to undo.
    bool Undo();

    bool IsModified() const { return modified_; }
    void SetModified(bool modified) { modified_ = modified; }

    // Whether a key's command holds an infrared tag, "<IR" and the slot, as the infrared choice
    // writes it.
    bool HoldsInfraredCommand() const;

    // The first value of a block in either array that an overlay file cannot hold, or none.
    FileIO::UnstorableValue FindUnstorable() const;

private:
    void Select(int index);
    void Deselect();
    void ClearFreeCellSelection();
    void MarkAll();
    void Append(Block block);
    void Erase(int index);
    DropResult Drop(bool ctrl, bool resize);
    void EndPress();

    KeyGrid grid_;
    std::vector<Block> keys_;
    std::vector<Block> background_;
    std::vector<Block> undo_;
    UndoKind undoKind_ = UndoKind::None;
    int undoView_ = kLayoutView;
    int view_ = kLayoutView;
    int selected_ = -1;
    int marker_ = -1;
    Block working_;     // the drag copy
    Block clipboard_;   // kept apart from the drag copy, so a drag never empties it
    bool hasClipboard_ = false;
    Block default_;
    bool modified_ = false;
    // Between a press and its release.
    bool buttonDown_ = false;
    bool dragAllowed_ = false;
    int resizeHandle_ = fw::kNoHandle;
    int startCell_ = -1;
    int lastCell_ = -1;
};

// Closing: whether the editor may close, after asking about saving where that is possible and saying
// why where it is not. ask shows a message by its kind and returns the button; save returns false
// when the overlay was not saved (the user cancelled or the file could not be written).
class CloseQuestion {
public:
    enum Ask { kAskSave, kAskCloseUnsaved };
    static bool MayClose(bool modified, bool canSave, const std::function<int(Ask)>& ask,
                         const std::function<bool()>& save);
};
