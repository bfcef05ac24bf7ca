// The export wizard's introduction.
#include "skarpin/ExportPage1.h"
#include "framework/Strings.h"
#include "skarpin/resource.h"

ExportPage1::ExportPage1(const std::string& setName)
    : fw::PropertyPage(IDD_EXPORT_PAGE1, IDS_EXPORT_CAPTION), setName_(setName)
{
}

bool ExportPage1::OnInitDialog()
{
    SetItemText(IDC_EXPORT_QUESTION, fw::FormatResString(IDS_EXPORT_QUESTION, setName_.c_str()));
    SetItemText(IDC_EXPORT_ABOUT, fw::LoadResString(IDS_EXPORT_ABOUT));
    SetItemText(IDC_EXPORT_WHERE, fw::LoadResString(IDS_EXPORT_WHERE));
    SetItemText(IDC_EXPORT_IMPORT_HINT, fw::LoadResString(IDS_EXPORT_IMPORT_HINT));
    return true;
}

bool ExportPage1::OnSetActive()
{
    SetWizardButtons(PSWIZB_NEXT);
    return true;
}
