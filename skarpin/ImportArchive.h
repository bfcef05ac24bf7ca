// The archive the import wizard reads: its listing sorted into the register, overlays and media, and
// the unpacking into the wizard's work folder of the register and the overlays first, and of the
// media files the user chose at the end. Entries whose names would leave the folder are never
// unpacked; nothing is unpacked that would not fit on the work folder's drive; a failed unpacking
// says at which entry and leaves none of its files behind.
#pragma once
#include "components/ZipReader.h"
#include "skarpin/ImportModel.h"
#include "store/ListRecords.h"
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace importwizard {

class ImportArchive {
public:
    // The most the import unpacks in all, whatever room the disk has: no export of overlays with
    // their pictures, sounds and videos comes near it, and an archive that claims more is refused.
    static const std::uint64_t kMostUnpacked = 4ull * 1024 * 1024 * 1024;
    // The bytes the user may still write on the drive of a folder.
    using FreeSpace = std::function<std::uint64_t(const std::string& folder)>;

    ImportArchive();

    // Reads the archive's directory (an archive over several volumes from its last, volumes finding
    // the others) and sorts its entries. Records whose data overlap give Damaged.
    zip::Result Open(const std::string& path, zip::VolumeSource volumes = {});
    void Close();
    const ArchiveListing& Listing() const { return listing_; }

    // Overlay files whose names were read in code page 437 take the code page 1252 reading where the
    // register (read from the archive, its section given) names them so.
    void NameOverlaysAsTheRegister(const std::string& section);
    // The same for the media files, by the references of the overlays.
    void NameMediaAsTheOverlays(const std::vector<std::string>& references);

    // Unpacks the register and the overlay files below the folder (ending in '\'), each at its stored
    // name. TooLarge, and nothing unpacked, when they would not fit (NeededBytes tells how much).
    zip::Result UnpackOverlays(const std::string& folder, const zip::ProgressHandler& progress = {});
    // Unpacks the chosen ones of the media files (selected_; path_ the stored name) the same way. A
    // failure removes the files this call unpacked.
    zip::Result UnpackMedia(const std::string& folder, const std::vector<SetItem>& media,
                            const zip::ProgressHandler& progress = {});

    // The entry the last failure stopped at; empty when the whole archive was at fault.
    const std::string& FailedEntry() const { return failedEntry_; }
    // The entries the last unpacking left out because their names cannot be made in the folder: too
    // long, a file where a folder must be, or a name that reaches a file there already (another
    // entry's short name). Each is told to the user; the rest is unpacked.
    const std::vector<std::string>& NotUnpacked() const { return notUnpacked_; }
    // The bytes the last refused unpacking would have written.
    std::uint64_t NeededBytes() const { return neededBytes_; }
    // Where the room of the work folder's drive comes from (tests give their own).
    void SetFreeSpace(FreeSpace freeSpace) { freeSpace_ = std::move(freeSpace); }

    // Whether the file is the first volume of an archive spread over diskettes (it begins with the
    // spanning signature), which holds no directory: the user chose the first diskette, not the last.
    static bool IsFirstOfSeveral(const std::string& path);

private:
    void Classify() { listing_ = ClassifyEntries(entries_); }
    zip::Result UnpackEntries(const std::string& folder, const std::vector<size_t>& indices,
                              const zip::ProgressHandler& progress, std::vector<std::string>* unpacked);

    zip::ZipReader reader_;
    std::vector<zip::Entry> entries_; // the reader's, with the names the import gives them
    ArchiveListing listing_;
    FreeSpace freeSpace_;
    std::string failedEntry_;
    std::vector<std::string> notUnpacked_;
    std::uint64_t neededBytes_ = 0;
};

} // namespace importwizard
