// The media folders of a set's overlays, and their rewriting.
#include "skarpin/SetMediaFolders.h"
#include "library/Cp1252.h"
#include "store/FileIO.h"
#include "store/StoreFiles.h"

namespace {

const char* const kFolderSeparator = "     ";

std::string FolderOf(const std::string& path)
{
    const size_t slash = path.rfind('\\');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

// The form a path is listed and compared in.
std::string ListedForm(const std::string& path)
{
    return storefile::IsWindows95() ? path : storefile::LongForm(path);
}

} // namespace

SetMediaFolders::SetMediaFolders(FileIO& fileIO, const std::string& setName) : fileIO_(fileIO), setName_(setName) {}

void SetMediaFolders::Collect()
{
    items_.clear();
    fileIO_.ListOverlays(setName_, overlays_);
    for (const SetItem& overlay : overlays_) {
        std::vector<Block> keys;
        std::vector<Block> background;
        KeyboardSettings settings;
        fileIO_.LoadOverlay(fileIO_.OverlayPath(setName_, overlay.name_), keys, background, settings);
        fileIO_.RewriteBlockPaths(keys, background, [this](std::string& path, bool) {
            const std::string folder = FolderOf(ListedForm(path));
            if (!folder.empty() && ChangeFor(folder) == nullptr)
                items_.push_back(PathItem{folder, folder});
            return false;
        });
    }
}

const SetMediaFolders::PathItem* SetMediaFolders::ChangeFor(const std::string& folder) const
{
    for (const PathItem& item : items_) {
        if (cp1252::EqualsNoCase(item.oldFolder, folder))
            return &item;
    }
    return nullptr;
}

void SetMediaFolders::SetNewFolder(size_t index, const std::string& folder)
{
    if (index < items_.size())
        items_[index].newFolder = folder;
}

std::string SetMediaFolders::LineText(size_t index) const
{
    const PathItem& item = items_.at(index);
    if (cp1252::EqualsNoCase(item.oldFolder, item.newFolder))
        return item.oldFolder;
    return item.oldFolder + kFolderSeparator + item.newFolder;
}

bool SetMediaFolders::AnyNewFolderEmpty() const
{
    for (const PathItem& item : items_) {
        if (item.newFolder.empty())
            return true;
    }
    return false;
}

std::vector<std::string> SetMediaFolders::Apply(int shortPaths)
{
    bool anyChange = false;
    for (const PathItem& item : items_)
        anyChange = anyChange || !cp1252::EqualsNoCase(item.oldFolder, item.newFolder);
    std::vector<std::string> notRewritten;
    if (!anyChange)
        return notRewritten;
    for (const SetItem& overlay : overlays_) {
        auto rewrite = [&](std::string& path, bool keepLong) { return Rewrite(path, keepLong, shortPaths); };
        if (!fileIO_.RewriteOverlayPaths(setName_, overlay.name_, overlay.number_, rewrite))
            notRewritten.push_back(overlay.name_);
    }
    return notRewritten;
}

// Paths are matched in the form they were listed in, so a path stored in its short form follows the
// line that shows its long form.
bool SetMediaFolders::Rewrite(std::string& path, bool keepLong, int shortPaths) const
{
    const std::string listed = ListedForm(path);
    const PathItem* item = ChangeFor(FolderOf(listed));
    if (item == nullptr || cp1252::EqualsNoCase(item->oldFolder, item->newFolder))
        return false;
    path = listed;
    return FileIO::ReplacePathPrefix(path, item->oldFolder, item->newFolder, shortPaths && !keepLong ? 1 : 0) == 1;
}
