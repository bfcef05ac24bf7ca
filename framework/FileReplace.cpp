// The write-then-replace save.
#include "framework/FileReplace.h"
#include "framework/Files.h"

namespace fw {

namespace {

bool WriteAllBytes(HANDLE file, const std::string& bytes)
{
    DWORD written = 0;
    return bytes.empty()
           || (::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr)
               && written == bytes.size());
}

ByteWriter g_byteWriter = &WriteAllBytes;

// Writes the bytes into the (new, empty) file and checks that the file on the disk holds them all.
bool WriteWholeFile(const std::string& path, const std::string& bytes)
{
    HANDLE file = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    bool ok = g_byteWriter(file, bytes) && ::FlushFileBuffers(file);
    ok = ::CloseHandle(file) && ok;
    WIN32_FILE_ATTRIBUTE_DATA written{};
    return ok && ::GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &written) && written.nFileSizeHigh == 0
           && written.nFileSizeLow == bytes.size();
}

// The first free name of "<file>.bak", "<file>.2.bak", ...: none of them keeps the file's own
// extension, so a kept copy is never taken for a file of the kind it was.
std::string FreeBackupName(const std::string& path)
{
    std::string name = path + ".bak";
    for (int n = 2; PathExists(name); ++n)
        name = path + "." + std::to_string(n) + ".bak";
    return name;
}

} // namespace

std::string TemporaryFileBeside(const std::string& path)
{
    const size_t slash = path.find_last_of("\\/");
    std::string folder = slash == std::string::npos ? std::string(".") : path.substr(0, slash);
    if (folder.size() == 2 && folder[1] == ':')
        folder += '\\';
    char name[MAX_PATH] = "";
    if (folder.size() >= MAX_PATH - 14 || !::GetTempFileNameA(folder.c_str(), "rzw", 0, name))
        return std::string();
    return name;
}

bool ReplaceFileWith(const std::string& finished, const std::string& target)
{
    return ::MoveFileExA(finished.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
}

bool WriteReplacingWith(const std::string& path, const std::function<bool(const std::string& temporary)>& write,
                        bool keepOld)
{
    const std::string temporary = TemporaryFileBeside(path);
    if (temporary.empty())
        return false;
    if (!write(temporary)) {
        ::DeleteFileA(temporary.c_str());
        return false;
    }
    std::string backup;
    if (keepOld && PathExists(path)) {
        backup = FreeBackupName(path);
        if (!::MoveFileExA(path.c_str(), backup.c_str(), MOVEFILE_WRITE_THROUGH)) {
            ::DeleteFileA(temporary.c_str());
            return false;
        }
    }
    if (!ReplaceFileWith(temporary, path)) {
        ::DeleteFileA(temporary.c_str());
        if (!backup.empty())
            ::MoveFileExA(backup.c_str(), path.c_str(), MOVEFILE_WRITE_THROUGH);
        return false;
    }
    return true;
}

bool WriteReplacing(const std::string& path, const std::string& bytes, bool keepOld)
{
    return WriteReplacingWith(
        path, [&bytes](const std::string& temporary) { return WriteWholeFile(temporary, bytes); }, keepOld);
}

NewFile WriteNewFile(const std::string& path, const std::string& bytes)
{
    if (PathExists(path))
        return NewFile::Taken;
    const std::string temporary = TemporaryFileBeside(path);
    if (temporary.empty())
        return NewFile::Failed;
    if (!WriteWholeFile(temporary, bytes)) {
        ::DeleteFileA(temporary.c_str());
        return NewFile::Failed;
    }
    // Without the replace flag the move refuses any name that reaches a file, its short name included.
    if (::MoveFileExA(temporary.c_str(), path.c_str(), MOVEFILE_WRITE_THROUGH))
        return NewFile::Created;
    const DWORD error = ::GetLastError();
    ::DeleteFileA(temporary.c_str());
    return error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS || PathExists(path) ? NewFile::Taken
                                                                                             : NewFile::Failed;
}

bool RewriteExisting(const std::string& path, const std::string& bytes, bool keepOld)
{
    return FileExists(path) && WriteReplacing(path, bytes, keepOld);
}

ByteWriter SetByteWriter(ByteWriter writer)
{
    ByteWriter previous = g_byteWriter;
    g_byteWriter = writer != nullptr ? writer : &WriteAllBytes;
    return previous;
}

} // namespace fw
