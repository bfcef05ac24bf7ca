// The main window's tree of sets: clicks and keys for the main window, and the frame on the set that
// an overlay dragged from the list would drop onto.
#pragma once
#include "framework/Dialog.h"
#include "skarpin/SetListOwner.h"
#include "skarpin/TreeCtrlItem.h"
#include <string>
#include <vector>

class SetTreeCtrl : public fw::SubclassedWindow {
public:
    SetTreeCtrl();
    ~SetTreeCtrl() override;

    void SetOwner(SetListOwner* owner, std::vector<TreeCtrlItem>* items)
    {
        owner_ = owner;
        items_ = items;
    }

    // During a drag from the list, with the cursor outside the list's lines (screen co-ordinates).
    void DragOver(POINT screenPoint);
    void EndDragHighlight();

    // Kept equal to the main window's selected set name.
    std::string selectedSetName_;
    // Where a drop would go: the framed set's name, empty over no set.
    std::string dropTargetSetName_;

    HTREEITEM DropTargetItem() const { return dropTarget_; }
    HBRUSH FrameBrush() const { return frameBrush_; }

    // The background of the selected set while another control has the focus: the system's button
    // face, as the system's own tree draws it, unless that colour stands too close to the tree's own
    // background to be seen; then a grey halfway to the shadow colour.
    static COLORREF InactiveSelectionColour(COLORREF window, COLORREF face, COLORREF shadow);

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    // The tree tells its parent how it draws its items: the parent's messages pass through here first.
    void WatchParent();
    void StopWatchingParent();
    static LRESULT CALLBACK ParentProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
    LRESULT OnCustomDraw(NMTVCUSTOMDRAW& draw) const;

    RECT ItemLine(HTREEITEM item) const;
    void RepaintItem(HTREEITEM item);
    bool RefusedWhileEditing();

    SetListOwner* owner_ = nullptr;
    std::vector<TreeCtrlItem>* items_ = nullptr;
    HBRUSH frameBrush_;
    HTREEITEM lastFramed_ = nullptr;
    HTREEITEM dropTarget_ = nullptr;
    HWND watchedParent_ = nullptr;
};

// An item's rectangle in the tree's client co-ordinates: its whole line, or its text only; empty when hidden.
RECT TreeItemRect(HWND tree, HTREEITEM item, bool textOnly);

// The beep and the editor to the front, while an overlay editor is open; true when refused.
bool RefuseWhileEditorOpen(const SetListOwner* owner);
