// Helpers for image-base fixtures.
#include "ImageBaseFiles.h"
#include "framework/Files.h"
#include <windows.h>
#include <fstream>

namespace testsupport {

std::string IniText(std::initializer_list<std::string> lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    return text;
}

std::string WindowsFolder()
{
    char folder[MAX_PATH] = "";
    ::GetWindowsDirectoryA(folder, MAX_PATH);
    return folder;
}

std::string CurrentFolder()
{
    char folder[MAX_PATH] = "";
    ::GetCurrentDirectoryA(MAX_PATH, folder);
    return folder;
}

WindowsFileGuard::WindowsFileGuard(const std::string& name) : path_(WindowsFolder() + "\\" + name)
{
    existed_ = fw::FileExists(path_);
    if (existed_)
        content_ = TempFolder::Read(path_);
    ::DeleteFileA(path_.c_str());
}

WindowsFileGuard::~WindowsFileGuard()
{
    ::DeleteFileA(path_.c_str());
    if (existed_) {
        std::ofstream out(path_, std::ios::binary);
        out << content_;
    }
}

CurrentFolderGuard::CurrentFolderGuard(const std::string& folder) : previous_(CurrentFolder())
{
    ::SetCurrentDirectoryA(folder.c_str());
}

CurrentFolderGuard::~CurrentFolderGuard()
{
    ::SetCurrentDirectoryA(previous_.c_str());
}

LockedFile::LockedFile(const std::string& path)
    : handle_(::CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr))
{
}

LockedFile::~LockedFile()
{
    if (IsOpen())
        ::CloseHandle(handle_);
}

bool LockedFile::IsOpen() const
{
    return handle_ != INVALID_HANDLE_VALUE;
}

char MissingDrive()
{
    DWORD drives = ::GetLogicalDrives();
    for (char letter = 'Q'; letter <= 'Y'; ++letter)
        if (!(drives & (1u << (letter - 'A'))))
            return letter;
    return 'B';
}

} // namespace testsupport
