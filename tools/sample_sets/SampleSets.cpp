// Writes three sets of the run command's sample configuration beside the set "Exempel" with FileIO's
// own overlay writer: "Arkiv" (which the install script makes read-only), the templates set "Mallar"
// and the standard-overlay set "Standardöverlägg".
// Console program: sample_sets.exe <sets folder>
#include "library/ImageBaseManager.h"
#include "store/FileIO.h"
#include "tools/sample_common/SampleConfiguration.h"
#include <windows.h>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

// The register of a new set: default keyboard settings and an empty overlay list.
std::string NewRegister()
{
    return "[KeyboardSettings]\r\nFlashSignal=1\r\nBeepSignal=1\r\nFrequency=0.7\r\nRepeatDelay=1.0\r\n"
           "SignalDelay=0.0\r\nBounceLock=0.0\r\nMouseKeyTopSpeed=20\r\nMouseKeyAcceleration=100\r\n"
           "MouseCursorStep=1\r\n[Overlays]\r\n";
}

// A row of keys of 2 x 2 cells, one per word, each typing its word.
std::vector<Block> WordKeys(const std::vector<std::string>& words, COLORREF background)
{
    std::vector<Block> keys;
    for (size_t i = 0; i < words.size(); ++i) {
        Block block;
        block.id_ = static_cast<int>(i) + 1;
        const int left = static_cast<int>(i) * 3;
        block.cells_ = {RECT{left, 1, left + 1, 2}};
        block.text_ = words[i];
        block.command_ = words[i];
        block.backColor_ = background;
        block.frameWidth_ = 1;
        keys.push_back(block);
    }
    return keys;
}

struct SampleOverlay {
    const char* set;
    const char* name;
    int number;
    std::vector<std::string> words;
    COLORREF background;
    int sendType;
};

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::printf("usage: sample_sets.exe <sets folder>\n");
        return 2;
    }
    const std::string setsFolder = argv[1];
    const FileIOEnvironment environment = sample::TemporaryConfiguration("sample_sets");

    const std::vector<SampleOverlay> overlays = {
        {"Arkiv", "Veckodagar", 1, {"måndag", "tisdag", "onsdag", "torsdag", "fredag"}, RGB(255, 236, 150), 0},
        {"Arkiv", "Bilspel", 4, {"vänster", "gas", "höger"}, RGB(205, 228, 250), 1},
        {"Mallar", "Fem rutor", 0, {"", "", "", "", ""}, RGB(250, 246, 228), 0},
        {"Mallar", "Ja och nej", 0, {"ja", "nej"}, RGB(214, 240, 200), 0},
        {"Standardöverlägg", "Siffror", 101, {"1", "2", "3", "4", "5"}, RGB(232, 232, 232), 0},
    };
    int failures = 0;
    {
        FileIO io(environment);
        io.setFolder_ = setsFolder;
        for (const char* set : {"Arkiv", "Mallar", "Standardöverlägg"}) {
            const std::string folder = setsFolder + "\\" + set;
            ImageBaseManager::DeleteTree(folder);
            ::CreateDirectoryA(folder.c_str(), nullptr);
            if (!sample::WriteText(folder + "\\register.txt", NewRegister()))
                ++failures;
        }
        for (const SampleOverlay& overlay : overlays) {
            std::vector<Block> keys = WordKeys(overlay.words, overlay.background);
            std::vector<Block> background;
            KeyboardSettings settings;
            settings.sendType_ = overlay.sendType;
            std::string name = overlay.name;
            if (io.SaveOverlay(name, overlay.number, overlay.set, keys, background, settings) != FileIO::kSaved)
                ++failures;
        }
    }
    ImageBaseManager::DeleteTree(environment.windowsFolder);
    std::printf("%s\n", failures ? "failed" : "written");
    return failures ? 1 : 0;
}
