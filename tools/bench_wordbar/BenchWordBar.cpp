// Times the word-to-picture search bar on a base of 12,000 pictures in 40 categories: each typed
// character reaching the word, and each search (Enter) from the key to the repainted strip, with the
// first page's pictures decoded. The searches run through our ini reader, and then through the
// platform's ini calls, which the store replaced.
// Console program: bench_wordbar.exe [rounds]
#include "PictureChoiceFixture.h"
#include "framework/Gdi.h"
#include "library/IniFileCache.h"
#include "writer_settings/WordHits.h"
#include "morvel/resource.h"
#include "tools/bench_common/BenchTiming.h"
#include "tools/bench_common/BenchWords.h"
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

namespace {

using bench::Figures;
using bench::Now;
using bench::Word;

const int kCategories = 40;
const int kPicturesPerCategory = 300;
const int kPictureFiles = 20;

// The base's index file and settings file; its pictures share 20 real picture files, so that the
// strip decodes real pictures.
std::string WriteBase(const std::string& folder)
{
    ::CreateDirectoryA(folder.c_str(), nullptr);
    ::CreateDirectoryA((folder + "\\bilder").c_str(), nullptr);
    for (int i = 0; i < kPictureFiles; ++i)
        picturetests::WriteBitmap(folder + "\\bilder\\bild" + std::to_string(i) + ".bmp",
                                  RGB(40 + 10 * i, 200 - 8 * i, 120), 64);
    const std::string index = folder + "\\stor.ini";
    std::ofstream out(index, std::ios::binary);
    out << "[ProgDir]\r\nDir=" << folder << "\\bilder\r\nExtension=bmp\r\n";
    out << "[Grupper]\r\nAntal=" << kCategories << "\r\n";
    for (int k = 1; k <= kCategories; ++k)
        out << k << "=Kategori " << k << "\r\n";
    unsigned seed = 7;
    int made = 0;
    for (int k = 1; k <= kCategories; ++k) {
        out << "[Kategori " << k << "]\r\nAntal=" << kPicturesPerCategory << "\r\nKod=" << k << "\r\n";
        for (int j = 1; j <= kPicturesPerCategory; ++j) {
            ++made;
            out << k * 1000 + j << "=" << Word(seed, made) << ",bild" << (made % kPictureFiles) << "\r\n";
        }
    }
    out.close();
    const std::string settings = folder + "\\imgbase.bench.ini";
    std::ofstream list(settings, std::ios::binary);
    list << "[ImageBases]\r\nDefault=A\r\nA=" << index << ",Stor bas,1,2,0\r\n";
    list.close();
    bench::DateBack(index);
    bench::DateBack(settings);
    return settings;
}

// Posts a key message to the window, handles it as the message loop would (what it sends is handled
// at once) and repaints; what it posts for later (the pictures) stays queued.
void Deliver(HWND window, UINT message, WPARAM wParam, HWND repaint)
{
    ::PostMessageA(window, message, wParam, 1);
    MSG posted;
    while (::PeekMessageA(&posted, window, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE))
        fw::DispatchOne(posted);
    ::UpdateWindow(repaint);
}

struct Timings {
    std::vector<double> characters;
    std::vector<double> searches;
    std::vector<double> pictures; // from the key until the shown page's pictures are all drawn
    size_t hits = 0;
};

// Types each word a character at a time and searches after every character, as a user who checks
// the strip after each letter.
Timings TypeAndSearch(WTIDlg& bar, const std::vector<std::string>& words, int rounds)
{
    Timings timings;
    HWND word = bar.Item(IDC_WORD_BAR_WORD);
    for (int round = 0; round < rounds; ++round) {
        for (const std::string& text : words) {
            bar.ResetHits();
            for (char c : text) {
                double start = Now();
                Deliver(word, WM_CHAR, static_cast<unsigned char>(c), bar);
                timings.characters.push_back(Now() - start);
                start = Now();
                Deliver(word, WM_KEYDOWN, VK_RETURN, bar);
                timings.searches.push_back(Now() - start);
                while (!bar.ShownPicturesLoaded())
                    fw::PumpMessages();
                ::UpdateWindow(bar);
                timings.pictures.push_back(Now() - start);
                timings.hits += static_cast<size_t>(bar.GetHitCount());
                ::SetFocus(word);
            }
        }
    }
    return timings;
}

void Report(const char* label, std::vector<double> times)
{
    std::sort(times.begin(), times.end());
    const double median = times[times.size() / 2];
    const double worst = times.back();
    const double p95 = times[std::min(times.size() - 1, times.size() * 95 / 100)];
    std::printf("%-40s least %7.3f  median %7.3f  95%% %7.3f  worst %7.3f ms  (%u)\n", label, times.front(), median,
                p95, worst, static_cast<unsigned>(times.size()));
}

// The pieces of one search, timed apart: the store's word search, the hits built from its records,
// the first page's pictures decoded, and the strip's cells drawn.
void ReportPieces(const std::string& imageBaseIni, const std::shared_ptr<PictureControl>& control, size_t cells,
                  const std::vector<std::string>& words, int rounds)
{
    ImageBaseManager store;
    store.LoadBases(imageBaseIni, 1);
    std::vector<double> find, build, load, draw;
    fw::DibSection canvas(64, 64);
    for (int round = 0; round < rounds; ++round) {
        for (const std::string& text : words) {
            for (size_t length = 1; length <= text.size(); ++length) {
                std::string word = text.substr(0, length);
                std::vector<Image> found;
                double start = Now();
                store.FindImagesByText(word, found, 0);
                find.push_back(Now() - start);
                start = Now();
                WordHits hits;
                hits.Reset(std::move(found), store);
                const int shown = std::min(static_cast<int>(cells), hits.Count());
                for (int i = 0; i < shown; ++i)
                    hits.At(i);
                build.push_back(Now() - start);
                start = Now();
                for (int i = 0; i < shown; ++i)
                    hits.At(i).LoadPicture(control, RGB(255, 255, 255), 0, SIZE{1024, 768});
                load.push_back(Now() - start);
                start = Now();
                for (int i = 0; i < shown; ++i)
                    hits.At(i).Draw(canvas.DC(), RECT{0, 0, 64, 64}, 0, 1, 1);
                draw.push_back(Now() - start);
            }
        }
    }
    std::printf("The pieces of a search:\n");
    Report("  store's word search", find);
    Report("  first page's hits made", build);
    Report("  first page's pictures decoded", load);
    Report("  first page drawn", draw);
}

} // namespace

int main(int argc, char** argv)
{
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    picturetests::PictureConfig config;
    const std::string folder = config.Config().Temp() / "stor";
    Settings& settings = config.UserSettings();
    settings.imageBaseIni_ = WriteBase(folder);

    picturetests::PictureHost host(settings);
    WTIDlg& bar = host.CreateWordBar();
    std::printf("Base: %d pictures in %d categories; %u cells in the strip; %d rounds\n",
                kCategories * kPicturesPerCategory, kCategories, static_cast<unsigned>(bar.Cells().size()), rounds);
    const std::vector<std::string> words = {"hund", "sol", "b\xE5t", "kaka", "ullist"};
    // One search first, so that the files are in the store's cache and the picture decoder is up.
    TypeAndSearch(bar, {"a"}, 1);

    ReportPieces(settings.imageBaseIni_, host.GetPictureInterface(), bar.Cells().size(), words, rounds);
    {
        // The Enter keystroke's two halves: the search with its focus change, and the repaint.
        std::vector<double> search, paint;
        HWND word = bar.Item(IDC_WORD_BAR_WORD);
        for (int round = 0; round < rounds; ++round) {
            for (const std::string& text : words) {
                ::SetWindowTextA(word, text.c_str());
                ::SetFocus(word);
                fw::PumpMessages();
                double start = Now();
                bar.OnEnter();
                search.push_back(Now() - start);
                start = Now();
                ::UpdateWindow(bar);
                paint.push_back(Now() - start);
                while (!bar.ShownPicturesLoaded())
                    fw::PumpMessages();
            }
        }
        std::printf("Enter in two halves:\n");
        Report("  search, hits and focus", search);
        Report("  strip repainted", paint);
    }
    Timings ours = TypeAndSearch(bar, words, rounds);
    std::printf("Our ini reader (the image-base store):\n");
    Report("  typed character", ours.characters);
    Report("  search after the character (Enter)", ours.searches);
    Report("  ... until its pictures are all shown", ours.pictures);
    std::printf("  hits per search: %.0f on average\n", static_cast<double>(ours.hits) / ours.searches.size());
    {
        ini::PlatformReads through;
        Timings platform = TypeAndSearch(bar, {"hund", "sol"}, 1);
        std::printf("The platform's ini calls (what the store replaced):\n");
        Report("  search after the character (Enter)", platform.searches);
    }
    return 0;
}
