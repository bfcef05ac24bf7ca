// Times what the export does per media file for a set of thousands of them: each path offered to the
// media list (twice, as overlays that share pictures offer them), the archive planned, and every
// planned file added to the zip writer. Prints the times in milliseconds.
//   bench_export.exe <media files> [rounds]
#include "bench_common/BenchTiming.h"
#include "components/ZipWriter.h"
#include "library/ImageBaseManager.h"
#include "skarpin/ExportModel.h"
#include <windows.h>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

int main(int argc, char** argv)
{
    const int count = argc > 1 ? std::atoi(argv[1]) : 10000;
    const int rounds = argc > 2 ? std::atoi(argv[2]) : 3;
    char tempBase[MAX_PATH] = "";
    ::GetTempPathA(MAX_PATH, tempBase);
    const std::string folder = std::string(tempBase) + "bench_export";
    ImageBaseManager::DeleteTree(folder);
    // Small files in folders of a hundred, as pictures and sounds of a large set lie.
    std::vector<std::string> paths;
    for (int i = 0; i < count; ++i) {
        std::string sub = folder + "\\Bilder " + std::to_string(i / 100);
        if (i % 100 == 0)
            ImageBaseManager::CreatePath(sub);
        const std::string path = sub + "\\Bild " + std::to_string(i) + (i % 2 ? ".wav" : ".bmp");
        HANDLE file = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        DWORD written = 0;
        ::WriteFile(file, "BM", 2, &written, nullptr);
        ::CloseHandle(file);
        paths.push_back(path);
    }
    std::printf("media files %d\n", count);

    exportwizard::MediaList list;
    const bench::Figures offer = bench::Time(rounds, [&] {
        list.Clear();
        for (int pass = 0; pass < 2; ++pass) {
            for (const std::string& known : paths) {
                std::string path = known;
                list.Offer(path, false);
            }
        }
    });
    std::printf("MediaList::Offer ms least %.0f median %.0f (%u listed)\n", offer.least, offer.median,
                static_cast<unsigned>(list.Paths().size()));

    std::vector<SetItem> media;
    for (const std::string& path : list.Paths())
        media.emplace_back(path, path);
    exportwizard::ArchivePlan plan;
    const bench::Figures planned = bench::Time(rounds, [&] {
        plan = exportwizard::PlanArchive(folder, {}, folder + "\\register.txt", media);
    });
    std::printf("PlanArchive ms least %.0f median %.0f (%u files)\n", planned.least, planned.median,
                static_cast<unsigned>(plan.files.size()));

    const bench::Figures added = bench::Time(rounds, [&] {
        zip::ZipWriter writer;
        for (const exportwizard::ArchiveFile& file : plan.files)
            writer.Add(file.source, file.storedName);
    });
    std::printf("ZipWriter::Add ms least %.0f median %.0f\n", added.least, added.median);
    ImageBaseManager::DeleteTree(folder);
    return 0;
}
