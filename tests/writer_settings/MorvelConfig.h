// A throw-away Morvel configuration: a Windows folder whose Morvel.ini names a program folder, for a
// program file named "Morvel.Swedish" (variant "swedish", program ini "swedish.ini") unless another
// name is given ("Morvel": variant "morvel", program ini "morvel.ini").
#pragma once
#include "framework/Files.h"
#include "support/TempFolder.h"
#include "writer_settings/MorvelPaths.h"
#include <string>

class MorvelConfig {
public:
    explicit MorvelConfig(const std::string& applicationName = "Morvel.Swedish");

    std::string WindowsFolder() const { return temp_ / "windows"; }
    std::string ProgramFolder() const { return temp_ / "Program Files\\Morvel"; }
    std::string MorvelIni() const { return WindowsFolder() + "\\Morvel.ini"; }
    std::string ProgramIni() const { return ProgramFolder() + "\\" + variant_ + ".ini"; }

    // The program as it would run from the program folder; applicationPath is this test program, so
    // its version resource and date can be read.
    MorvelEnvironment Environment() const;

    // An image base "Djur" under key A (pictures 12 "hund" and 13 "katt" in "bas") registered in
    // the Windows folder's imgbase.swedish.ini, whose path it returns.
    std::string WriteImageBase() const;

    // Writes a file below the temporary folder, by its path relative to it.
    std::string Write(const std::string& relativePath, const std::string& content) const;
    // A key as the file holds it now; "<missing>" without it.
    static std::string Value(const std::string& file, const std::string& section, const std::string& key);

    const testsupport::TempFolder& Temp() const { return temp_; }

private:
    testsupport::TempFolder temp_;
    std::string applicationName_;
    std::string variant_;
};
