// The settings sheet's save page: where the user's documents are saved, how many are kept, when
// they are saved and whether the newest opens at start.
#pragma once
#include "framework/PropertySheet.h"
#include "writer_settings/SettingsSheetData.h"
#include <string>

// A save folder as typed: empty, not of the form "X:\..." (or holding : * ? " < > | after the
// drive), or usable.
enum class SaveFolderText { Empty, Invalid, Valid };
SaveFolderText CheckSaveFolder(const std::string& folder);

// Stores its values when the wizard finishes and when the sheet closes with OK, both after the
// same checks, so that the main window's sheet and an existing user's keep them too.
class SettingsDlg2 : public fw::PropertyPage {
public:
    explicit SettingsDlg2(SettingsSheetData* data);

protected:
    bool OnSetActive() override;
    bool OnCommand(int id, int code) override;
    bool OnWizardFinish() override;
    bool OnApply() override;

private:
    void OnBrowse();
    // Checks the folder (asking to create a missing one) and stores the page; false keeps it open.
    bool CheckAndStore();
    bool Refuse(UINT textId);
    // false when the folder is another user's and the user would rather not share it.
    bool MayShareFolder(const std::string& folder) const;

    SettingsSheetData* data_;
    bool shown_ = false;
};
