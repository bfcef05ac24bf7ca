// The media folders of a set's overlays, and their rewriting.
#include "loader/SetMediaFolders.h"
#include "library/Cp1252.h"
#include "library/ImageBaseManager.h"
#include "library/KvoraObject.h"
#include "loader/FileIO.h"
#include "loader/StoreFiles.h"

namespace {

const char* const kFolderSeparator = "     ";

std::string FolderOf(const std::string& path)
{
    const size_t slash = path.rfind('\\');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

std::string WithoutTrailingSeparator(std::string folder)
{
    while (!folder.empty() && folder.back() == '\\')
        folder.pop_back();
    return folder;
}

// The form a path is listed and compared in.
std::string ListedForm(const std::string& path)
{
    return storefile::IsWindows95() ? path : storefile::LongForm(path);
}

} // namespace

SetMediaFolders::SetMediaFolders(FileIO& fileIO, const std::string& setName) : fileIO_(fileIO), setName_(setName) {}

int SetMediaFolders::VisitPaths(std::vector<Block>& keys, std::vector<Block>& background,
                                const PathVisitor& visit) const
{
    int changed = 0;
    auto visitBlock = [&](Block& block, bool pictureMayShorten) {
        bool blockChanged = false;
        // A picture from an image base is stored by its code, whatever path it was resolved to.
        if (block.pictureCode_.empty() && !block.picturePath_.empty())
            blockChanged = visit(block.picturePath_, pictureMayShorten);
        CKvoraObject content;
        content.delimiter_ = fileIO_.ContentDelimiter();
        if (content.ParseContent(block.command_, fileIO_.imageBaseSettingsFile_, &fileIO_.videoExtensions_)) {
            bool contentChanged = false;
            if (content.code_.empty() && !content.picturePath_.empty())
                contentChanged = visit(content.picturePath_, true);
            // A CD track is no file of a folder.
            if (!content.soundPath_.empty() && !cp1252::EqualsNoCase(content.GetSoundExtension(), "cda"))
                contentChanged = visit(content.soundPath_, true) || contentChanged;
            if (!content.videoPath_.empty())
                contentChanged = visit(content.videoPath_, true) || contentChanged;
            if (contentChanged) {
                block.command_ = content.BuildContent();
                blockChanged = true;
            }
        }
        changed += blockChanged ? 1 : 0;
    };
    for (Block& block : keys)
        visitBlock(block, true);
    for (Block& block : background)
        visitBlock(block, false);
    return changed;
}

void SetMediaFolders::Collect()
{
    items_.clear();
    fileIO_.ListOverlays(setName_, overlays_);
    for (const SetItem& overlay : overlays_) {
        std::vector<Block> keys;
        std::vector<Block> background;
        KeyboardSettings settings;
        fileIO_.LoadOverlay(fileIO_.OverlayPath(setName_, overlay.name_), keys, background, settings);
        VisitPaths(keys, background, [this](std::string& path, bool) {
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
        if (!RewriteOverlay(overlay, shortPaths))
            notRewritten.push_back(overlay.name_);
    }
    return notRewritten;
}

// Paths are matched in the form they were listed in, so a path stored in its short form follows the
// line that shows its long form.
bool SetMediaFolders::RewriteOverlay(const SetItem& overlay, int shortPaths)
{
    std::vector<Block> keys;
    std::vector<Block> background;
    KeyboardSettings settings;
    const int loaded = fileIO_.LoadOverlay(fileIO_.OverlayPath(setName_, overlay.name_), keys, background, settings);
    if (loaded == FileIO::kNotOpened)
        return false;
    const int changed = VisitPaths(keys, background, [&](std::string& path, bool mayShorten) {
        const std::string listed = ListedForm(path);
        const PathItem* item = ChangeFor(FolderOf(listed));
        if (item == nullptr || cp1252::EqualsNoCase(item->oldFolder, item->newFolder))
            return false;
        path = WithoutTrailingSeparator(item->newFolder) + listed.substr(item->oldFolder.size());
        if (shortPaths && mayShorten)
            path = ImageBaseManager::GetShortPath(path);
        return true;
    });
    if (changed == 0)
        return true;
    // A file that did not read whole would lose its unread lines in a save.
    if (loaded != FileIO::kLoaded)
        return false;
    return fileIO_.SaveKeepingFlag(overlay.name_, overlay.number_, setName_, keys, background, settings);
}
