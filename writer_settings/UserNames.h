// The rules of user names and desktop-link names, and of the users folder's files.
#pragma once
#include "writer_settings/User.h"
#include <string>
#include <vector>

namespace usernames {

// A user name names a file: none of \ / : * ? " < > |.
bool HasForbiddenUserCharacter(const std::string& name);
// A link name: none of \ / * ? " < > | or ',' (a ':' passes, and fails when the file is written).
bool HasForbiddenLinkCharacter(const std::string& name);

// A settings file of the users folder that is a language file, not a user: its file name holds
// "swedish", "english", "danish", "norway", "finnish" or "spanish" (case ignored). Only the file name
// counts, so a users folder whose own path holds such a word still lists its users. A user's name
// that passes this test is refused, since the user's file would never be listed.
bool IsLanguageFile(const std::string& fileName);

// "%s\%s.ini": the settings file of a user of that name.
std::string UserFilePath(const std::string& usersDir, const std::string& name);

// The index of the first user of that name, case ignored; -1 when none.
int FindUser(const std::vector<User>& users, const std::string& name);

// Whether a user may take this name in place of the one at index (-1 for a new user): no other user
// has it in any letter case, and no other settings file or folder list of that name lies in the
// users folder, so that no user's files are ever written over.
bool IsNameTaken(const std::vector<User>& users, int index, const std::string& name, const std::string& usersDir);

// The default user first, then one user per settings file of the users folder in the order the
// file search gives them; language files are left out, and so is the program ini, which is the
// default user's when the users folder is the program folder.
std::vector<User> LoadUsers(const std::string& usersDir, const std::string& programIni, const std::string& defaultName);
// The user whose file is userFile (case ignored); the default user (0) for none or no match.
int CurrentUserIndex(const std::vector<User>& users, const std::string& userFile);
// "Ny användare", else "Ny användare 2", 3, ... : the first name whose settings file is not there.
std::string FreeNewUserName(const std::string& usersDir, const std::string& baseName);
} // namespace usernames
