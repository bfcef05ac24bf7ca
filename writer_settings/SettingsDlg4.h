// The settings sheet's insert-picture page: the user's image folders, edited in place, and whether
// pictures are inserted by typing their word.
#pragma once
#include "framework/PropertySheet.h"
#include "writer_settings/FolderListEditor.h"
#include "writer_settings/SettingsSheetData.h"

class SettingsDlg4 : public fw::PropertyPage {
public:
    explicit SettingsDlg4(SettingsSheetData* data);

protected:
    bool OnInitDialog() override;
    bool OnSetActive() override;
    bool OnKillActive() override;
    bool OnCommand(int id, int code) override;

private:
    SettingsSheetData* data_;
    FolderListEditor list_;
};
