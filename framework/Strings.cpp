// String-table loading and formatting.
#include "framework/Strings.h"
#include <cstdarg>
#include <cstdio>
#include <vector>

namespace fw {

namespace {
HINSTANCE g_resourceModule = nullptr;
const UINT kWindows1252 = 1252;
}

HINSTANCE ResourceModule()
{
    return g_resourceModule ? g_resourceModule : ::GetModuleHandleA(nullptr);
}

void SetResourceModule(HINSTANCE module)
{
    g_resourceModule = module;
}

std::string LoadResString(UINT id)
{
    // With a zero buffer size LoadStringW hands back a pointer into the resource itself, so the
    // length is never cut. Our texts are code page 1252 whatever the system's own code page is.
    const wchar_t* resource = nullptr;
    int length = ::LoadStringW(ResourceModule(), id, reinterpret_cast<LPWSTR>(&resource), 0);
    if (length <= 0 || resource == nullptr)
        return std::string();
    int bytes = ::WideCharToMultiByte(kWindows1252, 0, resource, length, nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<size_t>(bytes), '\0');
    ::WideCharToMultiByte(kWindows1252, 0, resource, length, &text[0], bytes, nullptr, nullptr);
    return text;
}

std::string FormatV(const char* format, va_list args)
{
    va_list copy;
    va_copy(copy, args);
    int length = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    if (length <= 0)
        return std::string();
    std::vector<char> buffer(static_cast<size_t>(length) + 1);
    std::vsnprintf(buffer.data(), buffer.size(), format, args);
    return std::string(buffer.data(), static_cast<size_t>(length));
}

std::string Format(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    std::string text = FormatV(format, args);
    va_end(args);
    return text;
}

std::string FormatResString(UINT id, ...)
{
    std::string format = LoadResString(id);
    va_list args;
    va_start(args, id);
    std::string text = FormatV(format.c_str(), args);
    va_end(args);
    return text;
}

} // namespace fw
