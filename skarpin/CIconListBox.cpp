// The main window's list of overlays.
#include "skarpin/CIconListBox.h"
#include "framework/Strings.h"
#include <windowsx.h>
#include <algorithm>
#include <vector>

CIconListBox::CIconListBox() : frameBrush_(::CreateSolidBrush(::GetSysColor(COLOR_ACTIVECAPTION))) {}

CIconListBox::~CIconListBox()
{
    ::DeleteObject(frameBrush_);
}

void CIconListBox::SetOwner(SetListOwner* owner, std::vector<SetItem>* lines, SetTreeCtrl* tree)
{
    owner_ = owner;
    lines_ = lines;
    tree_ = tree;
    // The template's list may have been measured before anyone answered for it.
    if (hwnd_ != nullptr)
        Self().Send(LB_SETITEMHEIGHT, 0, kLineHeight);
}

int CIconListBox::AddItem(const std::string& text, int icon)
{
    int position = static_cast<int>(Self().Send(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str())));
    SetIcon(position, icon);
    return position;
}

int CIconListBox::InsertItem(int position, const std::string& text, int icon)
{
    int inserted = static_cast<int>(
        Self().Send(LB_INSERTSTRING, static_cast<WPARAM>(position), reinterpret_cast<LPARAM>(text.c_str())));
    SetIcon(inserted, icon);
    return inserted;
}

// A new line of a list that keeps its strings holds 0 already, the icon of every overlay line: the main
// window fills a hundred lines at a time, and each message costs under Wine.
void CIconListBox::SetIcon(int line, int icon)
{
    if (line >= 0 && icon != 0)
        Self().Send(LB_SETITEMDATA, static_cast<WPARAM>(line), icon);
}

void CIconListBox::MeasureItem(MEASUREITEMSTRUCT& measure)
{
    measure.itemHeight = kLineHeight;
}

void CIconListBox::DrawItem(const DRAWITEMSTRUCT& draw) const
{
    HDC dc = draw.hDC;
    if (draw.itemID == static_cast<UINT>(-1)) {
        if (draw.itemAction & ODA_FOCUS)
            ::DrawFocusRect(dc, &draw.rcItem);
        return;
    }
    RECT textRect = draw.rcItem;
    if (images_ != nullptr)
        textRect.left += 16;
    textRect.top += 2;

    const bool selected = (draw.itemState & ODS_SELECTED) != 0;
    const bool whole = (draw.itemAction & ODA_DRAWENTIRE) != 0;
    const bool selectionChanged = (draw.itemAction & ODA_SELECT) != 0;
    if (selected && (whole || selectionChanged))
        ::FillRect(dc, &draw.rcItem, ::GetSysColorBrush(COLOR_HIGHLIGHT));
    else if (!selected && selectionChanged)
        ::FillRect(dc, &draw.rcItem, ::GetSysColorBrush(COLOR_WINDOW));
    if (draw.itemAction & ODA_FOCUS)
        ::DrawFocusRect(dc, &draw.rcItem);

    int oldMode = ::SetBkMode(dc, TRANSPARENT);
    COLORREF colour = ::GetSysColor(COLOR_WINDOWTEXT);
    if (selected)
        colour = ::GetSysColor(COLOR_HIGHLIGHTTEXT);
    else if (draw.itemState & ODS_DISABLED)
        colour = ::GetSysColor(COLOR_GRAYTEXT);
    COLORREF oldColour = ::SetTextColor(dc, colour);

    UINT format = DT_SINGLELINE | DT_VCENTER;
    if (::GetWindowLongA(draw.hwndItem, GWL_STYLE) & LBS_USETABSTOPS)
        format |= DT_EXPANDTABS;
    if (images_ != nullptr && static_cast<int>(draw.itemData) != -1)
        ImageList_Draw(images_, static_cast<int>(draw.itemData), dc, draw.rcItem.left, draw.rcItem.top, ILD_NORMAL);

    std::string text(static_cast<size_t>(std::max<LRESULT>(
                         0, ::SendMessageA(draw.hwndItem, LB_GETTEXTLEN, draw.itemID, 0))),
                     '\0');
    if (!text.empty()) {
        std::vector<char> buffer(text.size() + 1, '\0');
        ::SendMessageA(draw.hwndItem, LB_GETTEXT, draw.itemID, reinterpret_cast<LPARAM>(buffer.data()));
        text.assign(buffer.data());
    }
    RECT measured = textRect;
    ::DrawTextA(dc, text.c_str(), -1, &measured, format | DT_CALCRECT);
    ::DrawTextA(dc, text.c_str(), -1, &textRect, format);
    ::SetTextColor(dc, oldColour);
    ::SetBkMode(dc, oldMode);
}

int CIconListBox::LineAt(POINT point) const
{
    RECT client = Self().ClientRect();
    if (!::PtInRect(&client, point))
        return -1;
    LRESULT found = Self().Send(LB_ITEMFROMPOINT, 0, MAKELPARAM(point.x, point.y));
    int line = LOWORD(found);
    RECT rect{};
    if (Self().Send(LB_GETITEMRECT, static_cast<WPARAM>(line), reinterpret_cast<LPARAM>(&rect)) == LB_ERR ||
        !::PtInRect(&rect, point))
        return -1;
    return line;
}

void CIconListBox::RepaintLine(int line) const
{
    RECT rect{};
    if (line < 0 || Self().Send(LB_GETITEMRECT, static_cast<WPARAM>(line), reinterpret_cast<LPARAM>(&rect)) == LB_ERR)
        return;
    ::InvalidateRect(hwnd_, &rect, TRUE);
    ::UpdateWindow(hwnd_);
}

void CIconListBox::FrameLine(int line) const
{
    RECT rect{};
    if (line < 0 || Self().Send(LB_GETITEMRECT, static_cast<WPARAM>(line), reinterpret_cast<LPARAM>(&rect)) == LB_ERR)
        return;
    HDC dc = ::GetDC(hwnd_);
    ::FrameRect(dc, &rect, frameBrush_);
    ::ReleaseDC(hwnd_, dc);
}

LRESULT CIconListBox::OnLeftButtonDown(WPARAM wParam, LPARAM lParam)
{
    if (RefuseWhileEditorOpen(owner_))
        return 0;
    pressed_ = true;
    moves_ = 0;
    target_ = -1;
    lastFramed_ = -1;
    if (owner_ != nullptr)
        owner_->SetSelectionFocus(1);
    if (clickState_ == kIdle) {
        clickState_ = kPressed;
        pressPoint_ = POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        ::SetCapture(hwnd_);
    }
    const bool extended = (::GetWindowLongA(hwnd_, GWL_STYLE) & LBS_EXTENDEDSEL) != 0;
    const int selected = static_cast<int>(Self().Send(LB_GETSELCOUNT));
    if (extended && selected > 1 && (wParam & (MK_SHIFT | MK_CONTROL)) == 0) {
        // Keep the multi-selection through the press, so that it can be dragged.
        selectionKept_ = true;
        return 0;
    }
    return DefaultProc(WM_LBUTTONDOWN, wParam, lParam);
}

void CIconListBox::OnMouseMove(WPARAM wParam, LPARAM lParam)
{
    copy_ = (wParam & MK_CONTROL) != 0;
    if (Self().Send(LB_GETSELCOUNT) <= 0)
        return;
    source_ = static_cast<int>(Self().Send(LB_GETCARETINDEX));
    if (lines_ == nullptr || source_ < 0 || source_ >= static_cast<int>(lines_->size()) ||
        (*lines_)[static_cast<size_t>(source_)].name_.empty())
        return;
    if (moves_ == kDragStartMoves) {
        target_ = source_;
        lastFramed_ = source_;
        ::SetCursor(::LoadCursorA(fw::ResourceModule(), MAKEINTRESOURCEA(copy_ ? kCopyCursorId : kMoveCursorId)));
        dragging_ = true;
    }
    if (dragging_) {
        POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        target_ = LineAt(point);
        if (target_ < 0) {
            target_ = source_;
            if (tree_ != nullptr) {
                POINT screen = point;
                ::ClientToScreen(hwnd_, &screen);
                tree_->DragOver(screen);
            }
            RepaintLine(lastFramed_);
            return;
        }
        if (tree_ != nullptr)
            tree_->EndDragHighlight();
        if (Self().Send(LB_GETSELCOUNT) == 1 && target_ != lastFramed_) {
            RepaintLine(lastFramed_);
            FrameLine(target_);
        }
        lastFramed_ = target_;
    }
    ++moves_;
}

LRESULT CIconListBox::OnLeftButtonUp(WPARAM wParam, LPARAM lParam)
{
    releasing_ = true;
    pressed_ = false;
    if (dragging_) {
        dragging_ = false;
        moves_ = 0;
        ::SetCursor(::LoadCursor(nullptr, IDC_ARROW));
        if (owner_ != nullptr)
            owner_->DropOverlays(source_, target_, copy_);
        RepaintLine(target_);
    }
    const bool wasPressed = clickState_ == kPressed;
    if (wasPressed && selectionKept_) {
        Self().Send(LB_SETSEL, FALSE, -1);
        Self().Invalidate();
        int line = LineAt(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        if (line >= 0)
            Self().Send(LB_SETSEL, TRUE, line);
    }
    LRESULT result = DefaultProc(WM_LBUTTONUP, wParam, lParam);
    if (wasPressed) {
        ::ReleaseCapture();
        clickState_ = kIdle;
        selectionKept_ = false;
    }
    releasing_ = false;
    return result;
}

void CIconListBox::ResetDrag()
{
    // The capture went elsewhere (another window, a dialog, Alt+Tab): no button-up will come to us.
    const bool wasDragging = dragging_;
    pressed_ = false;
    dragging_ = false;
    moves_ = 0;
    clickState_ = kIdle;
    selectionKept_ = false;
    if (wasDragging) {
        ::SetCursor(::LoadCursor(nullptr, IDC_ARROW));
        RepaintLine(lastFramed_);
        if (tree_ != nullptr)
            tree_->EndDragHighlight();
    }
    target_ = -1;
    lastFramed_ = -1;
}

// The keys by which a list box moves its caret or changes its selection: under an open editor the
// line stays the one it was opened on.
bool CIconListBox::MovesSelection(WPARAM key)
{
    switch (key) {
    case VK_UP:
    case VK_DOWN:
    case VK_LEFT:
    case VK_RIGHT:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_HOME:
    case VK_END:
    case VK_SPACE:
        return true;
    default:
        return false;
    }
}

LRESULT CIconListBox::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_RBUTTONDOWN:
        if (RefuseWhileEditorOpen(owner_))
            return 0;
        if (owner_ != nullptr) {
            owner_->SetPopupPoint(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
            owner_->SetSelectionFocus(1);
            owner_->UpdateMenus();
            owner_->ShowOverlayMenu();
        }
        return 0;
    case WM_LBUTTONDOWN:
        return OnLeftButtonDown(wParam, lParam);
    case WM_MOUSEMOVE:
        if (!pressed_)
            break;
        OnMouseMove(wParam, lParam);
        return 0;
    case WM_LBUTTONUP:
        return OnLeftButtonUp(wParam, lParam);
    case WM_CAPTURECHANGED:
        if (!releasing_ && reinterpret_cast<HWND>(lParam) != hwnd_ && (pressed_ || clickState_ == kPressed))
            ResetDrag();
        break;
    case WM_KEYDOWN:
        if (MovesSelection(wParam) && RefuseWhileEditorOpen(owner_))
            return 0;
        if (wParam == VK_DELETE && owner_ != nullptr)
            owner_->DeleteSelection();
        break;
    case WM_CHAR:
        // A typed letter chooses the line it begins.
        if (RefuseWhileEditorOpen(owner_))
            return 0;
        break;
    default:
        break;
    }
    return DefaultProc(message, wParam, lParam);
}
