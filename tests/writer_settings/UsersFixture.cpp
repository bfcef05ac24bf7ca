// The users fixture.
#include "UsersFixture.h"
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
    const int side = 32;
    const int rowBytes = side * 3;
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER info{};
    info.biSize = sizeof(info);
    info.biWidth = side;
    info.biHeight = side;
    info.biPlanes = 1;
    info.biBitCount = 24;
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(file) + sizeof(info);
    file.bfSize = file.bfOffBits + rowBytes * side;
    std::string bytes(reinterpret_cast<const char*>(&file), sizeof(file));
    bytes.append(reinterpret_cast<const char*>(&info), sizeof(info));
    for (int i = 0; i < side * side; ++i) {
        bytes += static_cast<char>(GetBValue(colour));
        bytes += static_cast<char>(GetGValue(colour));
        bytes += static_cast<char>(GetRValue(colour));
    }
    return config.Write("symboler\\" + fileName, bytes);
}
