// Whole-text reading and write-then-replace saving.
#include "writer_settings/TextFiles.h"
#include "components/FileBytes.h"
#include "library/IniDocument.h"
#include "library/WaveFile.h"
#include <windows.h>

namespace textfiles {

namespace {

// Far beyond a document of thousands of symbols; a larger file is not one of Morvel's.
const std::int64_t kLargestFile = 64ll * 1024 * 1024;

bool WriteWhole(const std::string& path, const std::string& bytes)
{
    HANDLE file = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    const DWORD size = static_cast<DWORD>(bytes.size());
    DWORD written = 0;
    bool ok = (size == 0 || (::WriteFile(file, bytes.data(), size, &written, nullptr) && written == size))
              && ::FlushFileBuffers(file);
    return ::CloseHandle(file) && ok;
}

WriteStep writeStep = WriteWhole;

} // namespace

bool ReadWhole(const std::string& path, std::string& content)
{
    std::vector<std::uint8_t> bytes;
    if (!ReadFileBytes(path, bytes, kLargestFile))
        return false;
    content.assign(bytes.begin(), bytes.end());
    return true;
}

std::vector<std::string> SplitLines(const std::string& content)
{
    return ini::SplitLines(content);
}

void SetWriteStep(WriteStep step)
{
    writeStep = step ? step : WriteWhole;
}

bool WriteReplacing(const std::string& path, const std::string& bytes)
{
    const std::string temporary = wave::TemporaryFileBeside(path);
    if (temporary.empty())
        return false;
    if (writeStep(temporary, bytes) && wave::ReplaceFileWith(temporary, path))
        return true;
    ::DeleteFileA(temporary.c_str());
    return false;
}

} // namespace textfiles
