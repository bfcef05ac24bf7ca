// The files of the stand-in programs (the USB driver program here, Zenthor in tools/zenthor): where a
// stand-in finds its settings and log beside itself, and its log written line by line.
#pragma once
#include <windows.h>
#include <string>

namespace standin {

// The stand-in's own program file without ".exe": "C:\x\Rizovuvuri.skarpin" for "C:\x\Rizovuvuri.skarpin.exe".
inline std::string ProgramStem()
{
    char module[MAX_PATH] = "";
    ::GetModuleFileNameA(nullptr, module, MAX_PATH);
    std::string stem = module;
    const size_t extension = stem.rfind('.');
    if (extension != std::string::npos && extension > stem.rfind('\\'))
        stem.erase(extension);
    return stem;
}

// "<program stem>.standin.ini", whose [StandIn] section tells the stand-in how to behave.
inline std::string SettingsFile()
{
    return ProgramStem() + ".standin.ini";
}

inline std::string ReadSetting(const char* key, const std::string& fallback)
{
    char value[MAX_PATH] = "";
    ::GetPrivateProfileStringA("StandIn", key, fallback.c_str(), value, sizeof(value), SettingsFile().c_str());
    return value;
}

// Opened for each line, so a reader sees every line as soon as it is written.
inline void AppendLine(const std::string& file, const std::string& line)
{
    HANDLE handle = ::CreateFileA(file.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return;
    const std::string text = line + "\r\n";
    DWORD written = 0;
    ::WriteFile(handle, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    ::CloseHandle(handle);
}

} // namespace standin
