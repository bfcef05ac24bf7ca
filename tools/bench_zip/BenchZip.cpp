// Packs every file below a folder into a zip archive with our zip module, then unpacks it again
// with its CRC checks, and prints the least and median times of the rounds and the archive's size.
//   bench_zip.exe <source folder> <archive> [rounds]
#include "bench_common/BenchTiming.h"
#include "components/ZipReader.h"
#include "components/ZipWriter.h"
#include <windows.h>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

// The files below the folder as (path, stored name) in the order the system lists them.
void ListFiles(const std::string& folder, const std::string& prefix, std::vector<std::pair<std::string, std::string>>& files)
{
    WIN32_FIND_DATAA found;
    HANDLE search = ::FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        const std::string name = found.cFileName;
        if (name == "." || name == "..")
            continue;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            ListFiles(folder + "\\" + name, prefix + name + "/", files);
        else
            files.emplace_back(folder + "\\" + name, prefix + name);
    } while (::FindNextFileA(search, &found));
    ::FindClose(search);
}

unsigned long long SizeOf(const std::string& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!::GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data))
        return 0;
    return (static_cast<unsigned long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: bench_zip.exe <source folder> <archive> [rounds]\n");
        return 2;
    }
    const std::string source = argv[1];
    const std::string archive = argv[2];
    const int rounds = argc > 3 ? std::atoi(argv[3]) : 3;

    std::vector<std::pair<std::string, std::string>> files;
    ListFiles(source, "", files);
    unsigned long long bytes = 0;
    for (const auto& file : files)
        bytes += SizeOf(file.first);

    zip::Result packed = zip::Result::Ok;
    const bench::Figures pack = bench::Time(rounds, [&] {
        zip::ZipWriter writer;
        for (const auto& file : files)
            writer.Add(file.first, file.second);
        packed = writer.Pack(archive);
    });
    if (packed != zip::Result::Ok) {
        std::fprintf(stderr, "packing failed (%d)\n", static_cast<int>(packed));
        return 1;
    }

    const std::string out = archive + ".out";
    zip::Result unpacked = zip::Result::Ok;
    const bench::Figures unpack = bench::Time(rounds, [&] {
        ::CreateDirectoryA(out.c_str(), nullptr);
        zip::ZipReader reader;
        unpacked = reader.Open(archive);
        if (unpacked == zip::Result::Ok)
            unpacked = reader.ExtractAll(out);
    });
    if (unpacked != zip::Result::Ok) {
        std::fprintf(stderr, "unpacking failed (%d)\n", static_cast<int>(unpacked));
        return 1;
    }

    std::printf("files %u bytes %llu archive %llu\n", static_cast<unsigned>(files.size()), bytes, SizeOf(archive));
    std::printf("pack ms least %.0f median %.0f\n", pack.least, pack.median);
    std::printf("unpack ms least %.0f median %.0f\n", unpack.least, unpack.median);
    return 0;
}
