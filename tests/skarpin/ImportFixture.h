// The import tests' world: the export fixture's set "Set1" to export from, archives made of it by
// our export, the archives Python's zipfile made (import_tests.sh), and a look at what an import left.
#pragma once
#include "ExportFixture.h"
#include <string>
#include <vector>

class ImportFixture : public ExportFixture {
public:
    // Packs the chosen overlays of "Set1" (all when names is empty) with every media file they use,
    // as the export wizard does, into the zip file.
    void ExportArchive(const std::string& zipPath, const std::vector<std::string>& names = {});

    // A zip file beside the configuration.
    std::string ZipPath(const std::string& name) { return Config().Temp() / name; }

    // The blocks of an overlay in a set.
    void LoadPlaced(const std::string& setName, const std::string& overlayName, std::vector<Block>& keys,
                    std::vector<Block>& background);
    // The set's register as it stands.
    std::string Register(const std::string& setName);
};

// The folder of Python's archives as Wine sees it; empty when the program runs without the script.
std::string PythonArchives();
// A Python archive by name, in that folder.
std::string PythonArchive(const std::string& name);
#define SKIP_WITHOUT_PYTHON_ARCHIVES()                                                            \
    if (PythonArchives().empty())                                                                 \
    GTEST_SKIP() << "runs from import_tests.sh, which has Python's zipfile make the archives"

// The files below the folder, as relative names with '\' between folders, sorted.
std::vector<std::string> FilesBelow(const std::string& folder);
