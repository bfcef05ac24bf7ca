// The folders the overlays of one set take their pictures, sounds and videos from, and the folders
// the user gives them instead: the model of the change-paths dialog.
#pragma once
#include "store/ListRecords.h"
#include <string>
#include <vector>

class FileIO;

// Each media path an overlay stores as a path (not as an image-base code, not a CD track) lies in
// one listed folder, its own. Applying rewrites each path by the line of its own folder, from the
// paths as the files hold them: every change at once, none applied to the result of another.
class SetMediaFolders {
public:
    struct PathItem {
        std::string oldFolder; // as found, in its long form
        std::string newFolder; // the one to use; equal to the old one until the user changes it
    };

    SetMediaFolders(FileIO& fileIO, const std::string& setName);

    // Lists the set's overlays and the folders of their media, in the order found; one line per
    // folder, whatever the case of its letters.
    void Collect();
    const std::vector<PathItem>& Items() const { return items_; }
    const std::vector<SetItem>& Overlays() const { return overlays_; }
    void SetNewFolder(size_t index, const std::string& folder);
    // The list line: the old folder alone while the new one equals it (ignoring case), else the old
    // folder, five blanks and the new one.
    std::string LineText(size_t index) const;
    bool AnyNewFolderEmpty() const;
    // Rewrites every overlay that holds a path of a changed folder; with shortPaths the rewritten
    // paths take their short form, except background pictures. The names of the overlays that could
    // not be rewritten.
    std::vector<std::string> Apply(int shortPaths);

private:
    const PathItem* ChangeFor(const std::string& folder) const;
    // The path rewritten by the change of its own folder; false when that folder keeps its place.
    bool Rewrite(std::string& path, bool keepLong, int shortPaths) const;

    FileIO& fileIO_;
    std::string setName_;
    std::vector<SetItem> overlays_;
    std::vector<PathItem> items_;
};
