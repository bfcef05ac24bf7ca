// FileIO's media between sets: the files an overlay keeps in its set's import folder follow it into
// another set, and folder prefixes in overlay paths are replaced when folders change.
#include "loader/FileIO.h"
#include "library/Cp1252.h"
#include <windows.h>

namespace {

// A folder without the backslashes at its end; a drive's root keeps only its "X:".
std::string WithoutTrailingSeparator(std::string folder)
{
    while (!folder.empty() && folder.back() == '\\')
        folder.pop_back();
    return folder;
}

std::string ShortForm(const std::string& path)
{
    DWORD size = ::GetShortPathNameA(path.c_str(), nullptr, 0);
    if (size == 0)
        return path;
    std::string shortPath(size, '\0');
    DWORD length = ::GetShortPathNameA(path.c_str(), &shortPath[0], size);
    if (length == 0 || length >= size)
        return path;
    shortPath.resize(length);
    return shortPath;
}

} // namespace

// The prefix names a folder: it matches the folder itself and what lies below it, never a sibling
// whose name merely begins the same way ("Skola" is not a prefix of "Skola 2\bild.bmp").
int FileIO::ReplacePathPrefix(std::string& path, const std::string& oldPrefix, const std::string& newPrefix,
                              int shortPath)
{
    if (path.empty())
        return 0;
    const std::string oldFolder = WithoutTrailingSeparator(oldPrefix);
    if (oldFolder.empty() || !cp1252::StartsWithNoCase(path, oldFolder))
        return 0;
    if (path.size() > oldFolder.size() && path[oldFolder.size()] != '\\')
        return 0;
    path = WithoutTrailingSeparator(newPrefix) + path.substr(oldFolder.size());
    if (shortPath)
        path = ShortForm(path);
    return 1;
}
