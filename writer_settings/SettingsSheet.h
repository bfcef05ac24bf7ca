// The settings sheet: a user's name, screen, image folders, speech and saving, as a sheet from the
// main window or the users dialog, and as a wizard for a new user.
#pragma once
#include "framework/PropertySheet.h"
#include "writer_settings/SettingsDlg0.h"
#include "writer_settings/SettingsDlg1.h"
#include "writer_settings/SettingsDlg2.h"
#include "writer_settings/SettingsDlg3.h"
#include "writer_settings/SettingsDlg4.h"
#include "writer_settings/SettingsSheetData.h"

// Edits the settings and the folder list it is given (the callers pass copies, and write them
// after OK or Finish). Built on the caller's stack for one run.
class SettingsSheet : public fw::PropSheet {
public:
    // From the users dialog: index is the user's place in users, -1 for a new user (a wizard).
    SettingsSheet(User* user, const std::vector<User>* users, int index, Settings* settings,
                  std::vector<ImageFolder>* folders, const SpeechObjects& speech,
                  const FolderDialogContext& folderContext, HWND parent);
    // From the main window: never a wizard, and no name page.
    SettingsSheet(Settings* settings, std::vector<ImageFolder>* folders, const SpeechObjects& speech,
                  const FolderDialogContext& folderContext, HWND parent);

    SettingsDlg0& NamePage() { return namePage_; }
    SettingsDlg1& ScreenPage() { return screenPage_; }
    SettingsDlg4& PicturesPage() { return picturesPage_; }
    SettingsDlg3& SpeechPage() { return speechPage_; }
    SettingsDlg2& SavePage() { return savePage_; }
    const SettingsSheetData& Data() const { return data_; }
    // The folder list's file could not be read: the pictures page shows the list unchangeable.
    void KeepFolderList() { data_.foldersReadOnly = true; }

private:
    static SettingsSheetData MakeData(Settings* settings, std::vector<ImageFolder>* folders,
                                      const SpeechObjects& speech, const FolderDialogContext& folderContext);
    void AddPages();

    SettingsSheetData data_;
    SettingsDlg0 namePage_;
    SettingsDlg1 screenPage_;
    SettingsDlg4 picturesPage_;
    SettingsDlg3 speechPage_;
    SettingsDlg2 savePage_;
};

// The main window's "Inställningar": the sheet on a copy of its settings and on the user's folder
// list as its file holds it. On OK the values go back into settings, and the user's settings and
// folder list are written; a file that cannot be written is reported, and a list file that could
// not be read is left as it is. A settings file that could not be read is said, and no sheet opens.
// true after OK.
bool RunSettingsSheet(HWND mainWindow, Settings& settings, const SpeechObjects& speech,
                      const FolderDialogContext& folderContext);
