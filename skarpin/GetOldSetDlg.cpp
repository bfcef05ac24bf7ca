// Choosing an old set to take over.
#include "skarpin/GetOldSetDlg.h"
#include "framework/Files.h"
#include "framework/Prompt.h"
#include "framework/Strings.h"
#include "skarpin/resource.h"
#include "store/FileIO.h"

GetOldSetDlg::GetOldSetDlg(FileIO* fileIO, const std::vector<SetItem>& sets, std::string& oldSetPath,
                           std::string& newSetName, HWND parent)
    : fw::Dialog(IDD_GET_OLD_SET, parent), fileIO_(fileIO), sets_(sets), oldSetPath_(oldSetPath),
      newSetName_(newSetName)
{
}

bool GetOldSetDlg::OnInitDialog()
{
    fileIO_->ListOldSets(oldSets_);
    fw::ListBox list = Control<fw::ListBox>(IDC_OLDSET_LIST);
    for (const SetItem& set : oldSets_)
        list.Add(set.name_);
    if (oldSets_.empty())
        EnableItem(IDOK, false);
    else
        list.Select(0);
    return true;
}

bool GetOldSetDlg::OnCommand(int id, int code)
{
    if (id == IDC_OLDSET_LIST && code == LBN_SELCHANGE) {
        EnableItem(IDOK, Control<fw::ListBox>(IDC_OLDSET_LIST).Selection() >= 0);
        return true;
    }
    return false;
}

// A folder of that name counts too, set or not: the new set must not move into someone's folder.
bool GetOldSetDlg::SetExists(const std::string& name) const
{
    for (const SetItem& set : sets_)
        if (SameSetName(set.name_, name))
            return true;
    return fw::PathExists(fileIO_->SetFolderPath(name));
}

bool GetOldSetDlg::OnOK()
{
    // The line itself tells which old set it is: two old sets may carry one name.
    const int selected = Control<fw::ListBox>(IDC_OLDSET_LIST).Selection();
    if (selected < 0 || selected >= static_cast<int>(oldSets_.size()))
        return false;
    const SetItem& oldSet = oldSets_[static_cast<size_t>(selected)];

    const std::string name = FileIO::OldSetName(oldSet);
    std::string newName = name;
    for (int k = 2; SetExists(newName); ++k)
        newName = name + " " + std::to_string(k);
    if (newName != name) {
        const std::string text = fw::FormatResString(IDS_OLDSET_NAME_TAKEN, name.c_str(), newName.c_str());
        if (fw::ShowMessage(Handle(), IDS_OLDSET_NAME_TAKEN, text, fw::LoadResString(IDS_OLDSET_CAPTION),
                            MB_OKCANCEL | MB_ICONQUESTION) != IDOK)
            return false;
    }
    oldSetPath_ = fileIO_->OldSetPath(oldSet.number_);
    newSetName_ = newName;
    return true;
}
