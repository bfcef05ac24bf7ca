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
#include "writer_settings/UserFileMessages.h"
#include "writer_settings/UserNames.h"

namespace {

// Moves a file or folder. A new name that differs only in letter case goes by way of a free name
// beside it: a file system that compares names without case may take the move for none.
bool MoveOnDisk(const std::string& from, const std::string& to)
{
    if (fw::ComparablePath(from) != fw::ComparablePath(to))
        return ::MoveFileA(from.c_str(), to.c_str()) != FALSE;
    const std::string between = fw::FirstFreePath([&](int n) { return to + "." + std::to_string(n) + ".tmp"; });
    if (between.empty() || !::MoveFileA(from.c_str(), between.c_str()))
        return false;
    if (::MoveFileA(between.c_str(), to.c_str()))
        return true;
    ::MoveFileA(between.c_str(), from.c_str());
    return false;
}

} // namespace

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

void UserDlg::ShowNotSaved(const std::string& path, bool gone) const
{
    SayUserFileNotSaved(Handle(), path, gone);
}

void UserDlg::ShowNotDeleted(const std::string& path) const
{
    fw::ShowMessage(Handle(), IDS_USER_NOT_DELETED, fw::FormatResString(IDS_USER_NOT_DELETED, path.c_str()),
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
        // Default settings or a default list that cannot be read are named; the new user starts
        // with the built-in values or without folders instead.
        if (!SettingsFileReadableOrSay(Handle(), settings))
            settings.SetDefaults();
        ReadFolderListOrSay(Handle(), settings, folders);
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
    switch (settings.CreateUserSettings()) {
    case fw::NewFile::Created: break;
    case fw::NewFile::Taken: fw::ShowMessage(Handle(), IDS_USER_EXISTS, IDS_ERROR_CAPTION, MB_OK); return;
    default: ShowNotSaved(settings.userFile_); return;
    }
    WriteFolderListOrSay(Handle(), settings, folders, fw::FileRead::Absent);
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
    if (!SettingsFileReadableOrSay(Handle(), settings))
        return;
    std::vector<ImageFolder> folders;
    const fw::FileRead listRead = ReadFolderListOrSay(Handle(), settings, folders);
    SettingsSheet sheet(&user, &users_, selected, &settings, &folders, speech_, folderContext_, Handle());
    if (listRead == fw::FileRead::Unreadable)
        sheet.KeepFolderList();
    if (sheet.DoModal() != IDOK)
        return;
    if (selected > 0 && user.name_ != user.oldName_) {
        if (!Rename(selected, user, settings, folders, listRead))
            return;
    } else {
        if (!WriteSettingsOrSay(Handle(), settings))
            return;
        if (listRead != fw::FileRead::Unreadable)
            WriteFolderListOrSay(Handle(), settings, folders, listRead);
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
// users finds them. No file of the new name is ever written over.
bool UserDlg::Rename(int index, const User& user, Settings& settings, const std::vector<ImageFolder>& folders,
                     fw::FileRead listRead)
{
    const std::string oldFile = users_[static_cast<size_t>(index)].path_;
    if (cp1252::EqualsNoCase(oldFile, user.path_))
        return RenameInPlace(index, user, settings, folders, listRead);
    const std::string oldList = ImageFolderSettings::ListPath(oldFile, mainSettings_->programIni_);
    const std::string newList = ImageFolderSettings::ListPath(user.path_, mainSettings_->programIni_);
    // Keys of the old file that the settings do not hold go with it.
    if (!::CopyFileA(oldFile.c_str(), user.path_.c_str(), TRUE)) {
        if (fw::IsAbsent(oldFile))
            ShowNotSaved(oldFile, true);
        else
            ShowNotSaved(user.path_);
        return false;
    }
    const std::string oldFolder = settings.userDir_;
    const bool folderMoved = MoveSaveFolder(index, user, settings);
    settings.SettingsFileMovedTo(user.path_);
    const bool written = settings.WriteUserSettings();
    bool listWritten = false;
    if (written && listRead != fw::FileRead::Unreadable) {
        listWritten = ImageFolderSettings::CreateFolderList(user.path_, mainSettings_->programIni_, folders)
                      == fw::NewFile::Created;
    } else if (written) {
        listWritten = ::CopyFileA(oldList.c_str(), newList.c_str(), TRUE) != FALSE;
    }
    if (!listWritten) {
        const bool gone = settings.FileGone();
        ::SetFileAttributesA(user.path_.c_str(), FILE_ATTRIBUTE_NORMAL);
        ::DeleteFileA(user.path_.c_str());
        if (folderMoved)
            MoveOnDisk(settings.userDir_, oldFolder);
        settings.userDir_ = oldFolder;
        settings.SettingsFileMovedTo(oldFile);
        ShowNotSaved(written ? newList : user.path_, gone);
        return false;
    }
    ::DeleteFileA(oldFile.c_str());
    ::DeleteFileA(oldList.c_str());
    return true;
}

// The files keep their places and take the new spelling; the settings are written once they have.
bool UserDlg::RenameInPlace(int index, const User& user, Settings& settings, const std::vector<ImageFolder>& folders,
                            fw::FileRead listRead)
{
    const std::string oldFile = users_[static_cast<size_t>(index)].path_;
    const std::string oldList = ImageFolderSettings::ListPath(oldFile, mainSettings_->programIni_);
    const std::string newList = ImageFolderSettings::ListPath(user.path_, mainSettings_->programIni_);
    if (!MoveOnDisk(oldFile, user.path_)) {
        if (fw::IsAbsent(oldFile))
            ShowNotSaved(oldFile, true);
        else
            ShowNotSaved(user.path_);
        return false;
    }
    const bool hadList = !fw::IsAbsent(oldList);
    if (hadList && !MoveOnDisk(oldList, newList)) {
        MoveOnDisk(user.path_, oldFile);
        ShowNotSaved(newList);
        return false;
    }
    const std::string oldFolder = settings.userDir_;
    const bool folderMoved = MoveSaveFolder(index, user, settings);
    settings.SettingsFileMovedTo(user.path_);
    const bool written = settings.WriteUserSettings();
    if (!written
        || (listRead != fw::FileRead::Unreadable
            && !ImageFolderSettings::SaveFolderList(user.path_, mainSettings_->programIni_, folders, listRead))) {
        const bool gone = written ? listRead == fw::FileRead::Whole && fw::IsAbsent(newList) : settings.FileGone();
        if (folderMoved)
            MoveOnDisk(settings.userDir_, oldFolder);
        if (hadList)
            MoveOnDisk(newList, oldList);
        MoveOnDisk(user.path_, oldFile);
        settings.userDir_ = oldFolder;
        settings.SettingsFileMovedTo(oldFile);
        ShowNotSaved(written ? newList : user.path_, gone);
        return false;
    }
    return true;
}

// A save folder named after the user in the users folder follows the new name, unless anyone else
// uses it or anything in it, or the new name's folder; a folder that cannot be moved stays,
// unreported (the settings keep naming it).
bool UserDlg::MoveSaveFolder(int index, const User& user, Settings& settings) const
{
    const std::string& usersDir = mainSettings_->usersDir_;
    const std::string oldFolder = usersDir + "\\" + user.oldName_;
    const std::string newFolder = usersDir + "\\" + user.name_;
    if (fw::ComparablePath(settings.userDir_) != fw::ComparablePath(oldFolder)
        || savefolders::UseOfFolder(users_, index, *mainSettings_, oldFolder).InUse()
        || savefolders::UseOfFolder(users_, index, *mainSettings_, newFolder).InUse())
        return false;
    if (!MoveOnDisk(settings.userDir_, newFolder))
        return false;
    settings.userDir_ = newFolder;
    return true;
}

void UserDlg::OnCopy()
{
    const int selected = SelectedUser();
    if (selected < 0)
        return;
    // A copy of settings that could not be read would be the defaults under the source's name.
    Settings settings = mainSettings_->ForUser(users_[static_cast<size_t>(selected)].path_);
    if (!SettingsFileReadableOrSay(Handle(), settings))
        return;
    std::string newName;
    CopyUserDlg dialog(users_, selected, mainSettings_->usersDir_, newName, Handle());
    if (dialog.DoModal() != IDOK)
        return;
    std::vector<ImageFolder> folders;
    // A copy without the source's folders would be no copy.
    if (ReadFolderListOrSay(Handle(), settings, folders) == fw::FileRead::Unreadable)
        return;
    User copy;
    copy.name_ = newName;
    copy.path_ = usernames::UserFilePath(mainSettings_->usersDir_, newName);
    settings.userFile_ = copy.path_;
    // The copy saves in a folder of its own that no one else uses: sharing one, the copy's documents
    // would be numbered among another user's, and deleting either could take the other's with it.
    settings.userDir_ = savefolders::FreeSaveFolder(users_, *mainSettings_, newName);
    const bool folderMade = !settings.userDir_.empty() && fw::IsAbsent(settings.userDir_)
                            && ::CreateDirectoryA(settings.userDir_.c_str(), nullptr);
    if (!folderMade && !fw::FolderExists(settings.userDir_)) {
        ShowNotSaved(settings.userDir_.empty() ? mainSettings_->usersDir_ + "\\" + newName : settings.userDir_);
        return;
    }
    const fw::NewFile created = settings.CreateUserSettings();
    if (created != fw::NewFile::Created) {
        if (folderMade)
            ::RemoveDirectoryA(settings.userDir_.c_str());
        if (created == fw::NewFile::Taken)
            fw::ShowMessage(Handle(), IDS_USER_EXISTS, IDS_ERROR_CAPTION, MB_OK);
        else
            ShowNotSaved(copy.path_);
        return;
    }
    WriteFolderListOrSay(Handle(), settings, folders, fw::FileRead::Absent);
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
    // Only a folder that is there and that nothing else uses is offered; one inside the default
    // user's save folder is that user's too.
    bool deleteFolder = false;
    if (fw::FolderExists(saveFolder) && !fw::FolderHolds(defaultSaveFolder, saveFolder)
        && !savefolders::UseOfFolder(users_, selected, *mainSettings_, saveFolder).InUse()) {
        const std::string folderQuestion = fw::FormatResString(IDS_DELETE_SAVE_FOLDER, saveFolder.c_str());
        const int answer = fw::ShowMessage(Handle(), IDS_DELETE_SAVE_FOLDER, folderQuestion,
                                           fw::LoadResString(IDS_DELETE_CAPTION), MB_YESNOCANCEL);
        if (answer == IDCANCEL)
            return;
        deleteFolder = answer == IDYES;
    }
    // A user whose file stays is still listed; what else stays is named.
    if (!fw::SendToRecycleBin(user.path_)) {
        ShowNotDeleted(user.path_);
        return;
    }
    if (!fw::SendToRecycleBin(listFile))
        ShowNotDeleted(listFile);
    if (deleteFolder && !fw::SendToRecycleBin(saveFolder))
        ShowNotDeleted(saveFolder);
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
