// The picture scans of the insert-picture browser.
#include "writer_settings/PictureScan.h"
#include "framework/Files.h"
#include "library/Cp1252.h"
#include "library/IniFile.h"
#include <iterator>

namespace {

const char* const kPictureExtensions[] = {"bmp", "gif", "png", "ico", "jpe", "jpeg", "jpg", "pcx", "tif", "wmf", "emf"};
const char* const kSoundExtensions[] = {"wav", "mp3", "m4a", "wma"};

// The scan's order of names: byte order of the lower-cased names, as the list has always sorted.
bool NameLess(const std::string& a, const std::string& b)
{
    return cp1252::Lower(a) < cp1252::Lower(b);
}

bool Later(const FILETIME& a, const FILETIME& b)
{
    return ::CompareFileTime(&a, &b) > 0;
}

std::string WithoutTrailingBackslash(std::string path)
{
    if (!path.empty() && path.back() == '\\')
        path.pop_back();
    return path;
}

bool IsDotEntry(const WIN32_FIND_DATAA& entry)
{
    return std::string(entry.cFileName) == "." || std::string(entry.cFileName) == "..";
}

// Calls visit for each entry of "<folder>\*.*" but the two dot entries.
template <class Visit>
void ForEachEntry(const std::string& folder, Visit visit)
{
    WIN32_FIND_DATAA entry;
    HANDLE find = ::FindFirstFileA((folder + "\\*.*").c_str(), &entry);
    if (find == INVALID_HANDLE_VALUE)
        return;
    do {
        if (!IsDotEntry(entry))
            visit(entry);
    } while (::FindNextFileA(find, &entry));
    ::FindClose(find);
}

FileListItem ItemOf(const std::string& folder, const WIN32_FIND_DATAA& entry)
{
    FileListItem item;
    item.name_ = entry.cFileName;
    item.path_ = folder + "\\" + entry.cFileName;
    item.time_ = entry.ftLastWriteTime;
    return item;
}

bool IsFolder(const WIN32_FIND_DATAA& entry)
{
    return (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

} // namespace

void FolderExceptions::Read(const std::string& programIni)
{
    folders_.clear();
    for (int key = 1;; ++key) {
        std::string value = ini::ReadString(programIni, "FolderExceptions", std::to_string(key));
        if (value.empty())
            break;
        folders_.push_back(value);
    }
}

bool FolderExceptions::Contains(const std::string& path) const
{
    for (const std::string& folder : folders_) {
        if (cp1252::EqualsNoCase(folder, path))
            return true;
    }
    return false;
}

namespace picturescan {

bool HasPictureExtension(const std::string& path)
{
    const size_t dot = path.rfind('.');
    if (dot == std::string::npos)
        return false;
    const std::string extension = path.substr(dot + 1);
    for (const char* known : kPictureExtensions) {
        if (cp1252::EqualsNoCase(extension, known))
            return true;
    }
    return false;
}

void InsertSorted(std::list<FileListItem>& list, FileListItem item, int sortOrder, bool renameEqualNames)
{
    auto at = list.end();
    while (at != list.begin()) {
        auto entry = std::prev(at);
        if (renameEqualNames && cp1252::EqualsNoCase(entry->name_, item.name_))
            item.name_ += (!item.name_.empty() && item.name_.back() == 'I') ? "I" : " I";
        const bool stop = sortOrder == kNewestFirst ? Later(entry->time_, item.time_) : NameLess(entry->name_, item.name_);
        if (stop)
            break;
        at = entry;
    }
    list.insert(at, std::move(item));
}

void ScanFlat(const std::string& folder, const FolderExceptions& exceptions, int sortOrder, bool renameEqualNames,
              std::list<FileListItem>& list)
{
    const std::string path = WithoutTrailingBackslash(folder);
    if (exceptions.Contains(path))
        return;
    ForEachEntry(path, [&](const WIN32_FIND_DATAA& entry) {
        if (IsFolder(entry)) {
            if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_HIDDEN))
                ScanFlat(path + "\\" + entry.cFileName, exceptions, sortOrder, renameEqualNames, list);
        } else if (HasPictureExtension(entry.cFileName)) {
            InsertSorted(list, ItemOf(path, entry), sortOrder, renameEqualNames);
        }
    });
}

void ScanTree(const std::string& folder, const FolderExceptions& exceptions, int sortOrder,
              std::vector<PictureTreeNode>& parent)
{
    const std::string path = WithoutTrailingBackslash(folder);
    if (exceptions.Contains(path))
        return;
    std::list<FileListItem> files;
    ForEachEntry(path, [&](const WIN32_FIND_DATAA& entry) {
        if (IsFolder(entry)) {
            const std::string child = path + "\\" + entry.cFileName;
            if (exceptions.Contains(child))
                return;
            PictureTreeNode node;
            node.text_ = entry.cFileName;
            node.image_ = PictureTreeNode::kClosedFolder;
            node.sorted_ = true;
            ScanTree(child, exceptions, sortOrder, node.children_);
            // Folders without a picture anywhere below them are not shown.
            if (!node.children_.empty())
                parent.push_back(std::move(node));
        } else if (HasPictureExtension(entry.cFileName)) {
            InsertSorted(files, ItemOf(path, entry), sortOrder, false);
        }
    });
    for (const FileListItem& file : files) {
        PictureTreeNode node;
        node.text_ = file.name_;
        parent.push_back(std::move(node));
    }
}

std::string FindSound(const std::string& folder, const std::string& title)
{
    const std::string base = WithoutTrailingBackslash(folder) + "\\" + title + ".";
    for (const char* extension : kSoundExtensions) {
        if (fw::FileExists(base + extension))
            return base + extension;
    }
    return std::string();
}

} // namespace picturescan
