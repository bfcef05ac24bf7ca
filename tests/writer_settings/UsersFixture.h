// A Morvel configuration with a users folder of its own, for the users dialog, the settings sheet
// and the shortcut tests: program ini "swedish.ini" naming "<temp>\användare" as the users folder.
// Or, as Morvel is often installed, a program ini "morvel.ini" that names none, so that the users
// folder is the program folder and the program ini lies among the users' files.
#pragma once
#include "MorvelConfig.h"
#include "writer_settings/Settings.h"
#include <windows.h>
#include <initializer_list>
#include <string>

class UsersFixture {
public:
    enum class UsersFolder { OwnFolder, ProgramFolder };
    explicit UsersFixture(UsersFolder usersFolder = UsersFolder::OwnFolder);

    std::string UsersDir() const { return config.Temp() / usersFolder_; }
    std::string UserFile(const std::string& name) const { return UsersDir() + "\\" + name + ".ini"; }
    // A user's settings file with these [MVSettings] lines.
    std::string WriteUser(const std::string& name, std::initializer_list<std::string> settingsLines) const;
    // The main window's settings: this configuration, the user of that file (empty: "<Standard>") read.
    Settings MainSettings(const std::string& userFile = std::string()) const;
    // A 24-bit picture of one colour, 32 x 32, in the symbols folder "<temp>\symboler".
    std::string WriteSymbol(const std::string& fileName, COLORREF colour) const;

    MorvelConfig config;

private:
    std::string usersFolder_; // below the temporary folder
};
