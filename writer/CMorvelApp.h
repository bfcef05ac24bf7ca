// Morvel's start: one running copy at a time, where the configuration lives, COM and the common
// controls, and the main window run modally until the program ends.
#pragma once
#include "writer_settings/MorvelPaths.h"
#include <windows.h>
#include <string>

class CMorvelApp {
public:
    CMorvelApp();
    explicit CMorvelApp(const MorvelEnvironment& environment);

    // false when a Morvel is running already: it has been brought to the front and this start ends.
    bool InitApplication();
    // Runs the main window with the command line to its end; false: the program ends.
    bool InitInstance(const std::string& commandLine);
    // Help requests do nothing in this program.
    void WinHelp() {}

    // Morvel's main window, whatever its caption says (the helper menu adds the user's name), or null.
    static HWND FindRunningInstance();
    // The text after the program's own name on the command line, as the system hands it over; a
    // path quoted whole loses its quotes.
    static std::string CommandLineArgument(const char* commandLine);

    const std::string& MorvelIni() const { return paths_.morvelIni_; }
    const std::string& ProgramIni() const { return paths_.programIni_; }
    const std::string& Variant() const { return paths_.variant_; }

private:
    MorvelEnvironment environment_;
    MorvelPaths paths_;
};
