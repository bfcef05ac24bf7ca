// User and link names, and the users folder's files.
#include "writer_settings/UserNames.h"
#include "framework/Files.h"
#include "library/Cp1252.h"
#include "writer_settings/ImageFolder.h"
#include <windows.h>

namespace usernames {

bool HasForbiddenUserCharacter(const std::string& name)
{
    return name.find_first_of("\\/:*?\"<>|") != std::string::npos;
}

bool HasForbiddenLinkCharacter(const std::string& name)
{
    return name.find_first_of("\\/*?\"<>|,") != std::string::npos;
}

bool IsLanguageFile(const std::string& fileName)
{
    const std::string lower = cp1252::Lower(fileName);
    for (const char* language : {"swedish", "english", "danish", "norway", "finnish", "spanish"}) {
        if (lower.find(language) != std::string::npos)
            return true;
    }
    return false;
}

std::string UserFilePath(const std::string& usersDir, const std::string& name)
{
    return usersDir + "\\" + name + ".ini";
}

int FindUser(const std::vector<User>& users, const std::string& name)
{
    for (size_t i = 0; i < users.size(); ++i) {
        if (cp1252::EqualsNoCase(users[i].name_, name))
            return static_cast<int>(i);
    }
    return -1;
}

bool IsNameTaken(const std::vector<User>& users, int index, const std::string& name, const std::string& usersDir)
{
    for (size_t i = 0; i < users.size(); ++i) {
        if (static_cast<int>(i) != index && cp1252::EqualsNoCase(users[i].name_, name))
            return true;
    }
    // The user's own files may change the case of their name; any other file of the name, settings
    // or folder list, is someone's.
    const std::string path = UserFilePath(usersDir, name);
    const bool ownFile = index >= 0 && index < static_cast<int>(users.size())
                         && cp1252::EqualsNoCase(users[static_cast<size_t>(index)].path_, path);
    return !ownFile && (fw::PathExists(path) || fw::PathExists(ImageFolderSettings::ListPath(path, std::string())));
}

std::vector<User> LoadUsers(const std::string& usersDir, const std::string& programIni, const std::string& defaultName)
{
    std::vector<User> users(1);
    users[0].name_ = defaultName;
    WIN32_FIND_DATAA found;
    HANDLE search = ::FindFirstFileA((usersDir + "\\*.ini").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return users;
    do {
        const std::string fileName = found.cFileName;
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || IsLanguageFile(fileName))
            continue;
        User user;
        user.path_ = usersDir + "\\" + fileName;
        if (fw::ComparablePath(user.path_) == fw::ComparablePath(programIni))
            continue;
        user.name_ = fileName.substr(0, fileName.rfind('.'));
        users.push_back(user);
    } while (::FindNextFileA(search, &found));
    ::FindClose(search);
    return users;
}

int CurrentUserIndex(const std::vector<User>& users, const std::string& userFile)
{
    if (userFile.empty())
        return 0;
    for (size_t i = 1; i < users.size(); ++i) {
        if (cp1252::EqualsNoCase(users[i].path_, userFile))
            return static_cast<int>(i);
    }
    return 0;
}

std::string FreeNewUserName(const std::string& usersDir, const std::string& baseName)
{
    std::string name = baseName;
    for (int number = 2; fw::PathExists(UserFilePath(usersDir, name)); ++number)
        name = baseName + " " + std::to_string(number);
    return name;
}

} // namespace usernames
