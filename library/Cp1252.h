// Case folding of single-byte text in code page 1252, so that Å, Ä and Ö fold like the ASCII letters.
#pragma once
#include <string>

namespace cp1252 {

char ToLower(char c);
// A control code (0x00-0x1F, 0x7F): no character of a text.
bool IsControl(char c);
char ToUpper(char c);
std::string Lower(std::string text);
bool EqualsNoCase(const std::string& a, const std::string& b);
bool StartsWithNoCase(const std::string& text, const std::string& prefix);

} // namespace cp1252
