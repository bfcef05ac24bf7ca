// Where each user's documents lie, and whether a folder may be taken, moved or deleted for one user:
// never one that another user or the program still uses.
#pragma once
#include "writer_settings/User.h"
#include <string>
#include <vector>

class Settings;

namespace savefolders {

// The save folder of the user of that settings file ("" the default user), read as the program
// reads it, in the configuration of these settings.
std::string SaveFolderOf(const Settings& configuration, const std::string& userFile);

// What, besides one user, uses a folder or anything inside it.
struct FolderUse {
    std::string user;           // the first other user whose save folder is the folder or lies inside it
    bool userSavesHere = false; // that user saves in the folder itself
    // The first folder of the program's, or picture folder of another user's, that is the folder or
    // lies inside it.
    std::string keptFolder;
    bool InUse() const { return !user.empty() || !keptFolder.empty(); }
};
// Who, besides the user at index (-1: no one excepted), uses the folder or anything inside it, as the
// disk finds them now: every other user's save folder and picture folder ("<Standard>" included,
// each read from its settings file), the disk folders of every other user's folder list, and the
// program's own: the program folder, the users folder, the symbols folder and each image base's
// folders. Folders are compared as folders, in any spelling.
FolderUse UseOfFolder(const std::vector<User>& users, int index, const Settings& configuration,
                      const std::string& folder);

// A save folder for a new user of that name that no one else uses: "<users>\<name>", else the
// first of "<users>\<name> 2", 3, ... under which nothing stands on the disk and no one uses; empty
// when none is free.
std::string FreeSaveFolder(const std::vector<User>& users, const Settings& configuration, const std::string& name);

} // namespace savefolders
