// Where Morvel's configuration lies: the Windows folder's Morvel.ini, the program folder it names,
// the language variant of the program's name and the two ini files that follow from them.
#pragma once
#include <string>

// Where Morvel finds the Windows folder and the program itself. The program uses the machine's own;
// tests hand in a folder of their making.
struct MorvelEnvironment {
    std::string windowsFolder;
    std::string applicationName; // the program file's name without its extension ("Morvel.Swedish")
    std::string applicationPath; // the program file, whose version resource gives the file version

    static MorvelEnvironment OfThisProgram();
};

// The paths every part of Morvel works out the same way, computed once from an environment.
struct MorvelPaths {
    explicit MorvelPaths(const MorvelEnvironment& environment);

    // The application name in lower case, cut to the text after its last '.': "morvel.swedish" gives
    // "swedish", a name without '.' gives itself.
    static std::string VariantOf(const std::string& applicationName);

    std::string morvelIni_;    // "%s\Morvel.ini" in the Windows folder
    std::string programDir_;   // [Directories] Exe of Morvel.ini, else the program file's own folder
    std::string variant_;
    std::string programIni_;   // "%s\%s.ini": program folder, variant
    std::string imageBaseIni_; // "%s\imgbase.%s.ini" in the Windows folder when it exists, else the program ini
};
