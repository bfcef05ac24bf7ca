// Packing the export archive, onto the hard disk or onto diskettes.
#include "skarpin/ExportPacking.h"
#include "components/ZipSpan.h"
#include "components/ZipWriter.h"
#include "library/ImageBaseManager.h"
#include <windows.h>

namespace exportwizard {

zip::Result PackArchive(const ArchivePlan& plan, const std::string& zipPath, bool diskette,
                        const std::string& workFolder, const PackHandlers& handlers, std::string& failedFile)
{
    failedFile.clear();
    zip::ZipWriter writer;
    for (const ArchiveFile& file : plan.files) {
        const zip::Result added = writer.Add(file.source, file.storedName);
        if (added != zip::Result::Ok)
            return added;
    }
    const std::string packed = diskette ? workFolder + "diskett.zip" : zipPath;
    zip::Result result = writer.Pack(packed, handlers.progress);
    failedFile = writer.FailedFile();
    if (result != zip::Result::Ok || !diskette)
        return result;

    zip::SpanHandlers span;
    span.askForDisk = handlers.askForDisk;
    const bool clear = handlers.clearDiskettes;
    span.capacity = [clear](const std::string& volume) {
        if (clear)
            ClearDiskette(volume.substr(0, 3));
        return zip::FreeSpaceFor(volume);
    };
    result = zip::SpanArchive(packed, zipPath, span);
    ::DeleteFileA(packed.c_str());
    return result;
}

bool DriveReady(const std::string& root)
{
    const UINT errorMode = ::SetErrorMode(SEM_FAILCRITICALERRORS);
    const DWORD length = ::GetCurrentDirectoryA(0, nullptr);
    std::string current(length, '\0');
    if (length > 0)
        current.resize(::GetCurrentDirectoryA(length, &current[0]));
    const bool ready = ::SetCurrentDirectoryA(root.c_str()) != FALSE;
    if (!current.empty())
        ::SetCurrentDirectoryA(current.c_str());
    ::SetErrorMode(errorMode);
    return ready;
}

void ClearDiskette(const std::string& root)
{
    WIN32_FIND_DATAA found;
    HANDLE search = ::FindFirstFileA((root + "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        const std::string name = found.cFileName;
        if (name == "." || name == "..")
            continue;
        const std::string path = root + name;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            ImageBaseManager::DeleteTree(path);
        } else {
            ::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            ::DeleteFileA(path.c_str());
        }
    } while (::FindNextFileA(search, &found));
    ::FindClose(search);
}

} // namespace exportwizard
