// Temporary folders for tests.
#include "support/TempFolder.h"
#include <windows.h>
#include <shellapi.h>
#include <fstream>
#include <sstream>

namespace testsupport {

namespace {
void MakeFolders(const std::string& path)
{
    for (size_t slash = path.find('\\', 3); slash != std::string::npos; slash = path.find('\\', slash + 1))
        ::CreateDirectoryA(path.substr(0, slash).c_str(), nullptr);
    ::CreateDirectoryA(path.c_str(), nullptr);
}

void RemoveTree(const std::string& path)
{
    WIN32_FIND_DATAA found;
    HANDLE search = ::FindFirstFileA((path + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            std::string name = found.cFileName;
            if (name == "." || name == "..")
                continue;
            std::string child = path + "\\" + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(child);
            } else {
                ::SetFileAttributesA(child.c_str(), FILE_ATTRIBUTE_NORMAL);
                ::DeleteFileA(child.c_str());
            }
        } while (::FindNextFileA(search, &found));
        ::FindClose(search);
    }
    ::RemoveDirectoryA(path.c_str());
}
} // namespace

TempFolder::TempFolder()
{
    char temp[MAX_PATH] = "";
    ::GetTempPathA(MAX_PATH, temp);
    static unsigned counter = 0;
    std::ostringstream name;
    name << temp << "rztest_" << ::GetCurrentProcessId() << "_" << ++counter;
    path_ = name.str();
    RemoveTree(path_);
    MakeFolders(path_);
}

TempFolder::~TempFolder()
{
    RemoveTree(path_);
}

std::string TempFolder::Write(const std::string& name, const std::string& content) const
{
    std::string path = *this / name;
    size_t slash = path.rfind('\\');
    MakeFolders(path.substr(0, slash));
    std::ofstream out(path, std::ios::binary);
    out << content;
    return path;
}

std::string TempFolder::Read(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

std::vector<std::string> TempFolder::FilesIn(const std::string& folder)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = ::FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            names.push_back(found.cFileName);
    } while (::FindNextFileA(search, &found));
    ::FindClose(search);
    return names;
}

} // namespace testsupport
