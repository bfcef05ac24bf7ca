// File-name and file tests.
#include "framework/Files.h"
#include <windows.h>
#include <shellapi.h>

namespace fw {

std::string FileExtension(const std::string& path)
{
    const size_t dot = path.rfind('.');
    const size_t separator = path.find_last_of("\\/:");
    if (dot == std::string::npos || (separator != std::string::npos && separator > dot))
        return std::string();
    return path.substr(dot + 1);
}

std::string FolderOf(const std::string& path)
{
    const size_t separator = path.find_last_of("\\/");
    return separator == std::string::npos ? std::string() : path.substr(0, separator);
}

bool IsDeviceName(const std::string& part)
{
    std::string stem = part.substr(0, part.find('.'));
    while (!stem.empty() && stem.back() == ' ')
        stem.pop_back();
    for (char& c : stem) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    }
    static const char* const kDevices[] = {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$", "CLOCK$"};
    for (const char* device : kDevices) {
        if (stem == device)
            return true;
    }
    if (stem.size() != 4 || (stem.compare(0, 3, "COM") != 0 && stem.compare(0, 3, "LPT") != 0))
        return false;
    const unsigned char number = static_cast<unsigned char>(stem[3]);
    return (number >= '0' && number <= '9') || number == 0xB9 || number == 0xB2 || number == 0xB3;
}

bool FileExists(const std::string& path)
{
    const DWORD attributes = ::GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool FolderExists(const std::string& path)
{
    const DWORD attributes = ::GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool PathExists(const std::string& path)
{
    return !path.empty() && ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string ComparablePath(const std::string& path)
{
    if (path.empty())
        return std::string();
    std::string full(MAX_PATH, '\0');
    DWORD length = ::GetFullPathNameA(path.c_str(), static_cast<DWORD>(full.size()), &full[0], nullptr);
    if (length >= full.size()) {
        full.resize(length);
        length = ::GetFullPathNameA(path.c_str(), static_cast<DWORD>(full.size()), &full[0], nullptr);
    }
    if (length == 0 || length >= full.size())
        full = path;
    else
        full.resize(length);
    for (char& c : full) {
        if (c == '/')
            c = '\\';
    }
    while (full.size() > 3 && full.back() == '\\')
        full.pop_back();
    if (!full.empty())
        ::CharLowerBuffA(&full[0], static_cast<DWORD>(full.size()));
    return full;
}

bool FolderHolds(const std::string& folder, const std::string& path)
{
    const std::string outer = ComparablePath(folder);
    const std::string inner = ComparablePath(path);
    if (outer.empty() || inner.empty())
        return false;
    if (inner == outer)
        return true;
    // "c:\" ends in its separator already; every other folder gets one, so "c:\a" holds no "c:\ab".
    const std::string prefix = outer.back() == '\\' ? outer : outer + '\\';
    return inner.compare(0, prefix.size(), prefix) == 0;
}

bool SendToRecycleBin(const std::string& path)
{
    if (!PathExists(path))
        return true;
    std::string from = path + '\0'; // the shell wants a list ended by two nulls
    SHFILEOPSTRUCTA operation{};
    operation.wFunc = FO_DELETE;
    operation.pFrom = from.c_str();
    operation.fFlags = FOF_ALLOWUNDO | FOF_NOCONFIRMATION | FOF_SILENT | FOF_NOERRORUI;
    if (::SHFileOperationA(&operation) != 0 || operation.fAnyOperationsAborted)
        return false;
    return !PathExists(path);
}

} // namespace fw
