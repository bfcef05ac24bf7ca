// The export wizard's pages with a tree of check boxes.
#include "skarpin/ExportTreePage.h"
#include "framework/Strings.h"
#include "skarpin/resource.h"

ExportTreePage::ExportTreePage(UINT templateId, UINT captionId, int treeId)
    : fw::PropertyPage(templateId, captionId), treeId_(treeId)
{
}

void ExportTreePage::CheckAll(bool checked)
{
    for (const TreeCtrlItem& item : items_)
        Tree().SetChecked(item.item_, checked);
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
