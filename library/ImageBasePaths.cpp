// File and folder tests, folder trees and path names, for the image bases and the rest of the system.
#include "library/ImageBaseManager.h"
#include "framework/Files.h"
#include "library/Cp1252.h"
#include <windows.h>

namespace {

// No "insert a disk" box from the system while a drive or file is probed.
class QuietErrors {
public:
    QuietErrors() : previous_(::SetErrorMode(SEM_FAILCRITICALERRORS)) { ::SetErrorMode(previous_ | SEM_FAILCRITICALERRORS); }
    ~QuietErrors() { ::SetErrorMode(previous_); }
    QuietErrors(const QuietErrors&) = delete;
    QuietErrors& operator=(const QuietErrors&) = delete;

private:
    UINT previous_;
};

bool IsAsciiLetter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// "X:\" at the start.
bool HasDriveRoot(const std::string& path)
{
    return path.size() >= 3 && IsAsciiLetter(path[0]) && path[1] == ':' && path[2] == '\\';
}

bool HasDrive(const std::string& path)
{
    return path.size() >= 2 && path[1] == ':';
}

// The drive's root can be read: the drive exists and holds a medium. Asked without changing the
// current drive, so no caller ever sees it moved.
bool DriveIsReady(char letter)
{
    if (!IsAsciiLetter(letter))
        return false;
    const char root[] = {letter, ':', '\\', '\0'};
    return fw::FolderExists(root);
}

std::string CurrentFolder()
{
    DWORD size = ::GetCurrentDirectoryA(0, nullptr);
    std::string folder(size, '\0');
    DWORD length = ::GetCurrentDirectoryA(size, &folder[0]);
    folder.resize(length < size ? length : 0);
    return folder;
}

// Neither "X:..." nor a rooted or network path.
bool IsRelative(const std::string& path)
{
    return !HasDrive(path) && !path.empty() && path[0] != '\\' && path[0] != '/';
}

bool IsDotEntry(const char* name)
{
    return (name[0] == '.' && name[1] == '\0') || (name[0] == '.' && name[1] == '.' && name[2] == '\0');
}

size_t LastSeparator(const std::string& path)
{
    return path.find_last_of("\\/");
}

} // namespace

// Paths on a drive whose letter is not ready are absent; rooted and network paths are tried as they
// are, relative ones in the current folder.
int ImageBaseManager::FileExists(const std::string& path)
{
    if (path.find('.') == std::string::npos || path.size() < 2)
        return -1;
    QuietErrors quiet;
    // A file the system does not know cannot open: the cheapest answer, asked first, since a missing
    // file is the common case (a picture without a sound).
    if (!fw::PathExists(path))
        return 0;
    if (HasDrive(path) && !DriveIsReady(path[0]))
        return 0;
    return ImageBaseManager::OpensForReading(path) ? 1 : 0;
}

int ImageBaseManager::LocateFile(std::string& path)
{
    if (path.find('.') == std::string::npos || path.size() < 2)
        return -1;
    QuietErrors quiet;
    if (ImageBaseManager::OpensForReading(path)) {
        if (IsRelative(path))
            path = JoinFolder(CurrentFolder(), path);
        return 1;
    }
    size_t slash = path.rfind('\\');
    if (slash != std::string::npos) {
        std::string folder = path.substr(0, slash);
        bool enterable = folder.size() == 2 && folder[1] == ':' ? DriveIsReady(folder[0]) : fw::FolderExists(folder);
        if (!enterable)
            return -1;
    }
    if (HasDrive(path))
        return 0;
    std::string candidate = JoinFolder(CurrentFolder(), path);
    if (ImageBaseManager::OpensForReading(candidate)) {
        path = candidate;
        return 1;
    }
    return 0;
}

int ImageBaseManager::IsValidFolderPath(const std::string& path)
{
    if (path.empty())
        return -3;
    if (!HasDriveRoot(path))
        return -2;
    QuietErrors quiet;
    if (!DriveIsReady(path[0]))
        return -2;
    if (path.find_first_of(":*?\"<>|", 3) != std::string::npos)
        return -1;
    return fw::FolderExists(path) ? 1 : 0;
}

int ImageBaseManager::IsValidPath(const std::string& path)
{
    if (path.empty())
        return -3;
    if (path.size() < 3)
        return -2;
    QuietErrors quiet;
    if (fw::FolderExists(path))
        return 1;
    if (!HasDriveRoot(path))
        return 0;
    DWORD drives = ::GetLogicalDrives();
    int drive = cp1252::ToUpper(path[0]) - 'A';
    if (!(drives & (1u << drive)))
        return -2;
    if (path.find_first_of("*?\"<>|", 3) != std::string::npos)
        return -1;
    return 0;
}

int ImageBaseManager::CreatePath(std::string& path, std::vector<std::string>* made)
{
    for (char& c : path)
        if (c == '/')
            c = '\\';
    // A part that already stands as a folder is fine, also where the test above cannot tell
    // (a relative path).
    auto make = [made](const std::string& part) {
        if (IsValidFolderPath(part) == 1)
            return true;
        if (::CreateDirectoryA(part.c_str(), nullptr)) {
            if (made)
                made->push_back(part);
            return true;
        }
        return ::GetLastError() == ERROR_ALREADY_EXISTS && fw::FolderExists(part);
    };
    for (size_t slash = path.find('\\', 3); slash != std::string::npos; slash = path.find('\\', slash + 1))
        if (!make(path.substr(0, slash)))
            return 0;
    return make(path) ? 1 : 0;
}

// The target must be new: copying into an existing folder is refused, so nothing there is
// overwritten or mixed. Everything that can be copied is; the result tells whether all of it was.
int ImageBaseManager::CopyTree(const std::string& source, const std::string& target)
{
    WIN32_FIND_DATAA found;
    HANDLE search = ::FindFirstFileA(JoinFolder(source, "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return 0;
    if (!::CreateDirectoryA(target.c_str(), nullptr)) {
        ::FindClose(search);
        return 0;
    }
    bool copied = true;
    do {
        if (IsDotEntry(found.cFileName))
            continue;
        std::string from = JoinFolder(source, found.cFileName);
        std::string to = JoinFolder(target, found.cFileName);
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            copied &= CopyTree(from, to) == 1;
        else
            copied &= ::CopyFileA(from.c_str(), to.c_str(), TRUE) != FALSE;
    } while (::FindNextFileA(search, &found));
    ::FindClose(search);
    return copied ? 1 : 0;
}

int ImageBaseManager::DeleteTree(const std::string& folder)
{
    if (folder.empty())
        return 0;
    WIN32_FIND_DATAA found;
    HANDLE search = ::FindFirstFileA(JoinFolder(folder, "*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            if (IsDotEntry(found.cFileName))
                continue;
            std::string child = JoinFolder(folder, found.cFileName);
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                DeleteTree(child);
            else
                ::DeleteFileA(child.c_str());
        } while (::FindNextFileA(search, &found));
        ::FindClose(search);
        ::RemoveDirectoryA(folder.c_str());
    }
    return fw::PathExists(folder) ? 0 : 1;
}

unsigned long long ImageBaseManager::GetFileSize(const std::string& pattern)
{
    WIN32_FIND_DATAA found;
    HANDLE search = ::FindFirstFileA(pattern.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return 0;
    ::FindClose(search);
    return (static_cast<unsigned long long>(found.nFileSizeHigh) << 32) | found.nFileSizeLow;
}

// The name helpers split at the last separator; a bare name has no folder.
std::string ImageBaseManager::GetFileNameFromPath(const std::string& path)
{
    size_t slash = LastSeparator(path);
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string ImageBaseManager::GetFolderFromPath(const std::string& path)
{
    size_t slash = LastSeparator(path);
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

std::string ImageBaseManager::GetFileTitleFromPath(const std::string& path)
{
    std::string name = GetFileNameFromPath(path);
    return name.substr(0, name.rfind('.'));
}

bool ImageBaseManager::OpensForReading(const std::string& path)
{
    if (path.empty())
        return false;
    HANDLE file = ::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    ::CloseHandle(file);
    return true;
}

std::string ImageBaseManager::GetShortPath(const std::string& path, bool* found)
{
    if (found)
        *found = false;
    DWORD size = ::GetShortPathNameA(path.c_str(), nullptr, 0);
    if (size == 0)
        return path;
    std::string shortPath(size, '\0');
    DWORD length = ::GetShortPathNameA(path.c_str(), &shortPath[0], size);
    if (length == 0 || length >= size)
        return path;
    shortPath.resize(length);
    if (found)
        *found = true;
    return shortPath;
}

// Only the file name's own dot counts: a dotted folder name holds no extension.
std::string ImageBaseManager::GetFileExtension(const std::string& path)
{
    return fw::FileExtension(path);
}

void ImageBaseManager::RemoveForbiddenChars(std::string& text)
{
    std::string kept;
    for (char c : text)
        if (std::string("\\/:*?\"<>|").find(c) == std::string::npos)
            kept += c;
    text = kept;
}
