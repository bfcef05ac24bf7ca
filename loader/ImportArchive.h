// The archive the import wizard reads: its listing sorted into the register, overlays and media, and
// the unpacking of the entries it accepted into the wizard's work folder. Entries whose names would
// leave the folder are never unpacked; a failed unpacking says at which entry.
#pragma once
#include "components/ZipReader.h"
#include "loader/ImportModel.h"
#include <string>

namespace importwizard {

class ImportArchive {
public:
    // Reads the archive's directory (an archive over several volumes from its last, volumes finding
    // the others) and sorts its entries.
    zip::Result Open(const std::string& path, zip::VolumeSource volumes = {});
    void Close();
    const ArchiveListing& Listing() const { return listing_; }

    // Unpacks the accepted entries below the folder (ending in '\'), each at its stored name. A
    // failure leaves the entries unpacked so far: the caller empties the folder.
    zip::Result Unpack(const std::string& folder, const zip::ProgressHandler& progress = {});
    // The entry the last failure stopped at.
    const std::string& FailedEntry() const { return failedEntry_; }

    // Whether the file is the first volume of an archive spread over diskettes (it begins with the
    // spanning signature), which holds no directory: the user chose the first diskette, not the last.
    static bool IsFirstOfSeveral(const std::string& path);

private:
    zip::ZipReader reader_;
    ArchiveListing listing_;
    std::string failedEntry_;
};

} // namespace importwizard
