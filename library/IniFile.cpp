// The ini-file calls with growing buffers.
#include "library/IniFile.h"
#include <windows.h>

namespace ini {

namespace {

// GetPrivateProfileString reports a buffer that was too small by filling it to the brim: size - 1
// for a value, size - 2 for a list of names. Grow until the answer leaves room to spare.
std::string ReadGrowing(const char* file, const char* section, const char* key, const char* fallback)
{
    std::vector<char> buffer(256);
    for (;;) {
        DWORD length = ::GetPrivateProfileStringA(section, key, fallback, buffer.data(),
                                                  static_cast<DWORD>(buffer.size()), file);
        if (length + 2 < buffer.size())
            return std::string(buffer.data(), length);
        buffer.resize(buffer.size() * 2);
    }
}

} // namespace

std::string ReadString(const std::string& file, const std::string& section, const std::string& key,
                       const std::string& fallback)
{
    return ReadGrowing(file.c_str(), section.c_str(), key.c_str(), fallback.c_str());
}

std::vector<std::string> ReadKeyNames(const std::string& file, const std::string& section)
{
    std::string names = ReadGrowing(file.c_str(), section.c_str(), nullptr, "");
    std::vector<std::string> keys;
    size_t start = 0;
    while (start < names.size()) {
        size_t end = names.find('\0', start);
        if (end == std::string::npos)
            end = names.size();
        if (end > start)
            keys.push_back(names.substr(start, end - start));
        start = end + 1;
    }
    return keys;
}

bool WriteString(const std::string& file, const std::string& section, const std::string& key,
                 const std::string& value)
{
    return ::WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), file.c_str()) != FALSE;
}

bool DeleteKey(const std::string& file, const std::string& section, const std::string& key)
{
    return ::WritePrivateProfileStringA(section.c_str(), key.c_str(), nullptr, file.c_str()) != FALSE;
}

bool DeleteSection(const std::string& file, const std::string& section)
{
    return ::WritePrivateProfileStringA(section.c_str(), nullptr, nullptr, file.c_str()) != FALSE;
}

bool WriteSection(const std::string& file, const std::string& section,
                  const std::vector<std::pair<std::string, std::string>>& entries)
{
    // The section text is "key=value" strings, each ended by a null, and one more null at the end.
    std::string block;
    for (const auto& entry : entries) {
        block += entry.first;
        block += '=';
        block += entry.second;
        block += '\0';
    }
    block += '\0';
    return ::WritePrivateProfileSectionA(section.c_str(), block.c_str(), file.c_str()) != FALSE;
}

} // namespace ini
