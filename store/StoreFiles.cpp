// The set store's files: reading and comparing contents.
#include "store/StoreFiles.h"
#include "library/IniDocument.h"
#include <cstring>
#include <vector>

namespace storefile {

namespace {

class ReadHandle {
public:
    explicit ReadHandle(const std::string& path)
        : handle_(::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr))
    {
    }
    ~ReadHandle()
    {
        if (IsOpen())
            ::CloseHandle(handle_);
    }
    ReadHandle(const ReadHandle&) = delete;
    ReadHandle& operator=(const ReadHandle&) = delete;
    bool IsOpen() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return handle_; }

private:
    HANDLE handle_;
};

// Reads until the buffer is full or the file ends; false on a read error.
bool ReadBlock(HANDLE file, char* buffer, DWORD size, DWORD& got)
{
    got = 0;
    while (got < size) {
        DWORD read = 0;
        if (!::ReadFile(file, buffer + got, size - got, &read, nullptr))
            return false;
        if (read == 0)
            break;
        got += read;
    }
    return true;
}

} // namespace

bool ReadAll(const std::string& path, std::string& content, unsigned long long largest)
{
    content.clear();
    ReadHandle file(path);
    LARGE_INTEGER size{};
    if (!file.IsOpen() || !::GetFileSizeEx(file.Get(), &size) || static_cast<unsigned long long>(size.QuadPart) > largest)
        return false;
    char buffer[16384];
    for (;;) {
        DWORD read = 0;
        if (!ReadBlock(file.Get(), buffer, sizeof(buffer), read))
            return false;
        content.append(buffer, read);
        if (read < sizeof(buffer))
            return true;
    }
}

std::vector<std::string> SplitLines(const std::string& content)
{
    // A file whose lines end in CR alone (an old Mac's, or a text editor's set so) has no LF at all:
    // read as the one line it would otherwise be, it holds nothing a reader knows.
    if (content.find('\n') == std::string::npos && content.find('\r') != std::string::npos) {
        std::vector<std::string> lines;
        size_t start = 0;
        while (start < content.size()) {
            size_t end = content.find('\r', start);
            if (end == std::string::npos)
                end = content.size();
            lines.push_back(content.substr(start, end - start));
            start = end + 1;
        }
        return lines;
    }
    return ini::SplitLines(content);
}

std::string JoinLines(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    return text;
}

bool ReadLines(const std::string& path, std::vector<std::string>& lines)
{
    lines.clear();
    std::string content;
    if (!ReadAll(path, content))
        return false;
    lines = SplitLines(content);
    return true;
}

bool SameContent(const std::string& first, const std::string& second)
{
    ReadHandle a(first);
    ReadHandle b(second);
    if (!a.IsOpen() || !b.IsOpen())
        return false;
    LARGE_INTEGER sizeA{}, sizeB{};
    if (!::GetFileSizeEx(a.Get(), &sizeA) || !::GetFileSizeEx(b.Get(), &sizeB) || sizeA.QuadPart != sizeB.QuadPart)
        return false;
    const DWORD kBlock = 64 * 1024;
    std::vector<char> blockA(kBlock), blockB(kBlock);
    for (;;) {
        DWORD gotA = 0, gotB = 0;
        if (!ReadBlock(a.Get(), blockA.data(), kBlock, gotA) || !ReadBlock(b.Get(), blockB.data(), kBlock, gotB))
            return false;
        if (gotA != gotB || std::memcmp(blockA.data(), blockB.data(), gotA) != 0)
            return false;
        if (gotA < kBlock)
            return true;
    }
}

bool CopyWhole(const std::string& source, const std::string& target)
{
    if (!::CopyFileA(source.c_str(), target.c_str(), FALSE))
        return false;
    WIN32_FILE_ATTRIBUTE_DATA from{}, to{};
    return ::GetFileAttributesExA(source.c_str(), GetFileExInfoStandard, &from)
           && ::GetFileAttributesExA(target.c_str(), GetFileExInfoStandard, &to)
           && from.nFileSizeHigh == to.nFileSizeHigh && from.nFileSizeLow == to.nFileSizeLow;
}

std::string LongForm(const std::string& path)
{
    DWORD size = ::GetLongPathNameA(path.c_str(), nullptr, 0);
    if (size == 0)
        return path;
    std::string longPath(size, '\0');
    DWORD length = ::GetLongPathNameA(path.c_str(), &longPath[0], size);
    if (length == 0 || length >= size)
        return path;
    longPath.resize(length);
    return longPath;
}

bool IsWindows95()
{
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof(version);
    return ::GetVersionExA(&version) && version.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS
           && version.dwMinorVersion == 0;
}

} // namespace storefile
