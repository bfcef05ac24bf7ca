// The name page.
#include "writer_settings/SettingsDlg0.h"
#include "framework/Prompt.h"
#include "morvel/resource.h"
#include "writer_settings/Settings.h"
#include "writer_settings/UserNames.h"

namespace {
// Posted by the page to itself: the sheet moves the focus as it shows a page, after the page is told.
const UINT kSelectName = WM_APP + 1;
}

SettingsDlg0::SettingsDlg0(SettingsSheetData* data) : fw::PropertyPage(IDD_SETTINGS_NAME), data_(data) {}

bool SettingsDlg0::OnSetActive()
{
    SetItemText(IDC_NAME_EDIT, data_->user->name_);
    SetWizardButtons(PSWIZB_NEXT);
    Self().Post(kSelectName);
    return true;
}

// The name offered ("Ny användare") is to be typed over: it is focused whole.
bool SettingsDlg0::OnMessage(UINT message, WPARAM, LPARAM, LRESULT& result)
{
    if (message != kSelectName)
        return false;
    fw::Window name = Item(IDC_NAME_EDIT);
    name.SetFocus();
    name.Send(EM_SETSEL, 0, -1);
    result = 0;
    return true;
}

bool SettingsDlg0::Refuse(UINT textId, UINT icon)
{
    fw::ShowMessage(Handle(), textId, IDS_ERROR_CAPTION, MB_OK | icon);
    Item(IDC_NAME_EDIT).SetFocus();
    return false;
}

bool SettingsDlg0::OnKillActive()
{
    const std::string name = ItemText(IDC_NAME_EDIT);
    if (name.empty())
        return Refuse(IDS_NAME_MISSING, MB_ICONERROR);
    if (usernames::HasForbiddenUserCharacter(name))
        return Refuse(IDS_USER_NAME_CHARACTERS, MB_ICONERROR);
    if (usernames::IsLanguageFile(name))
        return Refuse(IDS_USER_NAME_LANGUAGE, MB_ICONERROR);
    // Another user of the name in any letter case would share this user's file: refused, so that
    // no user's settings are written over.
    if (data_->users && usernames::IsNameTaken(*data_->users, data_->index, name, data_->settings->usersDir_))
        return Refuse(IDS_USER_EXISTS, 0);
    data_->user->name_ = name;
    data_->user->path_ = usernames::UserFilePath(data_->settings->usersDir_, name);
    data_->settings->userFile_ = data_->user->path_;
    return true;
}
