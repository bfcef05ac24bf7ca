// Choosing a template for a new overlay.
#include "skarpin/TemplateDlg.h"
#include "framework/Strings.h"
#include "skarpin/resource.h"
#include "store/FileIO.h"

TemplateDlg::TemplateDlg(FileIO* fileIO, std::string& templateName, HWND parent)
    : fw::Dialog(IDD_TEMPLATE, parent), fileIO_(fileIO), templateName_(templateName)
{
}

bool TemplateDlg::OnInitDialog()
{
    SetCaption(fw::LoadResString(IDS_NEW_OVERLAY));
    SetItemText(IDC_NAME_LIST_LABEL, fw::LoadResString(IDS_CHOOSE_TEMPLATE));
    SetItemText(IDCANCEL, fw::LoadResString(IDS_CANCEL));
    fw::ListBox list = Control<fw::ListBox>(IDC_NAME_LIST);
    list.Add(fw::LoadResString(IDS_NO_TEMPLATE));
    std::vector<SetItem> templates;
    fileIO_->ListOverlays(fileIO_->templatesSetName_, templates);
    for (const SetItem& overlay : templates)
        list.Add(overlay.name_);
    list.Select(0);
    return true;
}

bool TemplateDlg::OnCommand(int id, int code)
{
    if (id == IDC_NAME_LIST && code == LBN_DBLCLK) {
        if (OnOK())
            EndDialog(IDOK);
        return true;
    }
    return false;
}

bool TemplateDlg::OnOK()
{
    fw::ListBox list = Control<fw::ListBox>(IDC_NAME_LIST);
    const std::string chosen = list.ItemText(list.Selection());
    templateName_ = chosen == fw::LoadResString(IDS_NO_TEMPLATE) ? std::string() : chosen;
    return true;
}
