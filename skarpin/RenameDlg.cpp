// Renaming a set or an overlay: the new name and its checks.
#include "skarpin/RenameDlg.h"
#include "framework/Strings.h"
#include "skarpin/resource.h"
#include "store/NameDialogRules.h"

RenameDlg::RenameDlg(int mode, std::string& setName, std::string& overlayName, const std::vector<SetItem>& names,
                     HWND parent)
    : NameBoxDialog(IDD_RENAME, parent), mode_(mode), setName_(setName), overlayName_(overlayName), names_(names)
{
    const std::string& own = NameChanged();
    for (size_t i = 0; i < names_.size(); ++i) {
        if (names_[i].name_ == own) {
            ownEntry_ = static_cast<int>(i);
            break;
        }
    }
}

bool RenameDlg::OnInitDialog()
{
    const std::string setLine = fw::FormatResString(IDS_NAME_SET_LINE, setName_.c_str());
    if (mode_ == kOverlay) {
        SetCaption(fw::LoadResString(IDS_RENAME_OVERLAY));
        SetItemText(IDC_NAME_LINE1, fw::FormatResString(IDS_NAME_OVERLAY_LINE, overlayName_.c_str()));
        SetItemText(IDC_NAME_LINE2, setLine);
    } else {
        SetCaption(fw::LoadResString(IDS_RENAME_SET));
        SetItemText(IDC_NAME_LINE1, setLine);
        ShowItem(IDC_NAME_LINE2, false);
    }
    SetItemText(IDC_NAME_LABEL, fw::LoadResString(IDS_ENTER_NEW_NAME));
    SetItemText(IDCANCEL, fw::LoadResString(IDS_CANCEL));
    SetItemText(IDC_NAME_EDIT, NameChanged());
    UpdateOkButton();
    return true;
}

bool RenameDlg::OnOK()
{
    const std::string name = namerules::Trim(ItemText(IDC_NAME_EDIT));
    if (const int problem = namerules::RenameProblem(mode_, name, names_, ownEntry_))
        return Refuse(problem, IDC_NAME_EDIT);
    NameChanged() = name;
    return true;
}
