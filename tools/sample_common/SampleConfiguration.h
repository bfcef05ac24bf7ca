// For the tools that write the sample configuration with Skarpin's own FileIO: a throw-away
// configuration of their own in the temporary folder, and plain file writing.
#pragma once
#include "library/ImageBaseManager.h"
#include "store/FileIO.h"
#include <windows.h>
#include <fstream>
#include <string>

namespace sample {

inline bool WriteText(const std::string& path, const std::string& text)
{
    std::ofstream out(path, std::ios::binary);
    out << text;
    return static_cast<bool>(out);
}

// A Windows folder "<temp>\<name>" whose settings name its own program folder, made afresh. FileIO
// makes its folders there; the program's version (the tool carries Skarpin's resources) goes into
// the files written.
inline FileIOEnvironment TemporaryConfiguration(const std::string& name)
{
    char tempBase[MAX_PATH] = "";
    ::GetTempPathA(MAX_PATH, tempBase);
    const std::string temp = std::string(tempBase) + name;
    std::string program = temp + "\\program";
    ImageBaseManager::DeleteTree(temp);
    ImageBaseManager::CreatePath(program);
    WriteText(temp + "\\skarpin.ini", "[Directories]\r\nExe=" + program + "\r\n");

    char ownPath[MAX_PATH] = "";
    ::GetModuleFileNameA(nullptr, ownPath, MAX_PATH);
    FileIOEnvironment environment;
    environment.windowsFolder = temp;
    environment.applicationName = "Skarpin";
    environment.applicationPath = ownPath;
    return environment;
}

} // namespace sample
