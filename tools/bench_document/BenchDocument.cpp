// Times Morvel's document reader on a document of 1,000 symbols, every one a picture code of an image
// base of 3,000 pictures in 20 categories, with a word after each symbol and a line break after
// every tenth. Beside it: the same document with picture files instead of codes, whose difference is
// the share the picture codes take, and the 1,000 content strings with codes parsed alone.
// Console program: bench_document.exe [rounds]
#include "library/ImageBaseManager.h"
#include "tools/bench_common/BenchTiming.h"
#include "writer/FileIO.h"
#include <windows.h>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

namespace {

using bench::DateBack;
using bench::Figures;
using bench::Time;

const int kSymbols = 1000;
const int kCategories = 20;
const int kPicturesPerCategory = 150;

void WriteText(const std::string& path, const std::string& text)
{
    std::ofstream out(path, std::ios::binary);
    out << text;
}

// The code of the n-th symbol, spread over every category of the base.
std::string PictureCode(int n)
{
    const int category = 1 + n % kCategories;
    const int picture = 1 + (n * 7) % kPicturesPerCategory;
    return std::to_string(category) + (picture < 10 ? "00" : picture < 100 ? "0" : "") + std::to_string(picture);
}

void WriteImageBase(const std::string& root, const std::string& windows)
{
    const std::string folder = root + "\\symboler";
    ::CreateDirectoryA(folder.c_str(), nullptr);
    std::string index = "[ProgDir]\r\nDir=" + folder + "\\bilder\r\nExtension=wmf\r\n[Grupper]\r\nAntal="
                        + std::to_string(kCategories) + "\r\n";
    for (int k = 1; k <= kCategories; ++k)
        index += std::to_string(k) + "=Grupp " + std::to_string(k) + "\r\n";
    for (int k = 1; k <= kCategories; ++k) {
        index += "[Grupp " + std::to_string(k) + "]\r\nAntal=" + std::to_string(kPicturesPerCategory) + "\r\nKod="
                 + std::to_string(k) + "\r\n";
        for (int j = 1; j <= kPicturesPerCategory; ++j) {
            const std::string code = std::to_string(k) + (j < 10 ? "00" : j < 100 ? "0" : "") + std::to_string(j);
            index += code + "=ord " + code + "\r\n";
        }
    }
    WriteText(folder + "\\symboler.ini", index);
    WriteText(windows + "\\imgbase.swedish.ini",
              "[ImageBases]\r\nDefault=A\r\nA=" + folder + "\\symboler.ini,Symboler,1,2,0\r\n");
    DateBack(folder + "\\symboler.ini");
    DateBack(windows + "\\imgbase.swedish.ini");
}

// The document file as Morvel writes it; contentOf gives the content string of the n-th symbol.
template <class Content>
std::string DocumentText(Content contentOf)
{
    std::string text;
    for (int n = 0; n < kSymbols; ++n) {
        text += "<I" + std::to_string(n) + ">" + (n % 10 == 9 ? "\r\n" : " ord ");
    }
    text += "<End>\r\n\r\n[Images]\r\n";
    for (int n = 0; n < kSymbols; ++n)
        text += "I" + std::to_string(n) + "=" + contentOf(n) + "\r\n";
    return text;
}

void Report(const char* what, const Figures& figures)
{
    std::printf("  %-52s %9.1f ms  (least %.1f)\n", what, figures.median, figures.least);
}

} // namespace

int main(int argc, char** argv)
{
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    char tempBase[MAX_PATH] = "";
    ::GetTempPathA(MAX_PATH, tempBase);
    const std::string root = std::string(tempBase) + "bench_document";
    ImageBaseManager::DeleteTree(root);
    const std::string windows = root + "\\windows";
    std::string made = windows;
    ImageBaseManager::CreatePath(made);
    made = root + "\\program";
    ImageBaseManager::CreatePath(made);
    WriteText(windows + "\\Morvel.ini", "[Directories]\r\nExe=" + root + "\\program\r\n");
    WriteImageBase(root, windows);

    MorvelEnvironment environment = MorvelEnvironment::OfThisProgram();
    environment.windowsFolder = windows;
    environment.applicationName = "Morvel.Swedish";
    {
        const FileIO io(environment);
        const std::string codes = root + "\\1.txt";
        const std::string files = root + "\\2.txt";
        WriteText(codes, DocumentText([](int n) { return "@A" + PictureCode(n) + "@"; }));
        WriteText(files, DocumentText([&](int n) { return "@" + root + "\\bilder\\" + PictureCode(n) + ".wmf@"; }));
        DateBack(codes);
        DateBack(files);

        std::vector<DocItem> items;
        std::vector<CKvoraObject> images;
        std::printf("Morvel document of %d symbols, %d rounds:\n", kSymbols, rounds);
        const Figures whole = Time(rounds, [&] { io.ReadDocument(items, images, codes); });
        Report("ReadDocument, every symbol a picture code", whole);
        const bool resolved = images.size() == kSymbols && images.back().picturePath_.find("bilder") != std::string::npos;
        // A picture and " ord " after each symbol, a picture and a line break after every tenth.
        if (!resolved || items.size() != 6 * kSymbols - 4 * kSymbols / 10)
            std::printf("  (the document did not read back whole)\n");

        const Figures plain = Time(rounds, [&] { io.ReadDocument(items, images, files); });
        Report("ReadDocument, every symbol a picture file", plain);
        std::vector<std::string> contents;
        for (int n = 0; n < kSymbols; ++n)
            contents.push_back("@A" + PictureCode(n) + "@");
        const Figures parsing = Time(rounds, [&] {
            CKvoraObject object;
            for (const std::string& content : contents)
                object.ParseContent(content, io.imageBaseIni_);
        });
        Report("the 1,000 content strings with codes parsed alone", parsing);
        std::printf("  resolving picture codes: %.1f%% of the reading (codes against files)\n",
                    whole.median > 0 ? 100.0 * (whole.median - plain.median) / whole.median : 0.0);
    }
    ImageBaseManager::DeleteTree(root);
    return 0;
}
