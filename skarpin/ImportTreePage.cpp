// The import wizard's pages with a tree of check boxes.
#include "skarpin/ImportTreePage.h"
#include "skarpin/resource.h"

ImportTreePage::ImportTreePage(UINT templateId, UINT captionId, int treeId)
    : ExportTreePage(templateId, captionId, treeId)
{
}

void ImportTreePage::StartChecks()
{
    checksPending_ = true;
    StartCheckTimer();
}

std::vector<std::pair<std::string, bool>> ImportTreePage::Checks()
{
    if (checksPending_)
        OnTimer(kCheckTimer);
    std::vector<std::pair<std::string, bool>> checks;
    for (const TreeCtrlItem& item : items_)
        checks.emplace_back(item.name_, Tree().IsChecked(item.item_));
    return checks;
}

bool ImportTreePage::OnCommand(int id, int code)
{
    switch (id) {
    case IDC_IMPORT_ALL:
        CheckAll(true);
        return true;
    case IDC_IMPORT_NONE:
        CheckAll(false);
        return true;
    default:
        return ExportTreePage::OnCommand(id, code);
    }
}

void ImportTreePage::OnTimer(UINT_PTR id)
{
    if (id == kCheckTimer)
        checksPending_ = false;
    ExportTreePage::OnTimer(id);
}
