// The export wizard's work folder.
#include "skarpin/ExportWorkFolder.h"
#include "library/ImageBaseManager.h"
#include <windows.h>

ExportWorkFolder::~ExportWorkFolder()
{
    if (!path_.empty())
        ImageBaseManager::DeleteTree(path_.substr(0, path_.size() - 1));
}

const std::string& ExportWorkFolder::Path()
{
    if (!path_.empty())
        return path_;
    char temporary[MAX_PATH + 1] = "";
    char unique[MAX_PATH + 1] = "";
    const DWORD length = ::GetTempPathA(sizeof temporary, temporary);
    // The system makes a file of a name nobody has; the folder takes its place.
    if (length == 0 || length > MAX_PATH || !::GetTempFileNameA(temporary, "skx", 0, unique))
        return path_;
    ::DeleteFileA(unique);
    if (::CreateDirectoryA(unique, nullptr))
        path_ = std::string(unique) + "\\";
    return path_;
}

void ExportWorkFolder::Empty()
{
    if (path_.empty())
        return;
    const std::string folder = path_.substr(0, path_.size() - 1);
    ImageBaseManager::DeleteTree(folder);
    ::CreateDirectoryA(folder.c_str(), nullptr);
}
