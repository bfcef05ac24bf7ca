// Times the image-base store on a base of 12,000 pictures in 40 categories: the word search as
// Morvel's word bar runs it, and picture-code resolution as the content object and the editors run it.
// Console program: bench_imagebase.exe [rounds]
#include "library/ImageBaseManager.h"
#include "library/KvoraObject.h"
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

const int kCategories = 40;
const int kPicturesPerCategory = 300;

// Words made of Swedish syllables, the same every run; every 97th picture is a dog.
std::string Word(unsigned& seed, int index)
{
    static const char* syllables[] = {"ka", "ro", "sol", "hus", "bå", "tä", "mö", "li", "ne", "ber",
                                      "gå", "sk", "ull", "fa", "pi", "vä", "ör", "ist", "an", "el"};
    if (index % 97 == 0)
        return index % 2 ? "Hund" : "hund";
    std::string word;
    int count = 2 + static_cast<int>(seed % 2);
    for (int i = 0; i < count; ++i) {
        seed = seed * 1103515245u + 12345u;
        word += syllables[(seed >> 16) % 20];
    }
    return word;
}

std::string Code(int category, int picture)
{
    char code[16];
    std::snprintf(code, sizeof(code), "%d%03d", category, picture);
    return code;
}

void WriteBase(const std::string& folder, std::string& settings)
{
    ::CreateDirectoryA(folder.c_str(), nullptr);
    std::string index = folder + "\\stor.ini";
    std::ofstream out(index, std::ios::binary);
    out << "[ProgDir]\r\nDir=" << folder << "\\bilder\r\nSoundDir=" << folder << "\\ljud\r\nExtension=bmp\r\n";
    out << "[Grupper]\r\nAntal=" << kCategories << "\r\n";
    for (int k = 1; k <= kCategories; ++k)
        out << k << "=Kategori " << k << "\r\n";
    unsigned seed = 7;
    int made = 0;
    for (int k = 1; k <= kCategories; ++k) {
        out << "[Kategori " << k << "]\r\nAntal=" << kPicturesPerCategory << "\r\nKod=" << k << "\r\n";
        for (int j = 1; j <= kPicturesPerCategory; ++j) {
            out << Code(k, j) << "=" << Word(seed, ++made);
            if (j % 3 == 0)
                out << ",fil" << Code(k, j);
            out << "\r\n";
        }
    }
    out.close();

    settings = folder + "\\imgbase.bench.ini";
    std::ofstream list(settings, std::ios::binary);
    list << "[ImageBases]\r\nDefault=A\r\nA=" << index << ",Stor bas,0,2,0\r\n";
    list.close();
    DateBack(index);
    DateBack(settings);
}

void RemoveFolder(const std::string& folder)
{
    ::DeleteFileA((folder + "\\stor.ini").c_str());
    ::DeleteFileA((folder + "\\imgbase.bench.ini").c_str());
    ::RemoveDirectoryA(folder.c_str());
}

} // namespace

int main(int argc, char** argv)
{
    int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 9;
    char temp[MAX_PATH] = "";
    ::GetTempPathA(MAX_PATH, temp);
    std::string folder = std::string(temp) + "bench_imagebase_" + std::to_string(::GetCurrentProcessId());
    std::string settings;
    WriteBase(folder, settings);
    std::printf("Base: %d pictures in %d categories; %d rounds each, times in ms (min / median)\n",
                kCategories * kPicturesPerCategory, kCategories, rounds);

    ImageBaseManager manager;
    Figures load = Time(rounds, [&] { manager.LoadBases(settings, 1); });
    std::printf("%-44s %8.2f / %8.2f\n", "LoadBases", load.least, load.median);

    // The two halves of a search: the category list through the ini interface, the lines read whole.
    Figures base = Time(rounds, [&] { manager.LoadBase(0); });
    std::printf("%-44s %8.2f / %8.2f\n", "LoadBase (40 categories)", base.least, base.median);
    Figures pictures = Time(rounds, [&] { manager.LoadPictures(0, -1); });
    std::printf("%-44s %8.2f / %8.2f\n", "LoadPictures (all 12000)", pictures.least, pictures.median);
    struct Search {
        const char* label;
        const char* word;
        int exact;
    };
    const Search searches[] = {
        {"one letter \"a\"", "a", 0},
        {"three letters \"hun\"", "hun", 0},
        {"whole word \"hund\"", "hund", 0},
        {"whole word \"hund\", exact", "hund", 1},
    };
    for (const Search& search : searches) {
        std::vector<Image> found;
        Figures figures = Time(rounds, [&] {
            std::string word = search.word;
            manager.FindImagesByText(word, found, search.exact);
        });
        std::printf("FindImagesByText %-27s %8.2f / %8.2f  (%u hits)\n", search.label, figures.least, figures.median,
                    static_cast<unsigned>(found.size()));
    }

    std::vector<std::string> codes;
    for (int i = 0; i < 1000; ++i)
        codes.push_back("A" + Code(1 + (i * 7) % kCategories, 1 + (i * 13) % kPicturesPerCategory));
    int resolved = 0;
    auto resolveAll = [&](bool keepBases) {
        resolved = 0;
        ImageBaseManager shared;
        if (keepBases)
            shared.LoadBases(settings, 1);
        for (const std::string& code : codes) {
            std::string picture, text, sound;
            ImageBaseOptions options;
            int metafile = 0;
            if (keepBases) {
                resolved += shared.ResolveCode(code, picture, text, options, &sound, settings, &metafile, 1);
            } else {
                ImageBaseManager fresh; // as the content object does for every code
                resolved += fresh.ResolveCode(code, picture, text, options, &sound, settings, &metafile, 0);
            }
        }
    };
    int resolveRounds = std::max(1, rounds / 3);
    Figures fresh = Time(resolveRounds, [&] { resolveAll(false); });
    std::printf("%-44s %8.2f / %8.2f  (%d resolved)\n", "ResolveCode 1000 codes, fresh manager each", fresh.least,
                fresh.median, resolved);
    Figures kept = Time(resolveRounds, [&] { resolveAll(true); });
    std::printf("%-44s %8.2f / %8.2f  (%d resolved)\n", "ResolveCode 1000 codes, bases kept", kept.least,
                kept.median, resolved);

    // Content strings as the keyboard types them into Morvel: half name a picture code, which the
    // content object resolves in a fresh store each time; the rest name files or hold only texts.
    int parses = argc > 2 ? std::max(1, std::atoi(argv[2])) : 10000;
    std::vector<std::string> strings;
    for (int i = 0; i < parses; ++i) {
        std::string code = codes[static_cast<size_t>(i) % codes.size()];
        switch (i % 4) {
        case 0: strings.push_back("@" + code + "@"); break;
        case 1: strings.push_back("@" + code + "+'min hund'+\"en hund\"@"); break;
        case 2: strings.push_back("@c:\\bilder\\sol.bmp+c:\\ljud\\sol.wav@"); break;
        default: strings.push_back("@'hej'+\"hall\xE5 d\xE4r\"@"); break;
        }
    }
    int parsed = 0;
    double start = Now();
    for (const std::string& text : strings) {
        CKvoraObject object;
        parsed += object.ParseContent(text, settings) && !object.BuildContent().empty();
    }
    double total = Now() - start;
    std::printf("%-44s %8.2f ms in all, %.3f ms each  (%d parsed)\n", "ParseContent + BuildContent", total,
                total / parses, parsed);

    RemoveFolder(folder);
    return 0;
}
