// The import wizard's choice of overlays.
#include "skarpin/ImportPage2.h"
#include "framework/Cursor.h"
#include "framework/Prompt.h"
#include "framework/Strings.h"
#include "skarpin/ImportModel.h"
#include "skarpin/resource.h"
#include "store/StoreFiles.h"
#include <unordered_map>

ImportPage2::ImportPage2(ImportData* data)
    : ImportTreePage(IDD_IMPORT_PAGE2, IDS_IMPORT_CAPTION_OVERLAYS, IDC_IMPORT_OVERLAY_TREE), data_(data)
{
}

bool ImportPage2::OnInitDialog()
{
    SetItemText(IDC_IMPORT_ALL, fw::LoadResString(IDS_EXPORT_ALL));
    SetItemText(IDC_IMPORT_NONE, fw::LoadResString(IDS_EXPORT_NONE));
    return true;
}

// The tree and the numbers are made anew at each entry, from the register file as it was unpacked.
bool ImportPage2::OnSetActive()
{
    SetWizardButtons(PSWIZB_BACK | PSWIZB_NEXT);
    fw::WaitCursor wait;
    SetItemText(IDC_IMPORT_INFO, fw::FormatResString(IDS_IMPORT_CHOOSE_OVERLAYS, data_->newSetName.c_str()));
    ClearTree();
    std::vector<std::string> lines;
    if (!data_->registerPath.empty())
        storefile::ReadLines(data_->registerPath, lines);
    importwizard::ReadRegisterNumbers(lines, data_->fileIO->overlayListSection_, data_->overlays);
    // Overlays without a number are shown too: they are imported as much as the others.
    const std::string unnumbered = fw::LoadResString(IDS_IMPORT_UNNUMBERED);
    for (const exportwizard::OverlayLine& line : importwizard::OverlayLines(data_->overlays, unnumbered))
        items_.emplace_back(Tree().Insert(TVI_ROOT, TVI_LAST, line.text), line.name);
    StartChecks();
    return true;
}

// Every line is checked first; then each overlay's line shows its chosen flag.
void ImportPage2::SetChecks()
{
    CheckAll(true);
    std::unordered_map<std::string, bool> chosen;
    for (const SetItem& overlay : data_->overlays)
        chosen[overlay.name_] = overlay.selected_ != 0;
    for (const TreeCtrlItem& item : items_) {
        const auto overlay = chosen.find(item.name_);
        if (overlay != chosen.end())
            Tree().SetChecked(item.item_, overlay->second);
    }
}

LRESULT ImportPage2::OnWizardNext()
{
    fw::WaitCursor wait;
    const std::vector<std::pair<std::string, bool>> checks = Checks();
    if (items_.empty() || exportwizard::TakeChecks(data_->overlays, checks) == 0) {
        fw::ShowMessage(hwnd_, IDS_EXPORT_NO_OVERLAY, IDS_IMPORT_CAPTION, MB_OK | MB_ICONSTOP);
        return -1;
    }
    // The unpacked overlay files lie directly in the work folder, under their stored names.
    for (SetItem& overlay : data_->overlays) {
        if (overlay.selected_)
            overlay.path_ = data_->workFolder.Path() + overlay.name_ + ".ini";
    }
    return 0;
}
