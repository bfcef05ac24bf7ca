// The users dialog.
#include "writer_settings/UserDlg.h"
#include "framework/Files.h"
#include "framework/Prompt.h"
#include "framework/Strings.h"
#include "library/Cp1252.h"
#include "library/ImageBaseManager.h"
#include "morvel/resource.h"
#include "writer_settings/CopyUserDlg.h"
#include "writer_settings/SaveFolders.h"
#include "writer_settings/SettingsSheet.h"
#include "writer_settings/ShortcutDlg.h"
#include "writer_settings/UserNames.h"

UserDlg::UserDlg(HWND mainWindow, Settings* mainSettings, const SpeechObjects& speech,
                 const FolderDialogContext& folderContext)
    : fw::Dialog(IDD_USERS, mainWindow), mainSettings_(mainSettings), speech_(speech), folderContext_(folderContext)
{
    folderContext_.owner = mainWindow;
}

bool UserDlg::OnInitDialog()
{
    PutInTexts();
    defaultName_ = fw::LoadResString(IDS_DEFAULT_USER);
    LoadUsers();
    FillList(users_[static_cast<size_t>(current_)].name_);
    ShowCurrentName(users_[static_cast<size_t>(current_)].name_);
    return true;
}

void UserDlg::PutInTexts()
{
    SetCaption(fw::LoadResString(IDS_USERS_CAPTION));
    const std::pair<int, UINT> texts[] = {
        {IDC_LABEL_1, IDS_USERS_CURRENT_LABEL}, {IDC_LABEL_2, IDS_USERS_LIST_LABEL},
        {IDC_USER_SETTINGS, IDS_USERS_SETTINGS}, {IDC_USER_SELECT, IDS_USERS_SELECT},
        {IDC_USER_NEW, IDS_USERS_NEW},           {IDC_USER_COPY, IDS_USERS_COPY},
        {IDC_USER_DELETE, IDS_USERS_DELETE},     {IDC_USER_SHORTCUT, IDS_USERS_SHORTCUT},
        {IDOK, IDS_USERS_CLOSE},
    };
    for (const auto& text : texts)
        SetItemText(text.first, fw::LoadResString(text.second));
}

void UserDlg::LoadUsers()
{
    users_ = usernames::LoadUsers(mainSettings_->usersDir_, mainSettings_->programIni_, defaultName_);
    current_ = usernames::CurrentUserIndex(users_, mainSettings_->userFile_);
}

void UserDlg::FillList(const std::string& select)
{
    fw::ListBox list(Handle(), IDC_USER_LIST);
    list.Clear();
    for (const User& user : users_)
        list.Add(user.name_);
    // The whole name, not its beginning: "Ann" must not select "Anna" listed before it.
    if (!select.empty())
        list.Select(list.FindExact(select));
    UpdateButtons();
}

void UserDlg::UpdateButtons()
{
    const int selected = SelectedUser();
    for (int id : {IDC_USER_SETTINGS, IDC_USER_COPY, IDC_USER_SHORTCUT, IDC_USER_SELECT})
        EnableItem(id, selected >= 0);
    EnableItem(IDC_USER_DELETE, selected > 0);
}

int UserDlg::SelectedUser() const
{
    const fw::ListBox list(Handle(), IDC_USER_LIST);
    const int selection = list.Selection();
    return selection < 0 ? -1 : usernames::FindUser(users_, list.ItemText(selection));
}

std::vector<ImageFolder> UserDlg::FolderList(const std::string& userFile) const
{
    std::vector<ImageFolder> folders;
    ImageFolderSettings::LoadFolderList(userFile, mainSettings_->programIni_, mainSettings_->imageBaseIni_, folders);
    return folders;
}

void UserDlg::SaveFolderList(const std::string& userFile, const std::vector<ImageFolder>& folders) const
{
    ImageFolderSettings::SaveFolderList(userFile, mainSettings_->programIni_, folders);
}

void UserDlg::ShowNotSaved(const std::string& path) const
{
    fw::ShowMessage(Handle(), IDS_USER_NOT_SAVED, fw::FormatResString(IDS_USER_NOT_SAVED, path.c_str()),
                    fw::LoadResString(IDS_ERROR_CAPTION), MB_OK | MB_ICONERROR);
}

void UserDlg::ShowCurrentName(const std::string& name)
{
    SetItemText(IDC_USER_CURRENT, name);
}

bool UserDlg::IsCurrent(const std::string& path) const
{
    return cp1252::EqualsNoCase(mainSettings_->userFile_, path);
}

bool UserDlg::OnCommand(int id, int code)
{
    switch (id) {
    case IDC_USER_LIST:
        if (code == LBN_SELCHANGE)
            UpdateButtons();
        return true;
    case IDC_USER_SETTINGS: OnSettings(); return true;
    case IDC_USER_SELECT: OnSelect(); return true;
    case IDC_USER_NEW: OnNew(); return true;
    case IDC_USER_COPY: OnCopy(); return true;
    case IDC_USER_DELETE: OnDelete(); return true;
    case IDC_USER_SHORTCUT: OnShortcut(); return true;
    default: return false;
    }
}

void UserDlg::OnSelect()
{
    const int selected = SelectedUser();
    if (selected < 0)
        return;
    const User& user = users_[static_cast<size_t>(selected)];
    const std::string question = fw::FormatResString(IDS_SELECT_USER_QUESTION, user.name_.c_str());
    if (fw::ShowMessage(Handle(), IDS_SELECT_USER_QUESTION, question, fw::LoadResString(IDS_USERS_SELECT),
                        MB_OKCANCEL | MB_ICONQUESTION)
        != IDOK)
        return;
    current_ = selected;
    mainSettings_->userFile_ = user.path_;
    mainSettings_->ReadUserSettings();
    ShowCurrentName(user.name_);
}

void UserDlg::OnNew()
{
    const std::string& usersDir = mainSettings_->usersDir_;
    User user;
    user.name_ = usernames::FreeNewUserName(usersDir, fw::LoadResString(IDS_NEW_USER_NAME));
    user.path_ = usernames::UserFilePath(usersDir, user.name_);
    Settings settings = mainSettings_->ForUser(std::string());
    std::vector<ImageFolder> folders;
    if (fw::ShowMessage(Handle(), IDS_NEW_USER_DEFAULTS, IDS_NEW_USER_NAME, MB_YESNO | MB_ICONQUESTION) == IDYES) {
        folders = FolderList(std::string());
    } else {
        settings.SetDefaults();
    }
    settings.userFile_ = user.path_;
    SettingsSheet sheet(&user, &users_, -1, &settings, &folders, speech_, folderContext_, Handle());
    if (sheet.DoModal() != fw::kWizardFinish)
        return;
    user.path_ = usernames::UserFilePath(usersDir, user.name_);
    settings.userFile_ = user.path_;
    // Whatever the sheet allowed, a file of this name is never written over.
    if (usernames::IsNameTaken(users_, -1, user.name_, usersDir)) {
        fw::ShowMessage(Handle(), IDS_USER_EXISTS, IDS_ERROR_CAPTION, MB_OK);
        return;
    }
    if (!settings.WriteUserSettings()) {
        ShowNotSaved(settings.userFile_);
        return;
    }
    SaveFolderList(settings.userFile_, folders);
    users_.push_back(user);
    FillList(user.name_);
    Item(IDC_USER_LIST).SetFocus();
}

void UserDlg::OnSettings()
{
    const int selected = SelectedUser();
    if (selected < 0)
        return;
    User user = users_[static_cast<size_t>(selected)];
    const std::string pathBefore = user.path_;
    user.oldName_ = user.name_;
    Settings settings = mainSettings_->ForUser(user.path_);
    std::vector<ImageFolder> folders = FolderList(user.path_);
    SettingsSheet sheet(&user, &users_, selected, &settings, &folders, speech_, folderContext_, Handle());
    if (sheet.DoModal() != IDOK)
        return;
    if (selected > 0 && !cp1252::EqualsNoCase(user.name_, user.oldName_)) {
        if (!Rename(selected, user, settings, folders))
            return;
    } else {
        if (!settings.WriteUserSettings()) {
            ShowNotSaved(settings.SettingsFile());
            return;
        }
        SaveFolderList(settings.userFile_, folders);
    }
    if (IsCurrent(pathBefore)) {
        mainSettings_->CopyFrom(settings);
        ShowCurrentName(user.name_);
    }
    user.oldName_.clear();
    users_[static_cast<size_t>(selected)] = user;
    FillList(user.name_);
}

// The user's new files are written in full before the old ones go, so that a failure at any step
// leaves the user as it was: its settings, its folder list and its save folder where the list of
// users finds them.
bool UserDlg::Rename(int index, const User& user, Settings& settings, const std::vector<ImageFolder>& folders)
{
    const std::string oldFile = users_[static_cast<size_t>(index)].path_;
    const std::string oldList = ImageFolderSettings::ListPath(oldFile, mainSettings_->programIni_);
    // Keys of the old file that the settings do not hold go with it.
    if (!::CopyFileA(oldFile.c_str(), user.path_.c_str(), TRUE)) {
        ShowNotSaved(user.path_);
        return false;
    }
    const std::string oldFolder = settings.userDir_;
    const bool folderMoved = MoveSaveFolder(index, user, settings);
    settings.userFile_ = user.path_;
    const bool written = settings.WriteUserSettings();
    if (!written || !ImageFolderSettings::SaveFolderList(user.path_, mainSettings_->programIni_, folders)) {
        ::SetFileAttributesA(user.path_.c_str(), FILE_ATTRIBUTE_NORMAL);
        ::DeleteFileA(user.path_.c_str());
        ::DeleteFileA(ImageFolderSettings::ListPath(user.path_, mainSettings_->programIni_).c_str());
        if (folderMoved)
            ::MoveFileA(settings.userDir_.c_str(), oldFolder.c_str());
        settings.userDir_ = oldFolder;
        settings.userFile_ = oldFile;
        ShowNotSaved(written ? ImageFolderSettings::ListPath(user.path_, mainSettings_->programIni_) : user.path_);
        return false;
    }
    ::DeleteFileA(oldFile.c_str());
    ::DeleteFileA(oldList.c_str());
    return true;
}

// A save folder named after the user in the users folder follows the new name, unless another user
// saves there too. A folder that cannot be moved stays, unreported.
bool UserDlg::MoveSaveFolder(int index, const User& user, Settings& settings) const
{
    const std::string& usersDir = mainSettings_->usersDir_;
    const std::string oldFolder = usersDir + "\\" + user.oldName_;
    if (fw::ComparablePath(settings.userDir_) != fw::ComparablePath(oldFolder)
        || !savefolders::UserSavingIn(users_, index, *mainSettings_, oldFolder).empty())
        return false;
    const std::string newFolder = usersDir + "\\" + user.name_;
    if (!::MoveFileA(settings.userDir_.c_str(), newFolder.c_str()))
        return false;
    settings.userDir_ = newFolder;
    return true;
}

void UserDlg::OnCopy()
{
    const int selected = SelectedUser();
    if (selected < 0)
        return;
    std::string newName;
    CopyUserDlg dialog(users_, selected, mainSettings_->usersDir_, newName, Handle());
    if (dialog.DoModal() != IDOK)
        return;
    const User& source = users_[static_cast<size_t>(selected)];
    Settings settings = mainSettings_->ForUser(source.path_);
    const std::vector<ImageFolder> folders = FolderList(source.path_);
    User copy;
    copy.name_ = newName;
    copy.path_ = usernames::UserFilePath(mainSettings_->usersDir_, newName);
    settings.userFile_ = copy.path_;
    // The copy saves in a folder of its own: sharing the source's, deleting the copy could take the
    // source's documents with it.
    settings.userDir_ = mainSettings_->usersDir_ + "\\" + newName;
    if (!settings.WriteUserSettings()) {
        ShowNotSaved(copy.path_);
        return;
    }
    SaveFolderList(copy.path_, folders);
    ::CreateDirectoryA(settings.userDir_.c_str(), nullptr);
    users_.push_back(copy);
    FillList(copy.name_);
    Item(IDC_USER_LIST).SetFocus();
}

void UserDlg::OnDelete()
{
    const int selected = SelectedUser();
    if (selected <= 0)
        return;
    const User user = users_[static_cast<size_t>(selected)];
    const std::string saveFolder = savefolders::SaveFolderOf(*mainSettings_, user.path_);
    const std::string defaultSaveFolder = savefolders::SaveFolderOf(*mainSettings_, std::string());
    const std::string listFile = ImageFolderSettings::ListPath(user.path_, mainSettings_->programIni_);
    const std::string question = fw::FormatResString(IDS_DELETE_USER_QUESTION, user.name_.c_str());
    if (fw::ShowMessage(Handle(), IDS_DELETE_USER_QUESTION, question, fw::LoadResString(IDS_DELETE_CAPTION),
                        MB_OKCANCEL | MB_ICONWARNING)
        != IDOK)
        return;
    bool deleteFolder = false;
    if (savefolders::MayDeleteSaveFolder(saveFolder, defaultSaveFolder,
                                         savefolders::FoldersOfOthers(users_, selected, *mainSettings_))) {
        const std::string folderQuestion = fw::FormatResString(IDS_DELETE_SAVE_FOLDER, saveFolder.c_str());
        const int answer = fw::ShowMessage(Handle(), IDS_DELETE_SAVE_FOLDER, folderQuestion,
                                           fw::LoadResString(IDS_DELETE_CAPTION), MB_YESNOCANCEL);
        if (answer == IDCANCEL)
            return;
        deleteFolder = answer == IDYES;
    }
    fw::SendToRecycleBin(user.path_);
    if (fw::FileExists(listFile))
        fw::SendToRecycleBin(listFile);
    if (deleteFolder)
        fw::SendToRecycleBin(saveFolder);
    if (IsCurrent(user.path_)) {
        current_ = 0;
        mainSettings_->userFile_.clear();
        mainSettings_->ReadUserSettings();
        ShowCurrentName(defaultName_);
    }
    users_.erase(users_.begin() + selected);
    FillList(std::string());
}

void UserDlg::OnShortcut()
{
    const int selected = SelectedUser();
    if (selected < 0)
        return;
    const User& user = users_[static_cast<size_t>(selected)];
    const Settings settings = mainSettings_->ForUser(user.path_);
    ShortcutDlg dialog(user, settings, Handle());
    dialog.DoModal();
}

void RunUsersDlg(HWND mainWindow, Settings& mainSettings, const SpeechObjects& speech,
                 const FolderDialogContext& folderContext)
{
    UserDlg dialog(mainWindow, &mainSettings, speech, folderContext);
    dialog.DoModal();
}
