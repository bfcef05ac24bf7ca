// Reading and writing whole text files of the set store.
#include "loader/TextLines.h"
#include <windows.h>

namespace textfile {

bool ReadAll(const std::string& path, std::string& content)
{
    content.clear();
    HANDLE file = ::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    char buffer[16384];
    DWORD read = 0;
    bool ok = true;
    for (;;) {
        if (!::ReadFile(file, buffer, sizeof(buffer), &read, nullptr)) {
            ok = false;
            break;
        }
        if (read == 0)
            break;
        content.append(buffer, read);
    }
    ::CloseHandle(file);
    return ok;
}

bool ReadLines(const std::string& path, std::vector<std::string>& lines)
{
    lines.clear();
    std::string content;
    if (!ReadAll(path, content))
        return false;

    size_t start = 0;
    while (start < content.size()) {
        size_t end = content.find('\n', start);
        std::string line = content.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
        if (end == std::string::npos)
            break;
        start = end + 1;
    }
    return true;
}

bool Write(const std::string& path, const std::string& content)
{
    HANDLE file = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    bool ok = content.empty()
              || (::WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr)
                  && written == content.size());
    ok = ::CloseHandle(file) && ok;
    return ok;
}

} // namespace textfile
