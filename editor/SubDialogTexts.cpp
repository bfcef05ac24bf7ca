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
    StepOwnerAside(window, corner == Corner::BottomRight);
}

fw::Dialog::Placement CornerAt(POINT point, Corner corner)
{
    return [point, corner](HWND window) { MoveCornerTo(window, point, corner); };
}

// A dialog that the screen keeps from standing whole beside its owner would cover the owner's edge:
// the owner steps aside instead, as far as it stays whole on the screen.
void StepOwnerAside(HWND window, bool ownerToTheRight)
{
    HWND owner = ::GetWindow(window, GW_OWNER);
    if (!owner)
        return;
    const RECT mine = fw::Window(window).WindowRect();
    const RECT theirs = fw::Window(owner).WindowRect();
    const LONG overlap = ownerToTheRight ? mine.right - theirs.left : theirs.right - mine.left;
    if (overlap <= 0 || mine.bottom <= theirs.top || mine.top >= theirs.bottom)
        return;
    fw::Window(owner).MoveOnScreen(POINT{theirs.left + (ownerToTheRight ? overlap : -overlap), theirs.top});
}

} // namespace subdialog
