// The insert-picture page.
#include "writer_settings/SettingsDlg4.h"
#include "morvel/resource.h"
#include "writer_settings/Settings.h"

SettingsDlg4::SettingsDlg4(SettingsSheetData* data)
    : fw::PropertyPage(IDD_SETTINGS_PICTURES), data_(data), list_(data->folders, data->folderContext)
{
}

bool SettingsDlg4::OnInitDialog()
{
    list_.Attach(Handle());
    if (data_->foldersReadOnly)
        list_.SetReadOnly();
    return true;
}

bool SettingsDlg4::OnSetActive()
{
    SetChecked(IDC_PICTURES_BY_WORD, data_->settings->wtiMode_ != 0);
    list_.Fill(-1);
    SetWizardButtons(PSWIZB_BACK | PSWIZB_NEXT);
    return true;
}

bool SettingsDlg4::OnKillActive()
{
    data_->settings->wtiMode_ = IsChecked(IDC_PICTURES_BY_WORD) ? 1 : 0;
    return true;
}

bool SettingsDlg4::OnCommand(int id, int code)
{
    return list_.OnCommand(id, code);
}
