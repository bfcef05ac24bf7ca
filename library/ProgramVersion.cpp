// Program versions and dates.
#include "library/ProgramVersion.h"
#include <vector>

ProgramVersion ReadProgramVersion(const std::string& programFile)
{
    ProgramVersion program;
    DWORD handle = 0;
    const DWORD size = ::GetFileVersionInfoSizeA(programFile.c_str(), &handle);
    if (size > 0) {
        std::vector<char> data(size);
        void* value = nullptr;
        UINT length = 0;
        if (::GetFileVersionInfoA(programFile.c_str(), 0, size, data.data()) &&
            ::VerQueryValueA(data.data(), "\\StringFileInfo\\040904b0\\FileVersion", &value, &length) && value &&
            length > 0)
            program.version = static_cast<const char*>(value);
    }
    WIN32_FILE_ATTRIBUTE_DATA attributes{};
    FILETIME local;
    if (::GetFileAttributesExA(programFile.c_str(), GetFileExInfoStandard, &attributes) &&
        ::FileTimeToLocalFileTime(&attributes.ftLastWriteTime, &local) && ::FileTimeToSystemTime(&local, &program.lastWrite))
        program.dated = true;
    return program;
}

std::string FormatProgramDate(const SYSTEMTIME& date, bool yearFirst)
{
    char text[16];
    if (yearFirst)
        ::wsprintfA(text, "%04d-%02d-%02d", date.wYear, date.wMonth, date.wDay);
    else
        ::wsprintfA(text, "%02d-%02d-%04d", date.wDay, date.wMonth, date.wYear);
    return text;
}

std::string RunningProgramFile()
{
    std::vector<char> path(MAX_PATH);
    for (;;) {
        const DWORD length = ::GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size())
            return std::string(path.data(), length);
        path.resize(path.size() * 2);
    }
}
