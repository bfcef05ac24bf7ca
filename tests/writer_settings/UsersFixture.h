// A Morvel configuration with a users folder of its own, for the users dialog, the settings sheet
// and the shortcut tests: program ini "swedish.ini" naming "<temp>\användare" as the users folder.
#pragma once
#include "MorvelConfig.h"
#include "writer_settings/Settings.h"
#include <windows.h>
#include <initializer_list>
#include <string>

class UsersFixture {
public:
    UsersFixture();

    std::string UsersDir() const { return config.Temp() / "användare"; }
    std::string UserFile(const std::string& name) const { return UsersDir() + "\\" + name + ".ini"; }
    // A user's settings file with these [MVSettings] lines.
    std::string WriteUser(const std::string& name, std::initializer_list<std::string> settingsLines) const;
    // The main window's settings: this configuration, the user of that file (empty: "<Standard>") read.
    Settings MainSettings(const std::string& userFile = std::string()) const;
    // A 24-bit picture of one colour, 32 x 32, in the symbols folder "<temp>\symboler".
    std::string WriteSymbol(const std::string& fileName, COLORREF colour) const;

    MorvelConfig config;
};
