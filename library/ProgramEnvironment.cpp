// The running program's environment.
#include "library/ProgramEnvironment.h"
#include "library/Cp1252.h"
#include "library/ImageBaseManager.h"
#include "library/ProgramVersion.h"
#include <windows.h>

ProgramEnvironment ProgramEnvironment::OfThisProgram()
{
    ProgramEnvironment environment;
    char buffer[MAX_PATH] = "";
    ::GetWindowsDirectoryA(buffer, MAX_PATH);
    environment.windowsFolder = buffer;
    environment.applicationPath = RunningProgramFile();
    // The program's name is its file's name without the extension, as the system shows it.
    environment.applicationName = ImageBaseManager::GetFileTitleFromPath(environment.applicationPath);
    return environment;
}

std::string ProgramEnvironment::Variant() const
{
    const std::string lower = cp1252::Lower(applicationName);
    const size_t dot = lower.rfind('.');
    return dot == std::string::npos ? lower : lower.substr(dot + 1);
}
