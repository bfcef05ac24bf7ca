// Case folding of code page 1252 text. The C library's tolower knows only ASCII in the "C" locale,
// and the platform's CharLower depends on the machine's code page; this table does not.
#include "library/Cp1252.h"

namespace cp1252 {

bool IsControl(char c)
{
    const unsigned char code = static_cast<unsigned char>(c);
    return code < 0x20 || code == 0x7F;
}

char ToLower(char c)
{
    unsigned char u = static_cast<unsigned char>(c);
    if (u >= 'A' && u <= 'Z')
        return static_cast<char>(u + 32);
    // À..Þ except the multiplication sign ×.
    if (u >= 0xC0 && u <= 0xDE && u != 0xD7)
        return static_cast<char>(u + 32);
    switch (u) {
    case 0x8A: return static_cast<char>(0x9A); // Š
    case 0x8C: return static_cast<char>(0x9C); // Œ
    case 0x8E: return static_cast<char>(0x9E); // Ž
    case 0x9F: return static_cast<char>(0xFF); // Ÿ
    default: return c;
    }
}

char ToUpper(char c)
{
    unsigned char u = static_cast<unsigned char>(c);
    if (u >= 'a' && u <= 'z')
        return static_cast<char>(u - 32);
    // à..þ except the division sign ÷.
    if (u >= 0xE0 && u <= 0xFE && u != 0xF7)
        return static_cast<char>(u - 32);
    switch (u) {
    case 0x9A: return static_cast<char>(0x8A);
    case 0x9C: return static_cast<char>(0x8C);
    case 0x9E: return static_cast<char>(0x8E);
    case 0xFF: return static_cast<char>(0x9F);
    default: return c;
    }
}

std::string Lower(std::string text)
{
    for (char& c : text)
        c = ToLower(c);
    return text;
}

bool EqualsNoCase(const std::string& a, const std::string& b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (ToLower(a[i]) != ToLower(b[i]))
            return false;
    return true;
}

bool StartsWithNoCase(const std::string& text, const std::string& prefix)
{
    return text.size() >= prefix.size() && EqualsNoCase(text.substr(0, prefix.size()), prefix);
}

} // namespace cp1252
