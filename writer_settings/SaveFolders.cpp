// The users' save folders and the folders the program keeps.
#include "writer_settings/SaveFolders.h"
#include "framework/Files.h"
#include "library/ImageBaseManager.h"
#include "writer_settings/ImageFolder.h"
#include "writer_settings/Settings.h"

namespace savefolders {

namespace {

// The folders the program keeps whoever its users are.
std::vector<std::string> ProgramFolders(const Settings& configuration)
{
    std::vector<std::string> folders{configuration.programDir_, configuration.usersDir_, configuration.symbolsDir_};
    ImageBaseManager bases;
    bases.LoadBases(configuration.imageBaseIni_, 1);
    for (const ImageDirectory& base : bases.GetBases()) {
        for (const std::string* dir : {&base.GetDir(), &base.GetSoundDir(), &base.GetLongImageDir(),
                                       &base.GetLongSoundDir()})
            folders.push_back(*dir);
        folders.push_back(fw::FolderOf(base.GetIniPath()));
    }
    return folders;
}

// The picture folders of one user: its own and the disk folders of its folder list.
void AddPictureFolders(const Settings& user, std::vector<std::string>& folders)
{
    folders.push_back(user.imageDir_);
    std::vector<ImageFolder> list;
    ImageFolderSettings::LoadFolderList(user.userFile_, user.programIni_, user.imageBaseIni_, list);
    for (const ImageFolder& folder : list) {
        if (folder.folderType_ == ImageFolder::kDiskFolder)
            folders.push_back(folder.folderPath_);
    }
}

// Whether folder is path itself or above it; an empty path names nothing.
bool Holds(const std::string& folder, const std::string& path)
{
    return !path.empty() && fw::FolderHolds(folder, path);
}

} // namespace

std::string SaveFolderOf(const Settings& configuration, const std::string& userFile)
{
    return configuration.ForUser(userFile).userDir_;
}

FolderUse UseOfFolder(const std::vector<User>& users, int index, const Settings& configuration,
                      const std::string& folder)
{
    FolderUse use;
    if (folder.empty())
        return use;
    const std::string wanted = fw::ComparablePath(folder);
    std::vector<std::string> kept = ProgramFolders(configuration);
    for (size_t i = 0; i < users.size(); ++i) {
        if (static_cast<int>(i) == index)
            continue;
        const Settings user = configuration.ForUser(users[i].path_);
        // One who saves in the folder itself is named before one who saves in a folder inside it.
        const bool savesHere = !user.userDir_.empty() && fw::ComparablePath(user.userDir_) == wanted;
        if ((savesHere && !use.userSavesHere) || (use.user.empty() && Holds(folder, user.userDir_))) {
            use.user = users[i].name_;
            use.userSavesHere = savesHere;
        }
        AddPictureFolders(user, kept);
    }
    for (const std::string& keptFolder : kept) {
        if (Holds(folder, keptFolder)) {
            use.keptFolder = keptFolder;
            break;
        }
    }
    return use;
}

std::string FreeSaveFolder(const std::vector<User>& users, const Settings& configuration, const std::string& name)
{
    const std::string first = configuration.usersDir_ + "\\" + name;
    if (!UseOfFolder(users, -1, configuration, first).InUse())
        return first;
    for (int number = 2; number < 100000; ++number) {
        const std::string candidate = first + " " + std::to_string(number);
        if (fw::IsAbsent(candidate) && !UseOfFolder(users, -1, configuration, candidate).InUse())
            return candidate;
    }
    return std::string();
}

} // namespace savefolders
