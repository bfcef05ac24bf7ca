// The export wizard's pages with a tree of check boxes.
#include "skarpin/ExportTreePage.h"
#include "framework/Strings.h"
#include "skarpin/resource.h"

ExportTreePage::ExportTreePage(UINT templateId, UINT captionId, int treeId)
    : fw::PropertyPage(templateId, captionId), treeId_(treeId)
{
}

// Each check the tree takes while it shows makes it lay out its scroll bars again, which for
// thousands of lines held the page for a minute without drawing; hidden, it does so once.
void ExportTreePage::CheckAll(bool checked)
{
    const HWND tree = Tree().Handle();
    const bool shown = ::IsWindowVisible(tree) != FALSE;
    const bool focused = ::GetFocus() == tree;
    // Under Wine the tree's first drawing sets every box unchecked: a tree not drawn yet (a Finish
    // pressed at once) draws before it takes the checks, or they would be lost after being read.
    if (shown) {
        ::UpdateWindow(tree);
        ::ShowWindow(tree, SW_HIDE);
    }
    for (const TreeCtrlItem& item : items_)
        Tree().SetChecked(item.item_, checked);
    if (shown)
        ::ShowWindow(tree, SW_SHOW);
    if (focused)
        ::SetFocus(tree);
}

void ExportTreePage::ClearTree()
{
    items_.clear();
    Tree().DeleteAll();
}

bool ExportTreePage::OnCommand(int id, int code)
{
    switch (id) {
    case IDC_EXPORT_ALL:
        CheckAll(true);
        return true;
    case IDC_EXPORT_NONE:
        CheckAll(false);
        return true;
    default:
        return false;
    }
}

void ExportTreePage::OnTimer(UINT_PTR id)
{
    if (id != kCheckTimer)
        return;
    KillTimer(kCheckTimer);
    SetChecks();
}

void ExportTreePage::OnDestroy()
{
    KillTimer(kCheckTimer);
    ClearTree();
}
