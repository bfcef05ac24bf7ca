// Packing the export archive: straight into the zip file, or, in diskette mode, first into the work
// folder and then onto as many diskettes in drive A as it needs.
#pragma once
#include "components/ZipArchive.h"
#include "skarpin/ExportModel.h"
#include <functional>
#include <string>

namespace exportwizard {

struct PackHandlers {
    zip::ProgressHandler progress;
    // Diskette mode: before each diskette is written, disk (1 the first) of disks; false cancels.
    std::function<bool(int disk, int disks)> askForDisk;
    // Diskette mode: each diskette is emptied before anything is written on it.
    bool clearDiskettes = false;
};

// Packs the plan's files into the zip file. A failure leaves no half-written archive: the zip file
// there before stays, and a diskette volume that was not written whole is removed. failedFile
// names the file that could not be read, when that was the cause.
zip::Result PackArchive(const ArchivePlan& plan, const std::string& zipPath, bool diskette,
                        const std::string& workFolder, const PackHandlers& handlers, std::string& failedFile);

// Whether a diskette is in the drive of the root ("A:\"): the drive is made current with the
// system's critical-error boxes off, then the current folder and the error mode are restored.
bool DriveReady(const std::string& root);
// Deletes every file and folder on the diskette.
void ClearDiskette(const std::string& root);

} // namespace exportwizard
