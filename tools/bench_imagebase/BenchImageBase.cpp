// Times the image-base store on a base of 12,000 pictures in 40 categories: the word search as
// Morvel's word bar runs it, and picture-code resolution as the content object and the editors run it.
// Each piece of work runs through our ini reader and then through the platform's ini calls.
// Console program: bench_imagebase.exe [rounds] [content strings]
#include "library/ImageBaseManager.h"
#include "library/IniFileCache.h"
#include "library/KvoraObject.h"
#include "tools/bench_common/BenchTiming.h"
#include "tools/bench_common/BenchWords.h"
#include <windows.h>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

namespace {

using bench::Figures;
using bench::Now;
using bench::Word;
using bench::DateBack;
using bench::Time;

const int kCategories = 40;
const int kPicturesPerCategory = 300;

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
    DateBack(folder);
}

void RemoveFolder(const std::string& folder)
{
    ::DeleteFileA((folder + "\\stor.ini").c_str());
    ::DeleteFileA((folder + "\\imgbase.bench.ini").c_str());
    ::RemoveDirectoryA(folder.c_str());
}

// One piece of work timed through our reader and then through the platform's ini calls: each line
// gives the time of one unit (a code, a search, a string) as least / median of the rounds.
struct Comparison {
    const char* unit;
    double scale; // units per run of the work: the figures are divided by it
    int rounds;
    int platformRounds;
};

void Compare(const char* label, const Comparison& how, const std::function<void()>& work,
             const std::function<void()>& platformWork)
{
    Figures ours = Time(how.rounds, work);
    Figures platform;
    {
        ini::PlatformReads through;
        platform = Time(how.platformRounds, platformWork);
    }
    std::printf("%-46s %9.3f / %9.3f %s  %10.3f / %10.3f %s  x%.0f\n", label, ours.least / how.scale,
                ours.median / how.scale, how.unit, platform.least / how.scale, platform.median / how.scale, how.unit,
                platform.median / ours.median);
}

} // namespace

int main(int argc, char** argv)
{
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 9;
    const int parses = argc > 2 ? std::max(1, std::atoi(argv[2])) : 10000;
    char temp[MAX_PATH] = "";
    ::GetTempPathA(MAX_PATH, temp);
    std::string folder = std::string(temp) + "bench_imagebase_" + std::to_string(::GetCurrentProcessId());
    std::string settings;
    WriteBase(folder, settings);
    std::printf("Base: %d pictures in %d categories; %d rounds each (the platform's fewer), least / median\n",
                kCategories * kPicturesPerCategory, kCategories, rounds);
    std::printf("%-46s %-27s %-29s %s\n", "", "our reader", "the platform's ini calls", "ratio");

    ImageBaseManager manager;
    const Comparison perCall{"ms", 1.0, rounds, std::max(1, rounds / 3)};
    auto loadBases = [&] { manager.LoadBases(settings, 1); };
    Compare("LoadBases", perCall, loadBases, loadBases);
    auto loadBase = [&] { manager.LoadBase(0); };
    Compare("LoadBase (40 categories)", perCall, loadBase, loadBase);
    auto loadPictures = [&] {
        manager.LoadBase(0);
        manager.LoadPictures(0, -1);
    };
    Compare("LoadBase + LoadPictures (all 12000)", perCall, loadPictures, loadPictures);

    struct Search {
        const char* label;
        const char* word;
        int exact;
    };
    const Search searches[] = {
        {"FindImagesByText one letter \"a\"", "a", 0},
        {"FindImagesByText three letters \"hun\"", "hun", 0},
        {"FindImagesByText whole word \"hund\"", "hund", 0},
        {"FindImagesByText \"hund\", exact", "hund", 1},
    };
    for (const Search& search : searches) {
        std::vector<Image> found;
        std::vector<Image> foundByPlatform;
        Compare(search.label, perCall,
                [&] {
                    std::string word = search.word;
                    manager.FindImagesByText(word, found, search.exact);
                },
                [&] {
                    std::string word = search.word;
                    manager.FindImagesByText(word, foundByPlatform, search.exact);
                });
        if (found.size() != foundByPlatform.size())
            std::printf("  the two paths found %u and %u pictures\n", static_cast<unsigned>(found.size()),
                        static_cast<unsigned>(foundByPlatform.size()));
    }

    // Codes as the content object resolves them (a fresh store each, no sound), and as the command
    // dialog does (with the sound file looked up, which asks the file system whether it exists).
    std::vector<std::string> codes;
    for (int i = 0; i < 1000; ++i)
        codes.push_back("A" + Code(1 + (i * 7) % kCategories, 1 + (i * 13) % kPicturesPerCategory));
    const size_t platformCodes = 100;
    auto resolve = [&](size_t count, bool keepBases, bool withSound) {
        int resolved = 0;
        ImageBaseManager shared;
        if (keepBases)
            shared.LoadBases(settings, 1);
        for (size_t i = 0; i < count; ++i) {
            std::string picture, text, sound;
            ImageBaseOptions options;
            int metafile = 0;
            std::string* soundPath = withSound ? &sound : nullptr;
            if (keepBases) {
                resolved += shared.ResolveCode(codes[i], picture, text, options, soundPath, settings, &metafile, 1);
            } else {
                ImageBaseManager fresh;
                resolved += fresh.ResolveCode(codes[i], picture, text, options, soundPath, settings, &metafile, 0);
            }
        }
        if (resolved != static_cast<int>(count))
            std::printf("  only %d of %u codes resolved\n", resolved, static_cast<unsigned>(count));
    };
    const Comparison perCode{"us", 1.0, std::max(1, rounds / 3), 1};
    struct Resolution {
        const char* label;
        bool keepBases;
        bool withSound;
    };
    const Resolution resolutions[] = {
        {"ResolveCode, fresh store each", false, false},
        {"ResolveCode, bases kept", true, false},
        {"ResolveCode, fresh store each, with sound", false, true},
        {"ResolveCode, bases kept, with sound", true, true},
    };
    for (const Resolution& how : resolutions) {
        // The figures are per code: ms for 1000 codes are us for one, and the platform runs a tenth.
        Figures ours = Time(perCode.rounds, [&] { resolve(codes.size(), how.keepBases, how.withSound); });
        Figures platform;
        {
            ini::PlatformReads through;
            platform = Time(1, [&] { resolve(platformCodes, how.keepBases, how.withSound); });
        }
        const double each = 1000.0 / static_cast<double>(platformCodes);
        std::printf("%-46s %9.3f / %9.3f us  %10.1f / %10.1f us  x%.0f\n", how.label, ours.least, ours.median,
                    platform.least * each, platform.median * each, platform.median * each / ours.median);
    }

    // Content strings as the keyboard types them into Morvel: half name a picture code, which the
    // content object resolves in a fresh store each time; the rest name files or hold only texts.
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
    auto parseAll = [&](size_t count) {
        int parsed = 0;
        for (size_t i = 0; i < count; ++i) {
            CKvoraObject object;
            parsed += object.ParseContent(strings[i], settings) && !object.BuildContent().empty();
        }
        return parsed;
    };
    int parsed = 0;
    double start = Now();
    parsed = parseAll(strings.size());
    const double total = Now() - start;
    // The platform takes about 6 ms a string with a code: a fiftieth of the strings shows its pace.
    const size_t platformStrings = std::max<size_t>(4, strings.size() / 50);
    double platformTotal = 0;
    {
        ini::PlatformReads through;
        start = Now();
        parseAll(platformStrings);
        platformTotal = (Now() - start) * static_cast<double>(strings.size()) / static_cast<double>(platformStrings);
    }
    std::printf("%d content strings parsed and built (%d parsed): %.1f ms, %.3f ms each; the platform's ini "
                "calls: %.0f ms (%u strings timed), x%.0f\n",
                parses, parsed, total, total / parses, platformTotal, static_cast<unsigned>(platformStrings),
                platformTotal / total);

    RemoveFolder(folder);
    return 0;
}
