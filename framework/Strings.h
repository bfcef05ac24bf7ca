// Texts from the program's string table, and printf-style formatting into std::string.
#pragma once
#include <windows.h>
#include <string>

namespace fw {

// The module whose resources (templates, strings, bitmaps) the framework loads; the program itself by default.
HINSTANCE ResourceModule();
void SetResourceModule(HINSTANCE module);

// A string-table entry in code page 1252; empty when the entry is missing.
std::string LoadResString(UINT id);

// printf-style formatting with no length limit.
std::string Format(const char* format, ...);
std::string FormatV(const char* format, va_list args);

// Formats a string-table entry that holds printf fields.
std::string FormatResString(UINT id, ...);

} // namespace fw
