// The export wizard's decisions without a window: which overlays it offers and how they are chosen,
// the media files it collects, the zip file it proposes, and what goes into the archive under which name.
#pragma once
#include "store/ListRecords.h"
#include <string>
#include <unordered_set>
#include <vector>

namespace exportwizard {

// One line of the overlay tree: "%d %s" (number, name) and the overlay's name.
struct OverlayLine {
    std::string text;
    std::string name;
};

// The overlays numbered 1 to 100 in number order (the standard overlays above 100 are never offered).
std::vector<OverlayLine> OverlayLines(const std::vector<SetItem>& overlays);

// What the main window offers: with the focus on the overlay list and lines chosen there, the overlays
// of those names (letter case ignored); otherwise every overlay.
void MarkOffered(std::vector<SetItem>& overlays, const std::vector<std::string>& chosenLines, bool focusOnOverlays);

// Each overlay's chosen flag becomes its line's check (by exact name); an overlay without a line is
// not chosen. Returns how many are chosen.
int TakeChecks(std::vector<SetItem>& overlays, const std::vector<std::pair<std::string, bool>>& checks);

// The picture, sound and video files the chosen overlays use, each listed once (letter case ignored)
// in the order they were first offered.
class MediaList {
public:
    // Offers a path, held by the caller and changed in place: an empty path or a file that does not
    // open is not offered; the path is lower-cased and, with longPath, replaced by its long form.
    // true when that long form differs from the lower-cased path other than in letter case, so a
    // command that holds it must be written anew.
    bool Offer(std::string& path, bool longPath);
    const std::vector<std::string>& Paths() const { return paths_; }
    void Clear()
    {
        paths_.clear();
        listed_.clear();
    }

private:
    std::vector<std::string> paths_;
    std::unordered_set<std::string> listed_; // the paths in lower case: looked up, not searched
};

// The first "%s.zip", "%s 1.zip", "%s 2.zip" ... (set name) in the folder that names no file.
std::string ProposedZipPath(const std::string& folder, const std::string& setName);
// A chosen path keeps an extension that begins with "zip" (letter case ignored); another extension
// becomes "zip", and a name without one gets ".zip".
std::string WithZipExtension(const std::string& path);
// The folder of a path: the text before its last '\'.
std::string FolderOf(const std::string& path);
// Diskette mode: the zip file goes to drive A.
bool IsDisketteFolder(const std::string& folder);

// The register of the archive: the section line and one "%d=%s" line per chosen overlay, CR LF.
std::string RegisterText(const std::string& section, const std::vector<SetItem>& overlays);

// One file of the archive: where it is read from and the name it is stored under.
struct ArchiveFile {
    std::string source;
    std::string storedName;
};
struct ArchivePlan {
    std::vector<ArchiveFile> files;
    // Media files the archive cannot hold under their own stored name: another file has that name,
    // or it would read as the register or as an overlay.
    std::vector<std::string> leftOut;
};
// The chosen overlays' copies in the work folder under their bare names, the register under
// "register.txt", then each media file under its path without the drive ('/' between folders).
ArchivePlan PlanArchive(const std::string& workFolder, const std::vector<SetItem>& overlays,
                        const std::string& registerFile, const std::vector<SetItem>& media);

} // namespace exportwizard
