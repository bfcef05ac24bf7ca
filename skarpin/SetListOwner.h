// What the set tree and the overlay list ask of the window that owns them (the main window).
#pragma once
#include <windows.h>

class SetListOwner {
public:
    virtual ~SetListOwner() = default;
    // The open overlay editor, or null; while it is open the controls refuse mouse use.
    virtual HWND OverlayEditorWindow() const = 0;
    // Where the last right click fell, in the clicked control's client co-ordinates.
    virtual void SetPopupPoint(POINT point) = 0;
    // 0: a set is the object of the commands, 1: the overlays are.
    virtual void SetSelectionFocus(int focus) = 0;
    virtual void UpdateMenus() = 0;
    virtual void ShowSetMenu() = 0;
    virtual void ShowOverlayMenu() = 0;
    // The Delete command on what the focus names.
    virtual void DeleteSelection() = 0;
    // An overlay drag from the list ended: source and target lines, copy or move.
    virtual void DropOverlays(int source, int target, bool copy) = 0;
};
