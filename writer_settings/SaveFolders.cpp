// The users' save folders.
#include "writer_settings/SaveFolders.h"
#include "framework/Files.h"
#include "writer_settings/Settings.h"

namespace savefolders {

std::string SaveFolderOf(const Settings& configuration, const std::string& userFile)
{
    return configuration.ForUser(userFile).userDir_;
}

std::string UserSavingIn(const std::vector<User>& users, int index, const Settings& configuration,
                         const std::string& folder)
{
    const std::string wanted = fw::ComparablePath(folder);
    for (size_t i = 0; i < users.size(); ++i) {
        if (static_cast<int>(i) != index && fw::ComparablePath(SaveFolderOf(configuration, users[i].path_)) == wanted)
            return users[i].name_;
    }
    return std::string();
}

std::vector<std::string> FoldersOfOthers(const std::vector<User>& users, int index, const Settings& configuration)
{
    std::vector<std::string> folders{configuration.usersDir_, configuration.programDir_};
    for (size_t i = 0; i < users.size(); ++i) {
        if (static_cast<int>(i) != index)
            folders.push_back(SaveFolderOf(configuration, users[i].path_));
    }
    return folders;
}

bool MayDeleteSaveFolder(const std::string& saveFolder, const std::string& defaultSaveFolder,
                         const std::vector<std::string>& foldersThatStay)
{
    if (saveFolder.empty() || fw::FolderHolds(defaultSaveFolder, saveFolder) || fw::FolderHolds(saveFolder, defaultSaveFolder))
        return false;
    for (const std::string& folder : foldersThatStay) {
        if (fw::FolderHolds(saveFolder, folder))
            return false;
    }
    return true;
}

} // namespace savefolders
