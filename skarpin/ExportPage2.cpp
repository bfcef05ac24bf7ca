// The export wizard's choice of overlays.
#include "skarpin/ExportPage2.h"
#include "framework/Prompt.h"
#include "framework/Strings.h"
#include "skarpin/ExportModel.h"
#include "skarpin/resource.h"

ExportPage2::ExportPage2(const std::string& setName, std::vector<SetItem>* overlays)
    : ExportTreePage(IDD_EXPORT_PAGE2, IDS_EXPORT_CAPTION_OVERLAYS, IDC_EXPORT_OVERLAY_TREE), setName_(setName),
      overlays_(overlays)
{
}

bool ExportPage2::OnInitDialog()
{
    SetItemText(IDC_EXPORT_INFO, fw::LoadResString(IDS_EXPORT_CHOOSE_OVERLAYS));
    SetItemText(IDC_EXPORT_ALL, fw::LoadResString(IDS_EXPORT_ALL));
    SetItemText(IDC_EXPORT_NONE, fw::LoadResString(IDS_EXPORT_NONE));
    if (overlays_) {
        for (const exportwizard::OverlayLine& line : exportwizard::OverlayLines(*overlays_))
            items_.emplace_back(Tree().Insert(TVI_ROOT, TVI_LAST, line.text), line.name);
    }
    return true;
}

bool ExportPage2::OnSetActive()
{
    SetWizardButtons(PSWIZB_BACK | PSWIZB_NEXT);
    StartCheckTimer();
    return true;
}

// Each chosen overlay's line, by its exact name.
void ExportPage2::SetChecks()
{
    if (!overlays_)
        return;
    for (const SetItem& overlay : *overlays_) {
        if (overlay.selected_ != 1)
            continue;
        for (const TreeCtrlItem& item : items_) {
            if (item.name_ == overlay.name_)
                Tree().SetChecked(item.item_, true);
        }
    }
}

LRESULT ExportPage2::OnWizardNext()
{
    std::vector<std::pair<std::string, bool>> checks;
    for (const TreeCtrlItem& item : items_)
        checks.emplace_back(item.name_, Tree().IsChecked(item.item_));
    if (!overlays_ || exportwizard::TakeChecks(*overlays_, checks) == 0) {
        fw::ShowMessage(hwnd_, IDS_EXPORT_NO_OVERLAY, IDS_EXPORT_CAPTION, MB_OK | MB_ICONSTOP);
        return -1;
    }
    return 0;
}
