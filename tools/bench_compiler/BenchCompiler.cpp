// Times the set compiler: a set of 100 overlays and the 27 standard overlays, each with 127 blocks
// (the most an overlay can hold in the image), compiled for the PS/2 model and for the AccessKvora
// model (whose long texts become text macros), and the macros written to zenthor.ini.
// Console program: bench_compiler.exe [rounds]
#include "tools/bench_common/BenchTiming.h"
#include "tools/set_image/CompileConfiguration.h"
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

const int kOverlaysInSet = 100;
const int kBlocks = 127;
const char* const kSet = "Prov";

void Report(const char* what, const bench::Figures& figures)
{
    std::printf("  %-46s %8.1f ms  (least %.1f)\n", what, figures.median, figures.least);
}

// The sample folder as the Windows program sees it: the Unix root is drive Z.
std::string SampleFolder(const std::string& relative)
{
    std::string path = std::string("Z:") + SAMPLE_FOLDER + "/" + relative;
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

// One-cell blocks on cells 0-126 with the commands overlays hold: texts long and short, keys,
// pauses, program starts, content strings and infrared codes; a quarter with a picture code.
std::vector<Block> MakeBlocks()
{
    std::vector<Block> blocks;
    for (int i = 0; i < kBlocks; ++i) {
        Block block;
        block.id_ = i + 1;
        block.cells_ = {RECT{i % 16, i / 16, i % 16, i / 16}};
        switch (i % 6) {
        case 0: block.command_ = "<Paus0.5>ord " + std::to_string(i) + ", och mer<Return>"; break;
        case 1: block.command_ = "Hej på dig"; break;
        case 2: block.command_ = "<Ctrl+Alt+Delete>"; break;
        case 3: block.command_ = "<Win+r>C:\\Program Files\\Ord\\ord.exe brev.txt<Paus0.5><Return>"; break;
        case 4: block.command_ = "@A" + std::to_string(100 + i) + "@"; break;
        default: block.command_ = "<IR3><Paus1.0><IR4>"; break;
        }
        block.text_ = "Knapp " + std::to_string(i);
        if (i % 4 == 1)
            block.pictureCode_ = "A" + std::to_string(100 + i);
        blocks.push_back(block);
    }
    return blocks;
}

bool SaveSet(FileIO& io, const std::string& set, int first, int count, const std::vector<Block>& blocks)
{
    const std::string folder = io.setFolder_ + "\\" + set;
    ::CreateDirectoryA(folder.c_str(), nullptr);
    sample::WriteText(folder + "\\register.txt", "[KeyboardSettings]\r\nFlashSignal=1\r\n[Overlays]\r\n");
    for (int n = first; n < first + count; ++n) {
        std::string name = "Överlägg " + std::to_string(n);
        if (io.SaveOverlay(name, n, set, blocks, {}, KeyboardSettings()) != FileIO::kSaved)
            return false;
        bench::DateBack(io.OverlayPath(set, name));
    }
    bench::DateBack(folder + "\\register.txt");
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;
    char tempBase[MAX_PATH] = "";
    ::GetTempPathA(MAX_PATH, tempBase);
    const std::string sets = std::string(tempBase) + "bench_compiler_sets";
    ImageBaseManager::DeleteTree(sets);
    ::CreateDirectoryA(sets.c_str(), nullptr);
    std::unique_ptr<FileIO> io = sample::CompileConfiguration("bench_compiler", SampleFolder("skarpin"), sets);
    if (!io) {
        std::printf("bench_compiler: the sample settings were not found\n");
        return 1;
    }
    io->defaultStartString_ = "<Win+r>";
    // The Zenthor program's start key '1', and two infrared codes.
    const std::string windows = std::string(tempBase) + "bench_compiler";
    sample::WriteText(windows + "\\zenthor.ini", "[StartSequence]\r\nVK_KEY_1=49\r\n");
    ::CreateDirectoryA((io->programFolder_ + "\\Zenthor").c_str(), nullptr);
    sample::WriteText(io->programFolder_ + "\\Zenthor\\ir_data.kvx", "3;I5;254;Lampa;;\r\n4;G2;6;Radio;16;\r\n");

    const std::vector<Block> blocks = MakeBlocks();
    if (!SaveSet(*io, kSet, 1, kOverlaysInSet, blocks) || !SaveSet(*io, io->standardOverlaySetName_, 101, 27, blocks)) {
        std::printf("bench_compiler: the set could not be saved\n");
        return 1;
    }

    std::printf("Set compiler, %d rounds (100 overlays and 27 standard overlays of %d blocks each):\n", rounds, kBlocks);
    SetImage image;
    SetCompileResult result;
    Report("compile for the PS/2 model", bench::Time(rounds, [&] { result = io->CompileSet(kSet, image, FileIO::kModelPS2); }));
    std::printf("  %-46s %8u bytes%s\n", "image", static_cast<unsigned>(image.Bytes().size()),
                result.Compiled() ? "" : " (NOT COMPILED)");
    Report("compile for the AccessKvora model", bench::Time(rounds, [&] {
               result = io->CompileSet(kSet, image, FileIO::kModelAccessKvora);
           }));
    const size_t macros = io->pendingMacros_.size();
    std::printf("  %-46s %8u bytes, %u zenthor.ini entries%s\n", "image", static_cast<unsigned>(image.Bytes().size()),
                static_cast<unsigned>(macros), io->zenthorFlag_ ? "" : " (ZENTHOR OFF)");
    Report("write the text macros to zenthor.ini", bench::Time(1, [&] { io->WriteTextMacros(); }));
    io.reset();
    ImageBaseManager::DeleteTree(sets);
    return 0;
}
