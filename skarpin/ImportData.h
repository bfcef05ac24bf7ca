// What the import wizard's pages share: the archive read, the work folder it is unpacked into, the
// overlays and media files of the archive with their choices, and the caller's new set name.
#pragma once
#include "skarpin/ExportWorkFolder.h"
#include "skarpin/ImportArchive.h"
#include "skarpin/ImportUnpacking.h"
#include "store/FileIO.h"
#include "store/ListRecords.h"
#include <string>
#include <vector>

// Held by the sheet for one run; each page keeps a pointer to it.
struct ImportData {
    ImportData(std::string& newSetName, FileIO* fileIO) : newSetName(newSetName), fileIO(fileIO) {}

    std::string zipPath;          // the archive last read; empty at first
    // Open from its reading on the first page to the end: the media files are unpacked at Finish.
    importwizard::ImportArchive archive;
    UnpackingState unpacking;
    // A folder of the wizard's own under the temporary folder, emptied at each reading of an archive
    // and deleted with the wizard: never a folder other programs may use.
    ExportWorkFolder workFolder;
    std::string registerPath;     // the unpacked register file; empty until an archive with one was read
    // The archive's overlay files (path: the stored name, after the second page the unpacked file)
    // and its other files (path: the stored name in lower case).
    std::vector<SetItem> overlays;
    std::vector<SetItem> media;
    int reread = 1;               // the archive must be read at the next Next of the first page
    std::string& newSetName;      // the caller's: the set the overlays go to
    FileIO* fileIO;
};
