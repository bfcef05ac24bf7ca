// The main window's tree of sets: clicks and keys for the main window, and the frame on the set that
// an overlay dragged from the list would drop onto.
#pragma once
#include "framework/Dialog.h"
#include "loader/SetListOwner.h"
#include "loader/TreeCtrlItem.h"
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

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    RECT ItemLine(HTREEITEM item) const;
    void RepaintItem(HTREEITEM item);
    bool RefusedWhileEditing();

    SetListOwner* owner_ = nullptr;
    std::vector<TreeCtrlItem>* items_ = nullptr;
    HBRUSH frameBrush_;
    HTREEITEM lastFramed_ = nullptr;
    HTREEITEM dropTarget_ = nullptr;
};

// An item's rectangle in the tree's client co-ordinates: its whole line, or its text only; empty when hidden.
RECT TreeItemRect(HWND tree, HTREEITEM item, bool textOnly);

// The beep and the editor to the front, while an overlay editor is open; true when refused.
bool RefuseWhileEditorOpen(const SetListOwner* owner);
