// Whole-file reading for the picture decoders.
#include "components/FileBytes.h"
#include <windows.h>
#include <new>

bool ReadFileBytes(const std::string& path, std::vector<std::uint8_t>& bytes, std::int64_t maxSize)
{
    bytes.clear();
    HANDLE file = ::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    LARGE_INTEGER size{};
    bool ok = ::GetFileSizeEx(file, &size) && size.QuadPart <= maxSize;
    if (ok) {
        try {
            bytes.resize(static_cast<size_t>(size.QuadPart));
        } catch (const std::bad_alloc&) {
            ok = false;
        }
    }
    DWORD read = 0;
    ok = ok && (bytes.empty() || (::ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) &&
                                  read == bytes.size()));
    ::CloseHandle(file);
    return ok;
}
