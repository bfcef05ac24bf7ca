// File-name and file tests.
#include "framework/Files.h"
#include <windows.h>
#include <shellapi.h>
#include <algorithm>
#include <new>

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

bool IsAbsent(const std::string& path)
{
    if (path.empty())
        return false;
    if (::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES)
        return false;
    const DWORD error = ::GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

FileRead ReadWholeFile(const std::string& path, std::string& content, unsigned long long largest)
{
    content.clear();
    if (IsAbsent(path))
        return FileRead::Absent;
    // Others may read and write while we read: a program that holds the file without sharing makes
    // the open fail, and that file is there, not absent.
    HANDLE file = ::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        const DWORD error = ::GetLastError();
        // Gone between the two calls: still absent.
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? FileRead::Absent : FileRead::Unreadable;
    }
    LARGE_INTEGER size{};
    bool ok = ::GetFileSizeEx(file, &size) && static_cast<unsigned long long>(size.QuadPart) <= largest;
    if (ok) {
        try {
            content.resize(static_cast<size_t>(size.QuadPart));
        } catch (const std::bad_alloc&) {
            ok = false;
        }
    }
    // Read in blocks: one call of gigabytes is refused by some systems.
    size_t got = 0;
    while (ok && got < content.size()) {
        const DWORD want = static_cast<DWORD>(std::min<size_t>(content.size() - got, 1u << 20));
        DWORD read = 0;
        ok = ::ReadFile(file, &content[got], want, &read, nullptr) && read > 0;
        got += read;
    }
    // A file that grew while it was read: take what stands past the size too, so nothing is cut.
    char more[4096];
    DWORD read = 0;
    while (ok && ::ReadFile(file, more, sizeof(more), &read, nullptr) && read > 0) {
        content.append(more, read);
        ok = content.size() <= largest;
    }
    ::CloseHandle(file);
    if (!ok) {
        content.clear();
        return FileRead::Unreadable;
    }
    return FileRead::Whole;
}

TextForm TextFormOf(const std::string& bytes)
{
    const auto starts = [&bytes](const char* mark, size_t size) { return bytes.compare(0, size, mark, size) == 0; };
    if (starts("\xFF\xFE", 2) || starts("\xFE\xFF", 2))
        return TextForm::Utf16;
    if (starts("\xEF\xBB\xBF", 3))
        return TextForm::Utf8WithMark;
    const size_t nul = bytes.find('\0');
    if (nul == std::string::npos)
        return TextForm::SingleByte;
    // Without a mark, UTF-16 of Latin text has a NUL in every other byte.
    size_t evenNuls = 0, oddNuls = 0;
    const size_t looked = std::min<size_t>(bytes.size(), 4096);
    for (size_t i = 0; i < looked; ++i) {
        if (bytes[i] == '\0')
            ++(i % 2 == 0 ? evenNuls : oddNuls);
    }
    const size_t half = looked / 2;
    if (half > 0 && (evenNuls * 10 >= half * 9 || oddNuls * 10 >= half * 9))
        return TextForm::Utf16;
    return TextForm::Binary;
}

std::string FirstFreePath(const std::function<std::string(int)>& candidate, int first)
{
    for (int n = first; n < 100000; ++n) {
        std::string path = candidate(n);
        if (!PathExists(path) && IsAbsent(path))
            return path;
    }
    return std::string();
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

namespace {

// The path with the short (8.3) names of its existing part replaced by their long names: the longest
// existing folder above it is asked of the system, the rest is kept as written.
std::string LongFormOfExistingPart(const std::string& full)
{
    std::string head = full;
    std::string tail;
    while (!head.empty()) {
        if (head.find('~') == std::string::npos)
            return full; // no short name can stand in it
        char buffer[MAX_PATH * 4];
        const DWORD length = ::GetLongPathNameA(head.c_str(), buffer, sizeof(buffer));
        if (length > 0 && length < sizeof(buffer))
            return std::string(buffer, length) + tail;
        const size_t separator = head.find_last_of('\\');
        if (separator == std::string::npos || separator < 3)
            return full;
        tail = head.substr(separator) + tail;
        head.resize(separator);
    }
    return full;
}

} // namespace

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
    full = LongFormOfExistingPart(full);
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
