// File-name and file tests.
#include "framework/Files.h"
#include <windows.h>

namespace fw {

std::string FileExtension(const std::string& path)
{
    const size_t dot = path.rfind('.');
    const size_t separator = path.find_last_of("\\/:");
    if (dot == std::string::npos || (separator != std::string::npos && separator > dot))
        return std::string();
    return path.substr(dot + 1);
}

bool FileExists(const std::string& path)
{
    const DWORD attributes = ::GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool PathExists(const std::string& path)
{
    return !path.empty() && ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

} // namespace fw
