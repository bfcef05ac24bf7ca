// Ini values read whole and decimals with '.'.
#include "library/IniValues.h"
#include <windows.h>
#include <charconv>
#include <cmath>
#include <vector>

namespace ini {

std::string ReadValue(const std::string& file, const std::string& section, const std::string& key,
                       const std::string& defaultValue)
{
    // The call reports a cut value by filling all but the last place: grow the buffer until it fits.
    std::vector<char> buffer(256);
    for (;;) {
        DWORD length = ::GetPrivateProfileStringA(section.c_str(), key.c_str(), defaultValue.c_str(),
                                                  buffer.data(), static_cast<DWORD>(buffer.size()),
                                                  file.c_str());
        if (length + 1 < buffer.size())
            return std::string(buffer.data(), length);
        buffer.resize(buffer.size() * 4);
    }
}

int ReadInt(const std::string& file, const std::string& section, const std::string& key, int defaultValue)
{
    return static_cast<int>(::GetPrivateProfileIntA(section.c_str(), key.c_str(), defaultValue, file.c_str()));
}

bool WriteValue(const std::string& file, const std::string& section, const std::string& key,
                 const std::string& value)
{
    return ::WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), file.c_str()) != FALSE;
}

bool WriteInt(const std::string& file, const std::string& section, const std::string& key, int value)
{
    return WriteValue(file, section, key, std::to_string(value));
}

std::string FormatDecimal(double value)
{
    // Whole tenths, rounded half away from zero, then printed by hand: printf would follow the locale.
    long long tenths = std::llround(value * 10.0);
    std::string text = tenths < 0 ? "-" : "";
    unsigned long long magnitude = tenths < 0 ? 0ULL - static_cast<unsigned long long>(tenths)
                                              : static_cast<unsigned long long>(tenths);
    text += std::to_string(magnitude / 10);
    text += '.';
    text += static_cast<char>('0' + magnitude % 10);
    return text;
}

double ParseDecimal(const std::string& text)
{
    size_t start = text.find_first_not_of(" \t");
    if (start == std::string::npos)
        return 0.0;
    if (text[start] == '+')
        ++start;
    double value = 0.0;
    // from_chars never looks at the locale; it stops at the first character that is not part of a number.
    std::from_chars(text.data() + start, text.data() + text.size(), value, std::chars_format::general);
    return value;
}

} // namespace ini
