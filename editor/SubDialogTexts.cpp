// Texts and placement of the command sub-dialogs.
#include "editor/SubDialogTexts.h"
#include "framework/Strings.h"
#include "library/resource.h"

namespace subdialog {

void SetTexts(const fw::Dialog& dialog, UINT caption, std::initializer_list<ItemText> items)
{
    dialog.SetCaption(fw::LoadResString(caption));
    for (const ItemText& item : items)
        dialog.SetItemText(item.control, fw::LoadResString(item.text));
    dialog.SetItemText(IDCANCEL, fw::LoadResString(IDS_CANCEL));
}

void MoveCornerTo(HWND window, POINT point, Corner corner)
{
    const RECT rect = fw::Window(window).WindowRect();
    const LONG x = corner == Corner::TopLeft ? point.x : point.x - (rect.right - rect.left);
    const LONG y = corner == Corner::TopLeft ? point.y : point.y - (rect.bottom - rect.top);
    fw::Window(window).MoveOnScreen(POINT{x, y});
}

} // namespace subdialog
