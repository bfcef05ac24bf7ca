// The settings sheet and the main window's way into it.
#include "writer_settings/SettingsSheet.h"
#include "framework/Prompt.h"
#include "framework/Strings.h"
#include "library/Cp1252.h"
#include "morvel/resource.h"
#include "writer_settings/UserFileMessages.h"
#include "writer_settings/Settings.h"

SettingsSheetData SettingsSheet::MakeData(Settings* settings, std::vector<ImageFolder>* folders,
                                          const SpeechObjects& speech, const FolderDialogContext& folderContext)
{
    SettingsSheetData data;
    data.settings = settings;
    data.folders = folders;
    data.speech = speech;
    data.folderContext = folderContext;
    data.folderContext.settings = settings;
    return data;
}

SettingsSheet::SettingsSheet(User* user, const std::vector<User>* users, int index, Settings* settings,
                             std::vector<ImageFolder>* folders, const SpeechObjects& speech,
                             const FolderDialogContext& folderContext, HWND parent)
    : fw::PropSheet(0, parent), data_(MakeData(settings, folders, speech, folderContext)), namePage_(&data_),
      screenPage_(&data_), picturesPage_(&data_), speechPage_(&data_), savePage_(&data_)
{
    data_.user = user;
    data_.users = users;
    data_.index = index;
    data_.hasNamePage = !cp1252::EqualsNoCase(user->name_, fw::LoadResString(IDS_DEFAULT_USER));
    const bool isNew = user->oldName_.empty();
    const std::string newUser = fw::LoadResString(IDS_NEW_USER_NAME);
    SetCaption(fw::FormatResString(IDS_SHEET_CAPTION, (isNew ? newUser : user->name_).c_str()));
    AddPages();
    if (isNew) {
        for (fw::PropertyPage* page : std::initializer_list<fw::PropertyPage*>{
                 &namePage_, &screenPage_, &picturesPage_, &speechPage_, &savePage_})
            page->SetTitle(fw::FormatResString(IDS_NEW_USER_TAB, newUser.c_str(), page->Title().c_str()));
    }
    if (data_.IsWizard())
        SetWizardMode();
}

SettingsSheet::SettingsSheet(Settings* settings, std::vector<ImageFolder>* folders, const SpeechObjects& speech,
                             const FolderDialogContext& folderContext, HWND parent)
    : fw::PropSheet(0, parent), data_(MakeData(settings, folders, speech, folderContext)), namePage_(&data_),
      screenPage_(&data_), picturesPage_(&data_), speechPage_(&data_), savePage_(&data_)
{
    std::string name = fw::LoadResString(IDS_DEFAULT_USER);
    Settings::FileTitleFromPath(settings->userFile_, name, true);
    SetCaption(fw::FormatResString(IDS_SHEET_CAPTION, name.c_str()));
    AddPages();
}

void SettingsSheet::AddPages()
{
    namePage_.SetTitle(fw::LoadResString(IDS_TAB_NAME));
    screenPage_.SetTitle(fw::LoadResString(IDS_TAB_SCREEN));
    picturesPage_.SetTitle(fw::LoadResString(IDS_TAB_PICTURES));
    speechPage_.SetTitle(fw::LoadResString(IDS_TAB_SPEECH));
    savePage_.SetTitle(fw::LoadResString(IDS_TAB_SAVE));
    if (data_.hasNamePage)
        AddPage(&namePage_);
    AddPage(&screenPage_);
    AddPage(&picturesPage_);
    AddPage(&speechPage_);
    AddPage(&savePage_);
}

bool RunSettingsSheet(HWND mainWindow, Settings& settings, const SpeechObjects& speech,
                      const FolderDialogContext& folderContext)
{
    if (!SettingsFileReadableOrSay(mainWindow, settings))
        return false;
    Settings edited = settings;
    std::vector<ImageFolder> folders;
    const fw::FileRead listRead = ReadFolderListOrSay(mainWindow, settings, folders);
    SettingsSheet sheet(&edited, &folders, speech, folderContext, mainWindow);
    if (listRead == fw::FileRead::Unreadable)
        sheet.KeepFolderList();
    if (sheet.DoModal() != IDOK)
        return false;
    settings.CopyValues(edited);
    WriteSettingsOrSay(mainWindow, settings);
    if (listRead != fw::FileRead::Unreadable)
        WriteFolderListOrSay(mainWindow, settings, folders, listRead);
    return true;
}
