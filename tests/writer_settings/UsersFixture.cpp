// The users fixture.
#include "UsersFixture.h"
#include "support/BmpFile.h"
#include <windows.h>

UsersFixture::UsersFixture(UsersFolder usersFolder)
    : config(usersFolder == UsersFolder::OwnFolder ? "Morvel.Swedish" : "Morvel"),
      usersFolder_(usersFolder == UsersFolder::OwnFolder ? "användare" : "Program Files\\Morvel")
{
    const std::string users = usersFolder == UsersFolder::OwnFolder ? "Users=" + UsersDir() + "\r\n" : "";
    config.Write("Program Files\\Morvel\\" + config.ProgramIni().substr(config.ProgramFolder().size() + 1),
                 "[Directories]\r\n" + users + "Symbols=" + config.Temp() / "symboler" + "\r\n");
    ::CreateDirectoryA(UsersDir().c_str(), nullptr);
}

std::string UsersFixture::WriteUser(const std::string& name, std::initializer_list<std::string> settingsLines) const
{
    std::string text = "[MVSettings]\r\n";
    for (const std::string& line : settingsLines)
        text += line + "\r\n";
    return config.Write(usersFolder_ + "\\" + name + ".ini", text);
}

Settings UsersFixture::MainSettings(const std::string& userFile) const
{
    Settings settings(config.Environment());
    settings.userFile_ = userFile;
    settings.ReadUserSettings();
    return settings;
}

std::string UsersFixture::WriteSymbol(const std::string& fileName, COLORREF colour) const
{
    const std::string bytes = testsupport::BmpFile(32, 32, [colour](int, int) { return colour; });
    return config.Write("symboler\\" + fileName, bytes);
}
