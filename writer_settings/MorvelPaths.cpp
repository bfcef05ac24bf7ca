// Morvel's configuration paths.
#include "writer_settings/MorvelPaths.h"
#include "library/ImageBaseManager.h"
#include "library/IniFile.h"
#include <windows.h>
#include <vector>

namespace {

std::string ToLower(std::string text)
{
    // The system's lower-casing knows the code page's letters (Å, Ä, Ö) as well.
    if (!text.empty())
        ::CharLowerBuffA(&text[0], static_cast<DWORD>(text.size()));
    return text;
}

} // namespace

MorvelEnvironment MorvelEnvironment::OfThisProgram()
{
    MorvelEnvironment environment;
    char buffer[MAX_PATH] = "";
    ::GetWindowsDirectoryA(buffer, MAX_PATH);
    environment.windowsFolder = buffer;
    std::vector<char> module(MAX_PATH);
    for (;;) {
        DWORD length = ::GetModuleFileNameA(nullptr, module.data(), static_cast<DWORD>(module.size()));
        if (length < module.size()) {
            environment.applicationPath.assign(module.data(), length);
            break;
        }
        module.resize(module.size() * 2);
    }
    const std::string name = ImageBaseManager::GetFileNameFromPath(environment.applicationPath);
    const size_t dot = name.rfind('.');
    environment.applicationName = dot == std::string::npos ? name : name.substr(0, dot);
    return environment;
}

std::string MorvelPaths::VariantOf(const std::string& applicationName)
{
    const std::string lower = ToLower(applicationName);
    const size_t dot = lower.rfind('.');
    return dot == std::string::npos ? lower : lower.substr(dot + 1);
}

MorvelPaths::MorvelPaths(const MorvelEnvironment& environment)
{
    morvelIni_ = environment.windowsFolder + "\\Morvel.ini";
    programDir_ = ini::ReadString(morvelIni_, "Directories", "Exe");
    // Without the key Morvel looks beside its own file, as Skarpin does, rather than at the root of
    // the current drive.
    if (programDir_.empty())
        programDir_ = ImageBaseManager::GetFolderFromPath(environment.applicationPath);
    variant_ = VariantOf(environment.applicationName);
    programIni_ = programDir_ + "\\" + variant_ + ".ini";
    imageBaseIni_ = environment.windowsFolder + "\\imgbase." + variant_ + ".ini";
    if (!ImageBaseManager::OpensForReading(imageBaseIni_))
        imageBaseIni_ = programIni_;
}
