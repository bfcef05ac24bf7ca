// Finding the picture files of a disk folder for the insert-picture browser: which files count as
// pictures, the folders the program ini excludes, the sorted list a scan builds, the flat scan and the
// tree scan, and the sound that belongs to a picture.
#pragma once
#include <windows.h>
#include <list>
#include <string>
#include <vector>

// One picture file found by a scan.
struct FileListItem {
    std::string name_;  // the file name with its extension; a flat list may append " I" to tell equal names apart
    std::string path_;  // the full path
    FILETIME time_{0, 0}; // last written
};

// The folders a scan skips with everything below them: the keys 1, 2, 3, ... of [FolderExceptions] in
// the program ini, read up to the first missing or empty key.
class FolderExceptions {
public:
    void Read(const std::string& programIni);
    void Add(const std::string& folder) { folders_.push_back(folder); }
    // The path equals an exception, compared without case.
    bool Contains(const std::string& path) const;

private:
    std::vector<std::string> folders_;
};

// A folder shown as a tree: sub-folders (and image-base categories) with their pictures. Sorted items
// are placed in the tree's own sorted order, the others appended in the order given.
struct PictureTreeNode {
    enum Image { kPicture = 0, kClosedFolder = 1, kOpenFolder = 2 };
    std::string text_;
    int image_ = kPicture;
    bool sorted_ = false;
    std::vector<PictureTreeNode> children_;
};

namespace picturescan {

enum SortOrder { kByName = 0, kNewestFirst = 1 };

// The text after the last '.' is one of the picture types the browser shows, compared without case.
bool HasPictureExtension(const std::string& path);

// Puts a new item into a sorted scan list, walking from its tail: ascending by name (without case) or
// newest first; the item goes before entries that compare equal. With renameEqualNames (a flat list)
// an entry of the same name met on the way gives the new item's name an " I" (or "I" after an 'I').
void InsertSorted(std::list<FileListItem>& list, FileListItem item, int sortOrder, bool renameEqualNames);

// Every picture below the folder, depth first, into the sorted list; hidden sub-folders and exceptions
// are skipped. A folder that cannot be read adds nothing.
void ScanFlat(const std::string& folder, const FolderExceptions& exceptions, int sortOrder, bool renameEqualNames,
              std::list<FileListItem>& list);

// The folder's sub-folders (sorted) and its pictures (in sort order, after them) as tree items below
// parent; a sub-folder with nothing in it anywhere below is left out. Hidden sub-folders count here.
void ScanTree(const std::string& folder, const FolderExceptions& exceptions, int sortOrder,
              std::vector<PictureTreeNode>& parent);

// The sound of a picture: "<folder>\<title>" with .wav, .mp3, .m4a or .wma, the first that exists;
// empty when none does.
std::string FindSound(const std::string& folder, const std::string& title);

} // namespace picturescan
