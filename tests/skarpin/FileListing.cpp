// The files below a folder.
#include "FileListing.h"
#include <windows.h>

void ListFilesBelow(const std::string& folder, const std::string& prefix, char separator,
                    std::vector<std::string>& names)
{
    WIN32_FIND_DATAA found;
    HANDLE search = ::FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        const std::string name = found.cFileName;
        if (name == "." || name == "..")
            continue;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            ListFilesBelow(folder + "\\" + name, prefix + name + separator, separator, names);
        else
            names.push_back(prefix + name);
    } while (::FindNextFileA(search, &found));
    ::FindClose(search);
}
