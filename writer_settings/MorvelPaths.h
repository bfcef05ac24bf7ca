// Where Morvel's configuration lies: the Windows folder's Morvel.ini, the program folder it names,
// the language variant of the program's name and the two ini files that follow from them.
#pragma once
#include "library/ProgramEnvironment.h"
#include <string>

// Where Morvel finds the Windows folder and the program itself.
using MorvelEnvironment = ProgramEnvironment;

// The paths every part of Morvel works out the same way, computed once from an environment.
struct MorvelPaths {
    explicit MorvelPaths(const MorvelEnvironment& environment);

    std::string morvelIni_;    // "%s\Morvel.ini" in the Windows folder
    std::string programDir_;   // [Directories] Exe of Morvel.ini, else the program file's own folder
    std::string variant_;      // the language variant of the program's name
    std::string programIni_;   // "%s\%s.ini": program folder, variant
    std::string imageBaseIni_; // "%s\imgbase.%s.ini" in the Windows folder when it exists, else the program ini
};
