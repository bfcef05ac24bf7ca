// The set store's files: reading, the write-then-replace writer and comparing contents.
#include "loader/StoreFiles.h"
#include "library/IniDocument.h"
#include <cstring>
#include <vector>

namespace storefile {

namespace {

bool WriteAllBytes(HANDLE file, const std::string& bytes)
{
    DWORD written = 0;
    return bytes.empty()
           || (::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr)
               && written == bytes.size());
}

ByteWriter g_byteWriter = &WriteAllBytes;

std::string FolderOf(const std::string& path)
{
    const size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

// The first free name of "<file>.bak", "<file>.2.bak", ...: none of them ends in "ini", so the set
// never lists a kept copy as an overlay of its own.
std::string FreeBackupName(const std::string& path)
{
    std::string name = path + ".bak";
    for (int n = 2; Exists(name); ++n)
        name = path + "." + std::to_string(n) + ".bak";
    return name;
}

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

bool Exists(const std::string& path)
{
    return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool IsFile(const std::string& path)
{
    const DWORD attributes = ::GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

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

bool WriteReplacing(const std::string& path, const std::string& text, bool keepOld)
{
    const std::string folder = FolderOf(path);
    char temporary[MAX_PATH] = "";
    if (folder.empty() || !::GetTempFileNameA(folder.c_str(), "skp", 0, temporary))
        return false;
    HANDLE file = ::CreateFileA(temporary, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        ::DeleteFileA(temporary);
        return false;
    }
    bool ok = g_byteWriter(file, text) && ::FlushFileBuffers(file);
    ok = ::CloseHandle(file) && ok;
    // The new file counts only when it holds every byte.
    WIN32_FILE_ATTRIBUTE_DATA written{};
    ok = ok && ::GetFileAttributesExA(temporary, GetFileExInfoStandard, &written) && written.nFileSizeHigh == 0
         && written.nFileSizeLow == text.size();
    if (!ok) {
        ::DeleteFileA(temporary);
        return false;
    }
    std::string backup;
    if (keepOld && Exists(path)) {
        backup = FreeBackupName(path);
        if (!::MoveFileExA(path.c_str(), backup.c_str(), MOVEFILE_WRITE_THROUGH)) {
            ::DeleteFileA(temporary);
            return false;
        }
    }
    if (!::MoveFileExA(temporary, path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        ::DeleteFileA(temporary);
        if (!backup.empty())
            ::MoveFileExA(backup.c_str(), path.c_str(), MOVEFILE_WRITE_THROUGH);
        return false;
    }
    return true;
}

ByteWriter SetByteWriter(ByteWriter writer)
{
    ByteWriter previous = g_byteWriter;
    g_byteWriter = writer != nullptr ? writer : &WriteAllBytes;
    return previous;
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
