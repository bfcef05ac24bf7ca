// The save page.
#include "writer_settings/SettingsDlg2.h"
#include "framework/Files.h"
#include "framework/Prompt.h"
#include "framework/Strings.h"
#include "library/Cp1252.h"
#include "morvel/resource.h"
#include "writer_settings/SaveFolders.h"
#include "writer_settings/Settings.h"
#include "writer_settings/UserNames.h"
#include <cctype>
#include <cstdlib>

SaveFolderText CheckSaveFolder(const std::string& folder)
{
    if (folder.empty())
        return SaveFolderText::Empty;
    const bool absolute = folder.size() >= 3 && std::isalpha(static_cast<unsigned char>(folder[0]))
                          && folder[1] == ':' && folder[2] == '\\';
    if (!absolute || folder.find_first_of(":*?\"<>|", 2) != std::string::npos)
        return SaveFolderText::Invalid;
    return SaveFolderText::Valid;
}

namespace {

// Makes every missing folder of an absolute path, from the drive down.
void CreateFolders(const std::string& folder)
{
    for (size_t slash = folder.find('\\', 3); ; slash = folder.find('\\', slash + 1)) {
        const std::string part = folder.substr(0, slash);
        if (!fw::PathExists(part))
            ::CreateDirectoryA(part.c_str(), nullptr);
        if (slash == std::string::npos)
            break;
    }
}

} // namespace

SettingsDlg2::SettingsDlg2(SettingsSheetData* data) : fw::PropertyPage(IDD_SETTINGS_SAVE), data_(data) {}

bool SettingsDlg2::OnSetActive()
{
    const Settings& s = *data_->settings;
    // The page keeps what the user typed when it is left and shown again.
    if (!shown_) {
        Control<fw::Edit>(IDC_SAVE_MAX_NUMBER).SetInt(s.maxNumber_);
        SetItemText(IDC_SAVE_FOLDER,
                    data_->IsNewUser() ? s.usersDir_ + "\\" + data_->user->name_ : s.userDir_);
        const int chosen = s.save_ == 0 ? IDC_SAVE_NEVER : s.save_ == 1 ? IDC_SAVE_ALWAYS : IDC_SAVE_ASK;
        for (int id : {IDC_SAVE_NEVER, IDC_SAVE_ALWAYS, IDC_SAVE_ASK})
            SetChecked(id, id == chosen);
        SetChecked(IDC_SAVE_OPEN_NEWEST, s.lastDoc_ != 0);
        shown_ = true;
    } else if (data_->IsNewUser()) {
        // A new user's folder follows the name given on the name page.
        SetItemText(IDC_SAVE_FOLDER, s.usersDir_ + "\\" + data_->user->name_);
    }
    SetWizardButtons(PSWIZB_BACK | PSWIZB_FINISH);
    return true;
}

bool SettingsDlg2::OnCommand(int id, int code)
{
    if (id != IDC_SAVE_BROWSE)
        return false;
    OnBrowse();
    return true;
}

void SettingsDlg2::OnBrowse()
{
    const std::string title = fw::LoadResString(IDS_CHOOSE_SAVE_FOLDER);
    std::string chosen;
    if (fw::ChooseFolder(Handle(), title, chosen))
        SetItemText(IDC_SAVE_FOLDER, cp1252::Lower(chosen));
}

bool SettingsDlg2::Refuse(UINT textId)
{
    fw::ShowMessage(Handle(), textId, IDS_ERROR_CAPTION, MB_OK | MB_ICONERROR);
    Item(IDC_SAVE_FOLDER).SetFocus();
    return false;
}

bool SettingsDlg2::CheckAndStore()
{
    if (!shown_)
        return true;
    const std::string folder = ItemText(IDC_SAVE_FOLDER);
    switch (CheckSaveFolder(folder)) {
    case SaveFolderText::Empty: return Refuse(IDS_SAVE_FOLDER_MISSING);
    case SaveFolderText::Invalid: return Refuse(IDS_SAVE_FOLDER_INVALID);
    case SaveFolderText::Valid: break;
    }
    if (!MayShareFolder(folder)) {
        Item(IDC_SAVE_FOLDER).SetFocus();
        return false;
    }
    if (!fw::FolderExists(folder)) {
        const std::string question = fw::FormatResString(IDS_CREATE_FOLDER_QUESTION, folder.c_str());
        if (fw::ShowMessage(Handle(), IDS_CREATE_FOLDER_QUESTION, question,
                            fw::LoadResString(IDS_CREATE_FOLDER_CAPTION), MB_YESNO | MB_ICONQUESTION)
            == IDYES)
            CreateFolders(folder);
    }
    Settings& s = *data_->settings;
    s.userDir_ = folder;
    s.maxNumber_ = std::atoi(ItemText(IDC_SAVE_MAX_NUMBER).c_str());
    s.save_ = IsChecked(IDC_SAVE_NEVER) ? 0 : IsChecked(IDC_SAVE_ALWAYS) ? 1 : 2;
    s.lastDoc_ = IsChecked(IDC_SAVE_OPEN_NEWEST) ? 1 : 0;
    return true;
}

// Another user's save folder is taken only when the user says so: deleting either user could then
// offer the other's documents with its own. From the main window the users are read from the users
// folder, this one found by its file.
bool SettingsDlg2::MayShareFolder(const std::string& folder) const
{
    const Settings& settings = *data_->settings;
    // The folder the user has already is no folder taken.
    if (!data_->IsNewUser() && fw::ComparablePath(folder) == fw::ComparablePath(settings.userDir_))
        return true;
    std::vector<User> users;
    int index = data_->index;
    if (data_->users) {
        users = *data_->users;
    } else {
        users = usernames::LoadUsers(settings.usersDir_, settings.programIni_, fw::LoadResString(IDS_DEFAULT_USER));
        index = usernames::CurrentUserIndex(users, settings.userFile_);
    }
    const savefolders::FolderUse use = savefolders::UseOfFolder(users, index, settings, folder);
    if (!use.userSavesHere)
        return true;
    const std::string question = fw::FormatResString(IDS_SAVE_FOLDER_SHARED, folder.c_str(), use.user.c_str());
    return fw::ShowMessage(Handle(), IDS_SAVE_FOLDER_SHARED, question, fw::LoadResString(IDS_SAVE_FOLDER_SHARED_CAPTION),
                           MB_YESNO | MB_ICONQUESTION)
           == IDYES;
}

bool SettingsDlg2::OnWizardFinish()
{
    return CheckAndStore();
}

bool SettingsDlg2::OnApply()
{
    return CheckAndStore();
}
