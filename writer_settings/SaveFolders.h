// Where each user's documents lie, and which save folders may go with a deleted user: a folder
// that holds anyone else's documents or settings never does.
#pragma once
#include "writer_settings/User.h"
#include <string>
#include <vector>

class Settings;

namespace savefolders {

// The save folder of the user of that settings file ("" the default user), read as the program
// reads it, in the configuration of these settings.
std::string SaveFolderOf(const Settings& configuration, const std::string& userFile);

// The name of the first user but the one at index (-1: none excepted), "<Standard>" included, who
// saves into that folder (any spelling of it); empty when no one does.
std::string UserSavingIn(const std::vector<User>& users, int index, const Settings& configuration,
                         const std::string& folder);

// What deleting the user at index must leave: the users folder, the program folder and every other
// user's save folder, the default user's included.
std::vector<std::string> FoldersOfOthers(const std::vector<User>& users, int index, const Settings& configuration);

// Whether deleting a user may offer to delete its save folder too: not when it lies in the default
// user's save folder, and not when it is, or holds, any of the folders that must stay.
bool MayDeleteSaveFolder(const std::string& saveFolder, const std::string& defaultSaveFolder,
                         const std::vector<std::string>& foldersThatStay);

} // namespace savefolders
