// Numbers in ini files: integers, and decimals written and read with '.' whatever the locale, so the
// files stay the same on every machine. Strings are read and written with library/IniFile.h.
#pragma once
#include <string>

namespace ini {

// The key's leading integer, as the system's GetPrivateProfileInt reads it.
int ReadInt(const std::string& file, const std::string& section, const std::string& key, int defaultValue);
// A value's leading integer as GetPrivateProfileInt makes it of the value it reads: defaultValue for an
// empty value, else an optional sign and the digits of its first 29 characters (decimal, or binary,
// octal or hexadecimal after "0b", "0o" or "0x"), counted in 32 bits so that a longer number wraps
// around as the platform's does; 0 when there are none.
int IntOfValue(const std::string& value, int defaultValue);
// "%d"; false when the file cannot be written.
bool WriteInt(const std::string& file, const std::string& section, const std::string& key, int value);

// "%1.1f" with '.' as the decimal point: 0.75 gives "0.8", 2 gives "2.0".
std::string FormatDecimal(double value);
// The leading number of a text, like atof in the "C" locale: blanks, a sign, digits, '.' and digits,
// an exponent; anything after it is ignored and a text without a number gives 0.
double ParseDecimal(const std::string& text);

} // namespace ini
