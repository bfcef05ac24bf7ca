// The main window's tree of sets.
#include "skarpin/SetTreeCtrl.h"
#include "framework/Prompt.h"
#include <windowsx.h>
#include <cstring>

bool RefuseWhileEditorOpen(const SetListOwner* owner)
{
    HWND editor = owner != nullptr ? owner->OverlayEditorWindow() : nullptr;
    if (editor == nullptr)
        return false;
    fw::Beep();
    ::SetForegroundWindow(editor);
    return true;
}

SetTreeCtrl::SetTreeCtrl() : frameBrush_(::CreateSolidBrush(::GetSysColor(COLOR_ACTIVECAPTION))) {}

SetTreeCtrl::~SetTreeCtrl()
{
    StopWatchingParent();
    ::DeleteObject(frameBrush_);
}

COLORREF SetTreeCtrl::InactiveSelectionColour(COLORREF window, COLORREF face, COLORREF shadow)
{
    auto brightness = [](COLORREF c) { return (GetRValue(c) * 30 + GetGValue(c) * 59 + GetBValue(c) * 11) / 100; };
    const int difference = brightness(window) - brightness(face);
    if (difference >= 32 || difference <= -32)
        return face;
    return RGB((GetRValue(face) + GetRValue(shadow)) / 2, (GetGValue(face) + GetGValue(shadow)) / 2,
               (GetBValue(face) + GetBValue(shadow)) / 2);
}

void SetTreeCtrl::WatchParent()
{
    HWND parent = hwnd_ ? ::GetParent(hwnd_) : nullptr;
    if (!parent || parent == watchedParent_)
        return;
    StopWatchingParent();
    if (::SetWindowSubclass(parent, ParentProc, reinterpret_cast<UINT_PTR>(this), reinterpret_cast<DWORD_PTR>(this)))
        watchedParent_ = parent;
}

void SetTreeCtrl::StopWatchingParent()
{
    if (watchedParent_ && ::IsWindow(watchedParent_))
        ::RemoveWindowSubclass(watchedParent_, ParentProc, reinterpret_cast<UINT_PTR>(this));
    watchedParent_ = nullptr;
}

LRESULT CALLBACK SetTreeCtrl::ParentProc(HWND parent, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                         DWORD_PTR data)
{
    auto* self = reinterpret_cast<SetTreeCtrl*>(data);
    if (message == WM_NOTIFY) {
        auto* header = reinterpret_cast<NMHDR*>(lParam);
        if (header->hwndFrom == self->hwnd_ && header->code == NM_CUSTOMDRAW)
            return self->OnCustomDraw(*reinterpret_cast<NMTVCUSTOMDRAW*>(lParam));
    } else if (message == WM_NCDESTROY) {
        ::RemoveWindowSubclass(parent, ParentProc, reinterpret_cast<UINT_PTR>(self));
        self->watchedParent_ = nullptr;
    }
    return ::DefSubclassProc(parent, message, wParam, lParam);
}

// While the list has the focus, the selected set keeps a grey background that can be seen.
LRESULT SetTreeCtrl::OnCustomDraw(NMTVCUSTOMDRAW& draw) const
{
    if (draw.nmcd.dwDrawStage == CDDS_PREPAINT)
        return CDRF_NOTIFYITEMDRAW;
    if (draw.nmcd.dwDrawStage != CDDS_ITEMPREPAINT || ::GetFocus() == hwnd_ ||
        !(draw.nmcd.uItemState & CDIS_SELECTED))
        return CDRF_DODEFAULT;
    draw.clrTextBk = InactiveSelectionColour(::GetSysColor(COLOR_WINDOW), ::GetSysColor(COLOR_BTNFACE),
                                             ::GetSysColor(COLOR_BTNSHADOW));
    draw.clrText = ::GetSysColor(COLOR_BTNTEXT);
    return CDRF_NEWFONT;
}

bool SetTreeCtrl::RefusedWhileEditing()
{
    return RefuseWhileEditorOpen(owner_);
}

RECT TreeItemRect(HWND tree, HTREEITEM item, bool textOnly)
{
    // The message takes the item in the rectangle's first bytes.
    RECT rect{};
    std::memcpy(&rect, &item, sizeof(item));
    if (!::SendMessageA(tree, TVM_GETITEMRECT, textOnly ? TRUE : FALSE, reinterpret_cast<LPARAM>(&rect)))
        ::SetRectEmpty(&rect);
    return rect;
}

RECT SetTreeCtrl::ItemLine(HTREEITEM item) const
{
    return TreeItemRect(hwnd_, item, false);
}

void SetTreeCtrl::RepaintItem(HTREEITEM item)
{
    if (item == nullptr)
        return;
    RECT rect = ItemLine(item);
    ::InvalidateRect(hwnd_, &rect, TRUE);
    ::UpdateWindow(hwnd_);
}

void SetTreeCtrl::DragOver(POINT screenPoint)
{
    POINT point = screenPoint;
    ::ScreenToClient(hwnd_, &point);
    // The list's cursor points left of where the tree's text begins; reach over the images.
    point.x += 16;
    fw::TreeView tree(hwnd_);
    dropTarget_ = tree.HitTest(point);
    if (dropTarget_ != lastFramed_) {
        RepaintItem(lastFramed_);
        if (dropTarget_ != nullptr) {
            RECT rect = ItemLine(dropTarget_);
            HDC dc = ::GetDC(hwnd_);
            ::FrameRect(dc, &rect, frameBrush_);
            ::ReleaseDC(hwnd_, dc);
        }
        dropTargetSetName_.clear();
        if (items_ != nullptr) {
            for (const TreeCtrlItem& item : *items_) {
                if (item.item_ == dropTarget_ && dropTarget_ != nullptr) {
                    dropTargetSetName_ = item.name_;
                    break;
                }
            }
        }
    }
    lastFramed_ = dropTarget_;
}

void SetTreeCtrl::EndDragHighlight()
{
    // The frame may stand on the last framed item even when the cursor has since left every item.
    RepaintItem(dropTarget_ != nullptr ? dropTarget_ : lastFramed_);
    lastFramed_ = nullptr;
    dropTarget_ = nullptr;
    dropTargetSetName_ = selectedSetName_;
}

LRESULT SetTreeCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    WatchParent();
    switch (message) {
    case WM_RBUTTONDOWN:
        if (RefusedWhileEditing())
            return 0;
        if (owner_ != nullptr) {
            owner_->SetPopupPoint(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
            owner_->UpdateMenus();
            owner_->ShowSetMenu();
        }
        return 0;
    case WM_LBUTTONDOWN: {
        if (RefusedWhileEditing())
            return 0;
        LRESULT result = DefaultProc(message, wParam, lParam);
        if (owner_ != nullptr) {
            owner_->SetSelectionFocus(0);
            owner_->UpdateMenus();
        }
        return result;
    }
    case WM_KEYDOWN:
        if (wParam == VK_DELETE && owner_ != nullptr)
            owner_->DeleteSelection();
        break;
    default:
        break;
    }
    return DefaultProc(message, wParam, lParam);
}
