// A throw-away Skarpin configuration: a Windows folder and a program folder under a temporary folder,
// with the two settings files, and a FileIO built on them.
#pragma once
#include "framework/Files.h"
#include "store/FileIO.h"
#include "support/TempFolder.h"
#include <memory>
#include <string>

class ConfigFixture {
public:
    // The Windows settings file names the program folder; no other file exists yet.
    ConfigFixture();

    std::string WindowsFolder() const { return temp_ / "windows"; }
    std::string ProgramFolder() const { return temp_ / "Program Files\\Skarpin"; }
    std::string WindowsSettingsFile() const { return WindowsFolder() + "\\skarpin.ini"; }
    std::string ProgramSettingsFile() const { return ProgramFolder() + "\\skarpin.ini"; }

    // Writes a file below the temporary folder, by its path relative to it.
    std::string Write(const std::string& relativePath, const std::string& content) const;
    void WriteWindowsSettings(const std::string& content) const;
    void WriteProgramSettings(const std::string& content) const;
    // A key as the program settings or Windows settings file holds it now; "<missing>" without it.
    static std::string Value(const std::string& file, const std::string& section, const std::string& key);

    // The real program's environment, with the fixture's Windows folder.
    FileIOEnvironment Environment() const;
    FileIO& Open();
    FileIO& Open(const FileIOEnvironment& environment);

    const testsupport::TempFolder& Temp() const { return temp_; }

private:
    testsupport::TempFolder temp_;
    std::unique_ptr<FileIO> fileIO_;
};

// Switches the C runtime to a Swedish locale, whose printf and atof use a decimal comma, for one test.
class SwedishLocale {
public:
    SwedishLocale();
    ~SwedishLocale();
    SwedishLocale(const SwedishLocale&) = delete;
    SwedishLocale& operator=(const SwedishLocale&) = delete;
    // What printf makes of 0.75 now: "0,8" when the switch took effect.
    static std::string PrintfDecimal();

private:
    std::string previous_;
};
