// Integers and decimals in ini files.
#include "library/IniValues.h"
#include "library/IniFile.h"
#include <windows.h>
#include <charconv>
#include <cmath>

namespace ini {

int ReadInt(const std::string& file, const std::string& section, const std::string& key, int defaultValue)
{
    return static_cast<int>(::GetPrivateProfileIntA(section.c_str(), key.c_str(), defaultValue, file.c_str()));
}

bool WriteInt(const std::string& file, const std::string& section, const std::string& key, int value)
{
    return WriteString(file, section, key, std::to_string(value));
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
