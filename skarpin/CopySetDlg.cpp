// Naming a new set or a copy of a set.
#include "skarpin/CopySetDlg.h"
#include "framework/Files.h"
#include "framework/Strings.h"
#include "skarpin/resource.h"
#include "store/FileIO.h"
#include "store/NameDialogRules.h"
#include "store/StoreFiles.h"

CopySetDlg::CopySetDlg(FileIO* fileIO, UINT templateId, std::string& name, const std::vector<SetItem>& sets,
                       HWND parent)
    : NameBoxDialog(templateId, parent), fileIO_(fileIO), name_(name), sets_(sets)
{
}

bool CopySetDlg::OnInitDialog()
{
    const bool newSet = TemplateId() == IDD_NEW_SET;
    SetCaption(fw::LoadResString(newSet ? IDS_NEW_SET : IDS_COPY_SET_CAPTION));
    SetItemText(IDC_NAME_LABEL, fw::LoadResString(newSet ? IDS_ENTER_NAME : IDS_ENTER_COPY_NAME));
    SetItemText(IDC_NAME_LINE1, fw::FormatResString(IDS_NAME_SET_LINE, name_.c_str()));
    SetItemText(IDCANCEL, fw::LoadResString(IDS_CANCEL));
    SetItemText(IDC_NAME_EDIT, name_);
    UpdateOkButton();
    return true;
}

bool CopySetDlg::OnOK()
{
    const std::string name = ItemText(IDC_NAME_EDIT);
    const bool folderTaken = FileIO::IsValidName(name) && fw::PathExists(fileIO_->SetFolderPath(name));
    if (const int problem = namerules::CopySetProblem(name, sets_, folderTaken))
        return Refuse(problem, IDC_NAME_EDIT);
    name_ = name;
    return true;
}
