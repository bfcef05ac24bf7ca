// The copy dialog of the users dialog.
#include "writer_settings/CopyUserDlg.h"
#include "framework/Prompt.h"
#include "framework/Strings.h"
#include "morvel/resource.h"
#include "writer_settings/UserNames.h"

CopyUserDlg::CopyUserDlg(const std::vector<User>& users, int source, const std::string& usersDir,
                         std::string& newName, HWND parent)
    : fw::Dialog(IDD_COPY_USER, parent), users_(users), source_(source), usersDir_(usersDir), newName_(newName)
{
}

bool CopyUserDlg::OnInitDialog()
{
    SetItemText(IDC_COPY_USER_QUESTION,
                fw::FormatResString(IDS_COPY_USER_QUESTION, users_[static_cast<size_t>(source_)].name_.c_str()));
    SetItemText(IDC_LABEL_2, fw::LoadResString(IDS_COPY_USER_NAME_LABEL));
    return true;
}

bool CopyUserDlg::Refuse(UINT textId, UINT icon)
{
    fw::ShowMessage(Handle(), textId, IDS_ERROR_CAPTION, MB_OK | icon);
    Item(IDC_COPY_USER_NAME).SetFocus();
    return false;
}

bool CopyUserDlg::OnOK()
{
    const std::string name = ItemText(IDC_COPY_USER_NAME);
    if (name.empty())
        return Refuse(IDS_NAME_MISSING, MB_ICONERROR);
    // A listed user in any letter case, "<Standard>" included, or a file of the name that is no user
    // (a language file) would be written over by the copy. Asked before the characters, so that
    // "<Standard>" is answered as the user it names.
    if (usernames::IsNameTaken(users_, -1, name, usersDir_))
        return Refuse(IDS_USER_EXISTS, 0);
    if (usernames::HasForbiddenUserCharacter(name))
        return Refuse(IDS_USER_NAME_CHARACTERS, MB_ICONERROR);
    if (usernames::IsLanguageFile(name))
        return Refuse(IDS_USER_NAME_LANGUAGE, MB_ICONERROR);
    newName_ = name;
    return true;
}
