// Saving an overlay under a name: the name and its checks.
#include "store/SaveDlg.h"
#include "framework/Files.h"
#include "framework/Strings.h"
#include "skarpin/resource.h"
#include "store/FileIO.h"
#include "store/NameDialogRules.h"

SaveDlg::SaveDlg(FileIO* fileIO, const std::string& setName, std::string& overlayName, int number, HWND parent)
    : NameBoxDialog(IDD_SAVE_OVERLAY, parent), fileIO_(fileIO), setName_(setName), overlayName_(overlayName),
      number_(number)
{
    fileIO->ListOverlays(setName, overlays_);
}

bool SaveDlg::OnInitDialog()
{
    SetCaption(fw::LoadResString(IDS_SAVE_OVERLAY));
    SetItemText(IDC_NAME_LABEL, fw::LoadResString(IDS_ENTER_NAME));
    SetItemText(IDCANCEL, fw::LoadResString(IDS_CANCEL));
    Control<fw::Edit>(IDC_NAME_EDIT).SetLimit(kMaxNameLength);
    SetItemText(IDC_NAME_EDIT, overlayName_);
    UpdateOkButton();
    return true;
}

bool SaveDlg::OnOK()
{
    const std::string name = namerules::Trim(ItemText(IDC_NAME_EDIT));
    // The set may hold files it does not list (a template past the hundredth, a file in the folder
    // since the list was read): the name is free only when nothing stands under it on the disk.
    const bool fileTaken = FileIO::IsValidName(name) && !fw::IsAbsent(fileIO_->OverlayPath(setName_, name));
    if (const int problem = namerules::SaveProblem(name, overlays_, fileTaken))
        return Refuse(problem, IDC_NAME_EDIT);
    overlayName_ = name;
    return true;
}
