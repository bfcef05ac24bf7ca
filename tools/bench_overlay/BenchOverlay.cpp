// Times overlay files as the editor and the set compiler use them: saving and loading an overlay of
// 128 blocks (a quarter with picture codes of an image base, a quarter with picture files), and
// saving and loading a set of 100 such overlays. Loading runs through our ini reader and then
// through the platform's ini calls.
// Console program: bench_overlay.exe [rounds]
#include "library/IniFileCache.h"
#include "store/FileIO.h"
#include "tools/bench_common/BenchTiming.h"
#include <windows.h>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

namespace {

using bench::Figures;
using bench::Now;
using bench::DateBack;
using bench::Time;

const int kPictures = 40;
const int kOverlaysInSet = 100;
const char* const kSet = "Prov";

void Report(const char* what, const Figures& figures)
{
    std::printf("  %-54s %8.1f ms  (least %.1f)\n", what, figures.median, figures.least);
}

void WriteText(const std::string& path, const std::string& text)
{
    std::ofstream out(path, std::ios::binary);
    out << text;
}

// A bitmap base of 40 pictures in two categories under key A.
void WriteImageBase(const std::string& root, const std::string& windows)
{
    const std::string folder = root + "\\bas";
    ::CreateDirectoryA(folder.c_str(), nullptr);
    std::string index = "[ProgDir]\r\nDir=" + folder + "\\bilder\r\nExtension=bmp\r\n[Grupper]\r\nAntal=2\r\n1=Natur\r\n2=Saker\r\n";
    for (int category = 1; category <= 2; ++category) {
        index += std::string(category == 1 ? "[Natur]" : "[Saker]") + "\r\nAntal=" + std::to_string(kPictures / 2)
                 + "\r\nKod=" + std::to_string(category) + "\r\n";
        for (int i = 1; i <= kPictures / 2; ++i) {
            const std::string code = std::to_string(category * 100 + i);
            index += code + "=ord" + code + ",bild" + code + "\r\n";
        }
    }
    WriteText(folder + "\\bas.ini", index);
    WriteText(windows + "\\imgbase.skarpin.ini", "[ImageBases]\r\nDefault=A\r\nA=" + folder + "\\bas.ini,Prov,1,2,0\r\n");
    DateBack(folder + "\\bas.ini");
    DateBack(windows + "\\imgbase.skarpin.ini");
}

std::vector<Block> MakeBlocks(const std::string& root)
{
    std::vector<Block> blocks;
    for (int i = 0; i < Block::kCellCount; ++i) {
        Block block;
        block.id_ = i + 1;
        block.cells_ = {RECT{i % 16, i / 16, i % 16, i / 16}};
        block.command_ = "<Paus0.5>ord " + std::to_string(i) + ", och mer<Return>";
        block.text_ = "Knapp " + std::to_string(i) + "\r\nrad två";
        block.backColor_ = RGB(i, 255 - i, 128);
        block.frameWidth_ = i % 3;
        if (i % 4 == 1) {
            const int picture = i % kPictures;
            block.pictureCode_ = "A" + std::to_string((picture < kPictures / 2 ? 100 : 180) + picture + 1);
        } else if (i % 4 == 2) {
            block.picturePath_ = root + "\\mina bilder\\foto" + std::to_string(i) + ".jpg";
        }
        if (i % 8 == 3) {
            block.fontName_ = "Arial";
            block.ownFont_ = 1;
            block.fontSize_ = 16;
        }
        blocks.push_back(block);
    }
    return blocks;
}

} // namespace

int main(int argc, char** argv)
{
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;
    char tempBase[MAX_PATH] = "";
    ::GetTempPathA(MAX_PATH, tempBase);
    const std::string root = std::string(tempBase) + "bench_overlay";
    ImageBaseManager::DeleteTree(root);
    const std::string windows = root + "\\windows";
    const std::string program = root + "\\program";
    std::string made = windows;
    ImageBaseManager::CreatePath(made);
    made = program;
    ImageBaseManager::CreatePath(made);
    WriteText(windows + "\\skarpin.ini", "[Directories]\r\nExe=" + program + "\r\n");
    WriteImageBase(root, windows);

    FileIOEnvironment environment = FileIOEnvironment::OfThisProgram();
    environment.windowsFolder = windows;
    environment.applicationName = "Skarpin";
    {
        FileIO io(environment);
        const std::string set = io.setFolder_ + "\\" + kSet;
        ::CreateDirectoryA(set.c_str(), nullptr);
        WriteText(set + "\\register.txt", "[KeyboardSettings]\r\nFlashSignal=1\r\n[Overlays]\r\n");
        const std::vector<Block> keys = MakeBlocks(root);
        const std::vector<Block> background(keys.begin(), keys.begin() + 16);
        const KeyboardSettings settings;
        std::vector<Block> readKeys, readBackground;
        KeyboardSettings readSettings;

        std::printf("Overlay files, %d rounds (128 key blocks and 16 background blocks an overlay):\n", rounds);
        Report("save one overlay", Time(rounds, [&] {
                   std::string name = "Ett";
                   io.SaveOverlay(name, 1, kSet, keys, background, settings);
               }));
        const std::string one = io.OverlayPath(kSet, "Ett");
        DateBack(one);
        auto loadOne = [&] { io.LoadOverlay(one, readKeys, readBackground, readSettings); };
        Report("load one overlay", Time(rounds, loadOne));
        {
            ini::PlatformReads through;
            Report("load one overlay, the platform's ini calls", Time(rounds, loadOne));
        }
        if (readKeys.size() != keys.size() || readKeys[1].picturePath_.find("bild") == std::string::npos)
            std::printf("  (the overlay did not read back whole)\n");

        const int setRounds = std::max(1, rounds / 5);
        Report("save a set of 100 overlays", Time(setRounds, [&] {
                   for (int n = 1; n <= kOverlaysInSet; ++n) {
                       std::string name = "Överlägg " + std::to_string(n);
                       io.SaveOverlay(name, n, kSet, keys, background, settings);
                   }
               }));
        for (int n = 1; n <= kOverlaysInSet; ++n)
            DateBack(io.OverlayPath(kSet, "Överlägg " + std::to_string(n)));
        auto loadSet = [&] {
            for (int n = 1; n <= kOverlaysInSet; ++n)
                io.LoadOverlay(io.OverlayPath(kSet, "Överlägg " + std::to_string(n)), readKeys, readBackground,
                               readSettings);
        };
        Report("load a set of 100 overlays", Time(setRounds, loadSet));
        {
            ini::PlatformReads through;
            Report("load a set of 100 overlays, the platform's ini calls", Time(setRounds, loadSet));
        }
    }
    ImageBaseManager::DeleteTree(root);
    return 0;
}
