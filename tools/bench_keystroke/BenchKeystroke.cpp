// Times a keystroke in Morvel's document window on a document of 5,000 symbols and characters
// (1,000 pictures, each followed by a short word; a line break after every tenth): from the key's
// message to the repainted window, typing at the end, typing and deleting in the middle, and the
// same with a printer set up (every edit then lays out the printed pages too). A keystroke must stay
// well under one frame (16 ms).
// Console program: bench_keystroke.exe [keystrokes]    bench_keystroke.exe --show (leaves the window
// open on the middle of the document until it is closed)
#include "DocumentHost.h"
#include "PictureFixtures.h"
#include "framework/Dialog.h"
#include "library/ImageBaseManager.h"
#include "support/TestPrinter.h"
#include "tools/bench_common/BenchTiming.h"
#include "writer/FileIO.h"
#include "writer_settings/Settings.h"
#include <windows.h>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

namespace {

const int kSymbols = 1000;

void WriteText(const std::string& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
}

// The document: a symbol, a space and a word of two letters and a space (or a line break).
void FillDocument(DocumentDlg& document, const std::string& folder)
{
    std::vector<DocItem> items;
    std::vector<CKvoraObject> images;
    for (int n = 0; n < kSymbols; ++n) {
        CKvoraObject symbol;
        symbol.id_ = n;
        symbol.picturePath_ = folder + (n % 2 ? "\\sol.bmp" : "\\hus.bmp");
        if (n % 3 == 0)
            symbol.label_ = n % 2 ? "sol" : "hus";
        images.push_back(symbol);
        items.emplace_back(n);
        for (char c : std::string(" ok") + (n % 10 == 9 ? '\n' : ' '))
            items.emplace_back(c);
    }
    items.emplace_back('\n');
    document.Model().items_ = std::move(items);
    document.Model().images_.Assign(images);
    document.Refresh();
}

void Dispatch(HWND window, UINT message, WPARAM wParam)
{
    MSG msg{window, message, wParam, 1, 0, {0, 0}};
    fw::DispatchOne(msg);
    ::GdiFlush();
}

struct Keystrokes {
    std::vector<double> times;
    void Add(double ms) { times.push_back(ms); }
    void Report(const char* what)
    {
        std::sort(times.begin(), times.end());
        std::printf("  %-58s median %6.2f ms, 95%% %6.2f ms, 99%% %6.2f ms, most %6.2f ms\n", what,
                    times[times.size() / 2], times[times.size() * 95 / 100], times[times.size() * 99 / 100],
                    times.back());
        times.clear();
    }
};

// Types at the end, then types and deletes at an item in the middle.
void Measure(DocumentHost& host, int count, const char* setting)
{
    DocumentDlg& document = host.Document();
    DocumentModel& model = document.Model();
    const HWND window = document.Handle();
    Keystrokes keys;
    std::printf("%s\n", setting);

    model.caret_ = static_cast<int>(model.FinalIndex());
    document.Refresh();
    for (int k = 0; k < count; ++k) {
        const double start = bench::Now();
        Dispatch(window, WM_CHAR, k % 6 == 5 ? ' ' : 'a' + k % 26);
        keys.Add(bench::Now() - start);
    }
    keys.Report("a letter typed at the end");

    model.caret_ = static_cast<int>(model.items_.size() / 2);
    document.Refresh();
    Keystrokes deletions;
    for (int k = 0; k < count; ++k) {
        double start = bench::Now();
        Dispatch(window, WM_CHAR, 'x');
        keys.Add(bench::Now() - start);
        start = bench::Now();
        Dispatch(window, WM_KEYDOWN, VK_BACK);
        deletions.Add(bench::Now() - start);
    }
    keys.Report("a letter typed in the middle (the page laid out and painted)");
    deletions.Report("Backspace in the middle");
}

std::string TemporaryFolder(const char* name)
{
    char base[MAX_PATH] = "";
    ::GetTempPathA(MAX_PATH, base);
    std::string folder = std::string(base) + name;
    ImageBaseManager::DeleteTree(folder);
    std::string made = folder + "\\program";
    ImageBaseManager::CreatePath(made);
    return folder;
}

} // namespace

int main(int argc, char** argv)
{
    const bool show = argc > 1 && std::strcmp(argv[1], "--show") == 0;
    const int count = !show && argc > 1 ? std::max(10, std::atoi(argv[1])) : 200;
    const std::string root = TemporaryFolder("bench_keystroke");
    WriteText(root + "\\Morvel.ini", "[Directories]\r\nExe=" + root + "\\program\r\n");
    fixtures::SaveWithCodec(fixtures::QuadrantPicture(160, 120), L"image/bmp", root + "\\hus.bmp");
    fixtures::SaveWithCodec(fixtures::QuadrantPicture(120, 160), L"image/bmp", root + "\\sol.bmp");

    MorvelEnvironment environment = MorvelEnvironment::OfThisProgram();
    environment.windowsFolder = root;
    environment.applicationName = "Morvel.Swedish";
    {
        FileIO io(environment);
        Settings settings(environment);
        // As in the main window: the document 25 mm from the left to 185 mm of an A4-wide screen.
        const int screenWidth = ::GetSystemMetrics(SM_CXSCREEN);
        const int screenHeight = ::GetSystemMetrics(SM_CYSCREEN);
        DocumentHost host(io, settings, screenWidth, screenHeight);
        RECT client;
        ::GetClientRect(host.Handle(), &client);
        host.PlaceDocument(RECT{screenWidth * 25 / 210, 20, screenWidth * 185 / 210 + 15, client.bottom - 80});
        const double start = bench::Now();
        FillDocument(host.Document(), root);
        std::printf("Morvel document of %d symbols and characters, %d pages; opened and laid out in %.0f ms\n",
                    5 * kSymbols, host.Document().Model().lastPage_ + 1, bench::Now() - start);

        if (show) {
            host.Document().Model().caret_ = static_cast<int>(host.Document().Model().items_.size() / 2);
            host.Document().Refresh();
            std::printf("showing the document window; close it to end\n");
            std::fflush(stdout);
            fw::RunModalLoop([&] { return ::IsWindowVisible(host.Handle()) != FALSE; });
        } else {
            Measure(host, count, "Without a printer:");
            testsupport::TestPrinter printer(root);
            if (printer.Error().empty()) {
                HDC dc = printer.CreateDC();
                host.SetPrinter(dc);
                Measure(host, count, "With a printer set up (the printed pages laid out at each edit):");
                host.SetPrinter(nullptr);
                ::DeleteDC(dc);
            } else {
                std::printf("no test printer (%s)\n", printer.Error().c_str());
            }
        }
    }
    ImageBaseManager::DeleteTree(root);
    return 0;
}
