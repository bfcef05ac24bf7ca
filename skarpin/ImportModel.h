// The import wizard's decisions without a window: how the archive's entries are sorted into the
// register, overlays and media files, the new set's name, the overlay numbers from the register, the
// overlay lines, which media files the chosen overlays use, and where each file and reference goes.
#pragma once
#include "components/ZipArchive.h"
#include "skarpin/ExportModel.h"
#include "store/ListRecords.h"
#include "store/SetKind.h"
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <unordered_set>
#include <vector>

namespace importwizard {

// An archive's entries as the import sees them.
struct ArchiveListing {
    std::string registerName;      // the stored name of "register.txt" at the archive's top; empty without one
    int registerEntry = -1;        // its entry
    // One per overlay file at the archive's top: name (file name less ".ini"), path (stored name),
    // number -1, chosen; and the entry of each.
    std::vector<SetItem> overlays;
    std::vector<size_t> overlayEntries;
    // One per other file: name (file name), path (stored name in lower case, '/' between folders);
    // and the entry of each.
    std::vector<SetItem> media;
    std::vector<size_t> mediaEntries;
    std::vector<size_t> unpack;    // the entries that may be unpacked, in archive order
    // Entries that are never unpacked: names that would leave the work folder or that Windows cannot
    // give a file, and a second entry of a name already listed.
    std::vector<std::string> refused;
    // Overlay files larger than the overlay reader takes: never unpacked.
    std::vector<std::string> tooLarge;
};
ArchiveListing ClassifyEntries(const std::vector<zip::Entry>& entries);

// Names read as code page 437 that the archive itself names otherwise (some Windows tools store the
// system's code page 1252 without saying so): an entry whose 437 reading is none of the wanted names
// and whose 1252 reading (ansiName) is one takes the latter. wanted: zip::FoldedName forms. True
// when a name changed.
bool TakeAnsiNames(std::vector<zip::Entry>& entries, const std::unordered_set<std::string>& wanted);

// The stored name the export gives a referenced file, in lower case: "C:\Bilder\Hund.bmp" is
// "bilder/hund.bmp", "\\server\share\a.wav" is "server/share/a.wav".
std::string StoredForm(const std::string& path);
// A stored name with '\' between folders, as the media tree shows it.
std::string Backslashed(std::string name);

// Whether a set name is taken: a set or another folder of that name is there.
using NameTaken = std::function<bool(const std::string&)>;
// The first of base, "%s 1", "%s 2", ... (base) that is a valid set name and not taken, the base cut
// short where the name would pass the longest a set name may be.
std::string FirstFreeSetName(const std::string& base, const NameTaken& taken);
// The new set's name: the zip file's title without the characters a set name cannot hold (fallback
// when nothing is left), made free by FirstFreeSetName.
std::string NewSetName(const std::string& zipPath, const NameTaken& taken, const std::string& fallback);

// The overlays the register file's lines name: a name and a number from each "number=name" line after
// the "[section]" line (the number read as the set store reads it).
std::vector<SetItem> RegisterEntries(const std::vector<std::string>& lines, const std::string& section);
// The register file's lines: after the "[section]" line, every "number=name" line gives its number
// to the overlay of that name (letter case ignored). Numbers read before are forgotten first.
void ReadRegisterNumbers(const std::vector<std::string>& lines, const std::string& section,
                         std::vector<SetItem>& overlays);

// The overlay tree: "%d %s" for the overlays numbered 1 to 100, in number order, then every other
// overlay (no number in the register, or one outside the range) in archive order, formatted with
// unnumberedFormat ("%s (utan nummer)").
std::vector<exportwizard::OverlayLine> OverlayLines(const std::vector<SetItem>& overlays,
                                                    const std::string& unnumberedFormat);

// Marks chosen each media entry that a reference names (by stored form, letter case ignored) and
// returns the stored names of those marked now for the first time, in the order first met.
std::vector<std::string> ChooseReferencedMedia(const std::vector<std::string>& references,
                                               std::vector<SetItem>& media);
// Each media entry takes the check of its tree line (by stored name); the count of entries matched.
int TakeMediaChecks(std::vector<SetItem>& media, const std::vector<std::pair<std::string, bool>>& checks);

// How many overlays a new set of this kind can number; -1 for no limit (the templates set).
int NumbersInNewSet(SetKind kind);
// An overlay's name as a file in the set: the characters a name cannot hold taken away, or fallback.
std::string PlacementName(const std::string& overlayName, const std::string& fallback);
// The drive that kept paths go to: the current folder's ("d:"), else the set folder's.
std::string DriveForKeptPaths(const std::string& currentFolder, const std::string& setFolder);
// The volumes of an archive split by Info-ZIP: "x.z01", "x.z02", ... beside the last, "x.zip".
std::string SplitVolumePath(const std::string& lastVolume, int disk, int count);

enum class MediaMode { kSharedFolder, kKeepPaths };

// Where a chosen media file landed: the natural place, or beside it under a name of its own when
// another file stood there.
struct Landing {
    std::string path;
    bool renamed = false;
    // A file that is no picture, sound or video is placed neither at its stored path (a crafted
    // archive could otherwise place any file anywhere on the drive) nor in the shared folder (which
    // may be a set folder, where an ".ini" becomes an overlay): it lands in the new set's import
    // folder, and its references follow it there.
    bool inImportFolder = false;
};
// Landings by stored name (lower case, '/').
using Landings = std::map<std::string, Landing>;

// The natural place of a media file: "%s\%s" (drive, stored name) or "%s\%s" (folder, file name).
std::string NaturalTarget(const SetItem& media, MediaMode mode, const std::string& driveOrFolder);

// One reference to rewrite, old text to new; the new one in its long form.
struct PathChange {
    std::string from;
    std::string to;
};
// The references whose files landed, each spelling once, with their new text:
// - kept paths: the drive and the reference's own folders and file name ("C:\Bilder\Hund.bmp"
//   becomes "d:\Bilder\Hund.bmp", "\\server\share\a.wav" "d:\server\share\a.wav");
// - one shared folder: the folder and the reference's file name ("d:\ljud\Hund.bmp").
// A file that landed under a name of its own gives the reference that name. A reference that reads
// the same afterwards (letter case ignored; in its short form when shortForm is given) is left out.
std::vector<PathChange> ReferenceChanges(const std::vector<std::string>& references, const Landings& landings,
                                         MediaMode mode, const std::string& driveOrFolder,
                                         const std::function<std::string(const std::string&)>& shortForm);

} // namespace importwizard
