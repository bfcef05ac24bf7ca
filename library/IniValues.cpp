// Integers and decimals in ini files.
#include "library/IniValues.h"
#include "library/IniFile.h"
#include <windows.h>
#include <charconv>
#include <cmath>

namespace ini {

namespace {

// A digit of any base up to 36 (letters of either case count from 10); 36 for anything else.
unsigned long DigitValue(char c)
{
    if (c >= '0' && c <= '9')
        return static_cast<unsigned long>(c - '0');
    if (c >= 'a' && c <= 'z')
        return static_cast<unsigned long>(c - 'a' + 10);
    if (c >= 'A' && c <= 'Z')
        return static_cast<unsigned long>(c - 'A' + 10);
    return 36;
}

} // namespace

int ReadInt(const std::string& file, const std::string& section, const std::string& key, int defaultValue)
{
    return static_cast<int>(::GetPrivateProfileIntA(section.c_str(), key.c_str(), defaultValue, file.c_str()));
}

int IntOfValue(const std::string& value, int defaultValue)
{
    if (value.empty())
        return defaultValue;
    // The platform reads the value into a buffer of 30 characters and converts what it holds.
    const std::string held = value.substr(0, 29);
    size_t at = 0;
    while (at < held.size() && static_cast<unsigned char>(held[at]) <= ' ')
        ++at;
    const bool minus = at < held.size() && held[at] == '-';
    if (at < held.size() && (held[at] == '-' || held[at] == '+'))
        ++at;
    // "0b", "0o" and "0x", in lower case only, choose binary, octal and hexadecimal digits.
    unsigned long base = 10;
    if (at + 1 < held.size() && held[at] == '0') {
        const char mark = held[at + 1];
        base = mark == 'b' ? 2 : mark == 'o' ? 8 : mark == 'x' ? 16 : 10;
        if (base != 10)
            at += 2;
    }
    unsigned long total = 0;
    for (; at < held.size(); ++at) {
        const unsigned long digit = DigitValue(held[at]);
        if (digit >= base)
            break;
        total = (total * base + digit) & 0xFFFFFFFFul;
    }
    if (minus)
        total = (0ul - total) & 0xFFFFFFFFul;
    return static_cast<int>(static_cast<unsigned int>(total));
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
