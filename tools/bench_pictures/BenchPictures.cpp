// Times the picture work behind Morvel's pages and Skarpin's blocks: a 2048 x 1536 JPEG and PNG
// decoded and shrunk to the largest size pictures are kept at (1024 x 768), and a page of 100
// symbols drawn into a memory DC by their content objects, beside the bare painting of their
// DIBs and metafile.
// Console program: bench_pictures.exe [rounds]
#include "components/GdiPlusCodec.h"
#include "components/PictureControl.h"
#include "framework/Gdi.h"
#include "library/Dib.h"
#include "library/KvoraObject.h"
#include "library/PictureLoad.h"
#include "library/Wmf.h"
#include "tools/bench_common/BenchTiming.h"
#include <windows.h>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

using bench::Figures;
using bench::Now;
using bench::Time;

void Report(const char* what, const Figures& figures)
{
    std::printf("  %-44s %8.1f ms  (least %.1f)\n", what, figures.median, figures.least);
}

// A photograph's worth of detail: smooth shading with fine texture, so both codecs work as on a
// real picture (a flat picture would make PNG look far faster than it is).
PixelImage Photograph(int width, int height)
{
    PixelImage picture;
    picture.Reset(width, height);
    unsigned seed = 12345;
    for (int y = 0; y < height; ++y) {
        std::uint32_t* row = picture.Row(y);
        for (int x = 0; x < width; ++x) {
            seed = seed * 1103515245u + 12345u;
            const int grain = static_cast<int>((seed >> 16) % 24);
            const int r = static_cast<int>(128 + 100 * std::sin(x / 150.0)) + grain;
            const int g = static_cast<int>(128 + 100 * std::sin(y / 110.0 + x / 400.0)) + grain;
            const int b = static_cast<int>(128 + 100 * std::cos((x + y) / 220.0)) + grain;
            row[x] = (std::min(r, 255) << 16) | (std::min(g, 255) << 8) | std::min(b, 255);
        }
    }
    return picture;
}

std::string TempFolder()
{
    char temp[MAX_PATH] = "";
    ::GetTempPathA(MAX_PATH, temp);
    std::string folder = std::string(temp) + "bench_pictures_" + std::to_string(::GetCurrentProcessId());
    ::CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}

} // namespace

int main(int argc, char** argv)
{
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;
    const std::string folder = TempFolder();
    const std::string jpeg = folder + "\\photo.jpg", png = folder + "\\photo.png", emf = folder + "\\symbol.emf";
    const std::string symbolFile = folder + "\\symbol.jpg";

    std::printf("Preparing a 2048 x 1536 picture as JPEG and PNG...\n");
    const PixelImage photo = Photograph(2048, 1536);
    if (!codec::Encode(photo, L"image/jpeg", jpeg, 90) || !codec::Encode(photo, L"image/png", png)) {
        std::printf("The system's encoders are not available.\n");
        return 1;
    }

    const SIZE maximum{1024, 768};
    PictureControl control;
    std::printf("\nDecoding and shrinking to %ld x %ld (%d rounds, median):\n", maximum.cx, maximum.cy, rounds);
    const double firstStart = Now();
    ::GlobalFree(LoadScaledDib(control, jpeg, RGB(255, 255, 255), maximum));
    std::printf("  %-44s %8.1f ms\n", "first JPEG of the process (starts the codecs)", Now() - firstStart);
    for (const auto& [name, path] : {std::pair<const char*, std::string>{"JPEG", jpeg}, {"PNG", png}}) {
        Report((std::string(name) + ": decode and shrink, as loading does").c_str(), Time(rounds, [&] {
                   ::GlobalFree(LoadScaledDib(control, path, RGB(255, 255, 255), maximum));
               }));
        Report((std::string(name) + ": decode only").c_str(), Time(rounds, [&] { control.SetFileName(path); }));
        control.SetFileName(path);
        Report((std::string(name) + ": shrink only").c_str(), Time(rounds, [&] {
                   control.Resize(maximum.cx, maximum.cy);
                   control.Undo();
               }));
    }

    // A page of symbols: pictures are held at up to 1024 x 768 and painted small at every redraw.
    control.SetFileName(jpeg);
    control.Resize(400, 300);
    HGLOBAL symbol = control.CopyDib();
    {
        RECT frame{0, 0, 5000, 5000};
        HDC recorder = ::CreateEnhMetaFileA(nullptr, emf.c_str(), &frame, nullptr);
        for (int i = 0; i < 20; ++i) {
            HBRUSH brush = ::CreateSolidBrush(RGB(i * 12, 255 - i * 12, 128));
            HGDIOBJ old = ::SelectObject(recorder, brush);
            ::Ellipse(recorder, i * 5, i * 5, 200 - i * 5, 200 - i * 3);
            ::SelectObject(recorder, old);
            ::DeleteObject(brush);
        }
        ::DeleteEnhMetaFile(::CloseEnhMetaFile(recorder));
    }
    WMF metafile;
    metafile.Load(emf);
    fw::DibSection page(1000, 1000);
    const RECT source{0, 0, DibWidth(symbol), DibHeight(symbol)};
    std::printf("\nA page of 100 symbols painted bare into a memory DC, 100 x 75 pixels (%d rounds, median):\n", rounds);
    Report("100 raster symbols (400 x 300 DIBs, stretched)", Time(rounds, [&] {
               for (int i = 0; i < 100; ++i) {
                   const RECT box{(i % 10) * 100, (i / 10) * 100, (i % 10) * 100 + 100, (i / 10) * 100 + 75};
                   PaintDib(page.DC(), box, symbol, source, nullptr);
               }
               ::GdiFlush();
           }));
    Report("100 metafile symbols (20 shapes each)", Time(rounds, [&] {
               for (int i = 0; i < 100; ++i)
                   metafile.Draw(page.DC(), RECT{(i % 10) * 100, (i / 10) * 100, (i % 10) * 100 + 100,
                                                 (i / 10) * 100 + 100});
               ::GdiFlush();
           }));

    // The same page drawn as Morvel draws it: each symbol's content object, with its label above
    // (a library picture's in its band) and some crossed.
    PixelImage symbolPicture;
    photo.ResizedTo(400, 300, symbolPicture);
    codec::Encode(symbolPicture, L"image/jpeg", symbolFile, 90);
    auto shared = std::make_shared<PictureControl>();
    const auto makeSymbols = [&](const std::function<std::string(int)>& pathOf) {
        std::vector<std::unique_ptr<CKvoraObject>> symbols;
        for (int i = 0; i < 100; ++i) {
            auto object = std::make_unique<CKvoraObject>();
            object->picturePath_ = pathOf(i);
            object->label_ = i % 3 ? "hund" : "en katt som sover i solen";
            object->crossed_ = i % 7 == 0 ? 1 : 0;
            object->libraryPicture_ = i % 5 == 1 ? 1 : 0;
            object->LoadPicture(shared, RGB(255, 255, 255), 0, maximum);
            symbols.push_back(std::move(object));
        }
        return symbols;
    };
    const auto drawPage = [&](const std::vector<std::unique_ptr<CKvoraObject>>& symbols) {
        for (int i = 0; i < 100; ++i) {
            const RECT box{(i % 10) * 100, (i / 10) * 100, (i % 10) * 100 + 100, (i / 10) * 100 + 100};
            symbols[i]->Draw(page.DC(), box, 1, 1, 1);
        }
        ::GdiFlush();
    };
    const auto mixed = makeSymbols([&](int i) { return i % 2 ? emf : symbolFile; });
    const auto rasters = makeSymbols([&](int) { return symbolFile; });
    const auto metafiles = makeSymbols([&](int) { return emf; });
    std::printf("\nThe page drawn by its content objects (CKvoraObject::Draw, 100 x 100 boxes, labels), "
                "%d rounds, median:\n", rounds);
    Report("100 symbols, half raster, half metafile", Time(rounds, [&] { drawPage(mixed); }));
    Report("100 raster symbols", Time(rounds, [&] { drawPage(rasters); }));
    Report("100 metafile symbols", Time(rounds, [&] { drawPage(metafiles); }));

    ::GlobalFree(symbol);
    ::DeleteFileA(symbolFile.c_str());
    ::DeleteFileA(jpeg.c_str());
    ::DeleteFileA(png.c_str());
    ::DeleteFileA(emf.c_str());
    ::RemoveDirectoryA(folder.c_str());
    return 0;
}
