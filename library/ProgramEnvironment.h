// Where a program finds the Windows folder and its own file, and the language variant its name
// gives: Skarpin's and Morvel's start-up configuration both begin here.
#pragma once
#include <string>

// The running program uses the machine's own; tests hand in folders of their making.
struct ProgramEnvironment {
    std::string windowsFolder;
    std::string applicationName; // the program file's name without its extension ("Morvel.Swedish")
    std::string applicationPath; // the program file, whose version resource gives the file version

    static ProgramEnvironment OfThisProgram();

    // The application name in lower case, cut to the text after its last '.': "Morvel.Swedish" gives
    // "swedish", a name without '.' gives itself.
    std::string Variant() const;
};
