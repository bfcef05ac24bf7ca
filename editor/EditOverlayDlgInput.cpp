// The overlay editor's mouse and typed input: clicks, drags that move, resize and copy blocks,
// double clicks that define, the context menu, and cells clicked by typing "$n$".
#include "editor/EditOverlayDlg.h"
#include "framework/Cursor.h"
#include "framework/Prompt.h"
#include "framework/Strings.h"
#include "skarpin/resource.h"
#include <cstdlib>

namespace {

// Longer typed cell numbers are not cell numbers: collecting stops.
const size_t kMaxTypedLength = 256;

} // namespace

bool EditOverlayDlg::SetSizingCursor(int handle) const
{
    HCURSOR sizing = fw::SizingCursor(handle);
    if (sizing == nullptr)
        return false;
    ::SetCursor(sizing);
    return true;
}

void EditOverlayDlg::ShowCursor() const
{
    if (!SetSizingCursor(model_.ResizeHandle()))
        ::SetCursor(::LoadCursorA(nullptr, IDC_ARROW));
}

void EditOverlayDlg::OnLButtonDown(POINT point)
{
    ::SetCapture(hwnd_);
    if (model_.Marker() >= 0) {
        model_.RemoveMarker();
        Redraw();
    }
    if (model_.PressCell(model_.Grid().HitTest(point)))
        SetSizingCursor(model_.ResizeHandle());
}

void EditOverlayDlg::OnMouseMove(POINT point)
{
    Block* selected = model_.SelectedBlock();
    if (selected == nullptr)
        return;
    if (!model_.IsButtonDown()) {
        model_.HoverHandle(selected->HitTestHandle(point, model_.Grid().CellRects()));
        ShowCursor();
        return;
    }
    if (model_.DragTo(model_.Grid().HitTest(point)))
        Redraw();
}

void EditOverlayDlg::OnLButtonUp(POINT point, WPARAM keys)
{
    const bool ctrl = (keys & MK_CONTROL) != 0;
    const bool shift = (keys & MK_SHIFT) != 0;
    // The model has let go before the capture goes, so the capture's going cancels nothing.
    const OverlayEditModel::Release release = model_.ReleaseButton(ctrl);
    ::ReleaseCapture();
    // The up after a double click has no down of its own: the double click did its work.
    if (!release.pressed)
        return;
    if (release.dragged) {
        if (release.drop == OverlayEditModel::DropResult::Copied)
            LoadPicture(model_.Current().back(), 0);
        ShowCursor();
        UpdateMenus();
        Redraw();
        ShowDropRefusal(release.drop);
        return;
    }
    const int cell = model_.Grid().HitTest(point);
    if (cell >= 0)
        ClickCell(cell, ctrl, shift);
}

// Another window took the mouse mid-drag (Alt+Tab, a message box): the drag frame must not go on
// following a pointer whose button this window will never see go up.
void EditOverlayDlg::OnCaptureLost()
{
    if (!model_.IsButtonDown())
        return;
    model_.CancelPress();
    ShowCursor();
    Redraw();
}

void EditOverlayDlg::ShowDropRefusal(OverlayEditModel::DropResult result)
{
    UINT captionId = 0;
    switch (result) {
    case OverlayEditModel::DropResult::RefusedCopy: captionId = IDS_EDITOR_COPY_CAPTION; break;
    case OverlayEditModel::DropResult::RefusedResize: captionId = IDS_EDITOR_RESIZE_CAPTION; break;
    case OverlayEditModel::DropResult::RefusedMove: captionId = IDS_EDITOR_MOVE_CAPTION; break;
    default: return;
    }
    fw::ShowMessage(hwnd_, IDS_EDITOR_CANNOT_PLACE, captionId, MB_OK | MB_ICONEXCLAMATION);
}

void EditOverlayDlg::ClickCell(int cell, bool ctrl, bool shift)
{
    model_.ClickCell(cell, ctrl, shift);
    ShowCursor();
    UpdateMenus();
    Redraw();
}

// Selects what lies under the pointer (never deselects it), then defines it as F12 does.
void EditOverlayDlg::OnLButtonDblClk(POINT point)
{
    const int cell = model_.Grid().HitTest(point);
    if (cell < 0)
        return;
    const int block = model_.BlockAt(cell);
    const bool alreadyChosen = block >= 0 ? model_.Selected() == block : model_.Grid().IsCellSelected(cell) != 0;
    if (!alreadyChosen)
        ClickCell(cell, false, false);
    Define();
}

void EditOverlayDlg::OnRButtonDown(POINT point)
{
    const int cell = model_.Grid().HitTest(point);
    if (cell < 0 || contextMenu_ == nullptr)
        return;
    HMENU menu = ::GetSubMenu(contextMenu_, 0);
    SetDefineItem(menu);
    SetPasteItem(menu);
    SetSelectedBlockItems(menu);
    const RECT rect = model_.Grid().GetCellRect(cell);
    POINT corner{rect.right, rect.bottom};
    ::ClientToScreen(hwnd_, &corner);
    ::TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_RIGHTBUTTON, corner.x, corner.y, 0, hwnd_, nullptr);
}

// "$n$" clicks cell n at its top-left corner, as a switch user's access program types it.
void EditOverlayDlg::OnTypedCharacter(char character)
{
    if (character == '$') {
        if (!collecting_) {
            collecting_ = true;
            typed_.clear();
            return;
        }
        collecting_ = false;
        const int cell = std::atoi(typed_.c_str());
        if (cell < 0 || cell >= KeyGrid::kCellCount)
            return;
        const RECT rect = model_.Grid().GetCellRect(cell);
        const POINT corner{rect.left, rect.top};
        OnLButtonDown(corner);
        OnLButtonUp(corner, 0);
        return;
    }
    if (!collecting_)
        return;
    typed_ += character;
    if (typed_.size() > kMaxTypedLength)
        collecting_ = false;
}

bool EditOverlayDlg::PreTranslateMessage(MSG& message)
{
    if (hwnd_ == nullptr || (message.hwnd != hwnd_ && !::IsChild(hwnd_, message.hwnd)))
        return false;
    if (accelerators_ != nullptr && ::TranslateAcceleratorA(hwnd_, accelerators_, &message))
        return true;
    if (message.message == WM_CHAR) {
        OnTypedCharacter(static_cast<char>(message.wParam));
        return true;
    }
    return false;
}
