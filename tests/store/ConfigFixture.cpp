// The throw-away configuration for FileIO's tests.
#include "ConfigFixture.h"
#include <windows.h>
#include <clocale>
#include <cstdio>
#include <vector>

ConfigFixture::ConfigFixture()
{
    WriteWindowsSettings("[Directories]\r\nExe=" + ProgramFolder() + "\r\n");
    ::CreateDirectoryA(ProgramFolder().c_str(), nullptr);
}

std::string ConfigFixture::Write(const std::string& relativePath, const std::string& content) const
{
    return temp_.Write(relativePath, content);
}

void ConfigFixture::WriteWindowsSettings(const std::string& content) const
{
    temp_.Write("windows\\skarpin.ini", content);
}

void ConfigFixture::WriteProgramSettings(const std::string& content) const
{
    temp_.Write("Program Files\\Skarpin\\skarpin.ini", content);
}

std::string ConfigFixture::Value(const std::string& file, const std::string& section, const std::string& key)
{
    std::vector<char> buffer(4096);
    ::GetPrivateProfileStringA(section.c_str(), key.c_str(), "<missing>", buffer.data(),
                               static_cast<DWORD>(buffer.size()), file.c_str());
    return buffer.data();
}

FileIOEnvironment ConfigFixture::Environment() const
{
    FileIOEnvironment environment = FileIOEnvironment::OfThisProgram();
    environment.windowsFolder = WindowsFolder();
    environment.applicationName = "Skarpin";
    return environment;
}

FileIO& ConfigFixture::Open()
{
    return Open(Environment());
}

FileIO& ConfigFixture::Open(const FileIOEnvironment& environment)
{
    fileIO_.reset();
    fileIO_ = std::make_unique<FileIO>(environment);
    return *fileIO_;
}

SwedishLocale::SwedishLocale() : previous_(std::setlocale(LC_ALL, nullptr))
{
    std::setlocale(LC_ALL, "Swedish_Sweden.1252");
}

SwedishLocale::~SwedishLocale()
{
    std::setlocale(LC_ALL, previous_.c_str());
}

std::string SwedishLocale::PrintfDecimal()
{
    char text[16];
    std::snprintf(text, sizeof(text), "%1.1f", 0.75);
    return text;
}
