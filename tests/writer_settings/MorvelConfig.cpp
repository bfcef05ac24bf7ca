// The throw-away configuration of Morvel's store tests.
#include "MorvelConfig.h"
#include <windows.h>
#include <vector>

MorvelConfig::MorvelConfig(const std::string& applicationName)
    : applicationName_(applicationName), variant_(applicationName.substr(applicationName.rfind('.') + 1))
{
    ::CharLowerBuffA(&variant_[0], static_cast<DWORD>(variant_.size()));
    temp_.Write("windows\\Morvel.ini", "[Directories]\r\nExe=" + ProgramFolder() + "\r\n");
    ::CreateDirectoryA((temp_ / "Program Files").c_str(), nullptr);
    ::CreateDirectoryA(ProgramFolder().c_str(), nullptr);
}

MorvelEnvironment MorvelConfig::Environment() const
{
    MorvelEnvironment environment = MorvelEnvironment::OfThisProgram();
    environment.windowsFolder = WindowsFolder();
    environment.applicationName = applicationName_;
    return environment;
}

std::string MorvelConfig::WriteImageBase() const
{
    const std::string base = Write("bas\\djur.ini", "[ProgDir]\r\nDir=" + temp_ / "bas"
                                                      + "\r\nExtension=bmp\r\n[Bilder]\r\n12=hund\r\n13=katt\r\n");
    return Write("windows\\imgbase.swedish.ini", "[ImageBases]\r\nA=" + base + ",Djur,1,4,0\r\n");
}

std::string MorvelConfig::Write(const std::string& relativePath, const std::string& content) const
{
    return temp_.Write(relativePath, content);
}

std::string MorvelConfig::Value(const std::string& file, const std::string& section, const std::string& key)
{
    std::vector<char> buffer(4096);
    ::GetPrivateProfileStringA(section.c_str(), key.c_str(), "<missing>", buffer.data(),
                               static_cast<DWORD>(buffer.size()), file.c_str());
    return buffer.data();
}

