// FileIO's media between sets: the files an overlay keeps in its set's import folder follow it into
// another set, and folder prefixes in overlay paths are replaced when folders change.
#include "store/FileIO.h"
#include "framework/Files.h"
#include "library/ContentPaths.h"
#include "library/Cp1252.h"
#include "store/StoreFiles.h"
#include <windows.h>

namespace {


// A folder without the backslashes at its end; a drive's root keeps only its "X:".
std::string WithoutTrailingSeparator(std::string folder)
{
    while (!folder.empty() && folder.back() == '\\')
        folder.pop_back();
    return folder;
}

// Copies a media file into the target folder. A file of that name there already is used again when
// it is the same file; another overlay's file of that name stays, and the copy takes the first free
// "%s %d" name beside it. A copy counts only when it arrived whole.
bool CopyMediaFile(const std::string& source, const std::string& targetFolder, std::string& target)
{
    const std::string title = ImageBaseManager::GetFileTitleFromPath(source);
    const std::string extension = ImageBaseManager::GetFileExtension(source);
    const std::string dotExtension = extension.empty() ? std::string() : "." + extension;
    std::string candidate = targetFolder + "\\" + ImageBaseManager::GetFileNameFromPath(source);
    for (int n = 1; fw::PathExists(candidate); ++n) {
        if (storefile::SameContent(source, candidate)) {
            target = candidate;
            return true;
        }
        candidate = targetFolder + "\\" + title + " " + std::to_string(n) + dotExtension;
    }
    if (!::CopyFileA(source.c_str(), candidate.c_str(), TRUE) || !storefile::SameContent(source, candidate)) {
        ::DeleteFileA(candidate.c_str());
        return false;
    }
    target = candidate;
    return true;
}

// Each path once, in the order first met; paths are compared ignoring case.
std::vector<std::string> WithoutRepeats(const std::vector<std::string>& paths)
{
    std::vector<std::string> unique;
    for (const std::string& path : paths) {
        bool seen = false;
        for (const std::string& kept : unique)
            seen = seen || cp1252::EqualsNoCase(kept, path);
        if (!seen)
            unique.push_back(path);
    }
    return unique;
}

} // namespace

char FileIO::ContentDelimiter() const
{
    const char prefix = GetPrefix();
    return prefix != '\0' ? prefix : '@';
}

std::vector<std::string> FileIO::ImportOverlay(const std::string& sourceSet, const std::string& targetSet,
                                               const std::string& overlayName, int number)
{
    if (sourceSet.empty() || targetSet.empty() || SameSetName(sourceSet, targetSet))
        return {};
    const std::string sourceFolder = SetImportFolderPath(sourceSet);
    const std::string targetFolder = SetImportFolderPath(targetSet);

    std::vector<Block> keys;
    std::vector<Block> background;
    KeyboardSettings settings;
    const int loaded = LoadOverlay(OverlayPath(targetSet, overlayName), keys, background, settings);
    if (loaded == kNotOpened)
        return {};

    int changed = 0;
    MediaCarry carry;
    for (Block& block : keys)
        ImportBlockMedia(block, sourceFolder, targetFolder, changed, &carry);
    for (Block& block : background)
        ImportBlockMedia(block, sourceFolder, targetFolder, changed, &carry);
    std::vector<std::string> notCarried = carry.failed;
    // A file that did not read whole would lose its unread lines in a save: its paths stay, and
    // they still lead to the source set's files.
    if (changed && (loaded != kLoaded || !SaveKeepingFlag(overlayName, number, targetSet, keys, background, settings)))
        notCarried.insert(notCarried.end(), carry.carried.begin(), carry.carried.end());
    return WithoutRepeats(notCarried);
}

// A path lies in the source folder when the text before its last backslash is that folder.
bool FileIO::ImportBlockMedia(Block& block, const std::string& sourceFolder, const std::string& targetFolder,
                              int& changed, MediaCarry* report)
{
    bool copied = true;
    auto carry = [&](std::string& path) {
        if (path.empty() || !cp1252::EqualsNoCase(ImageBaseManager::GetFolderFromPath(path), sourceFolder))
            return false;
        // A file that is not there has nothing to carry; its reference stays as it was.
        if (!fw::FileExists(path))
            return false;
        // The folder is made for the first file that goes into it: an overlay without media leaves
        // no empty folder behind.
        std::string folder = targetFolder;
        std::string target;
        if (ImageBaseManager::CreatePath(folder) != 1 || !CopyMediaFile(path, targetFolder, target)) {
            copied = false;
            if (report)
                report->failed.push_back(path);
            return false;
        }
        if (report)
            report->carried.push_back(path);
        path = target;
        return true;
    };

    if (carry(block.picturePath_))
        changed = 1;
    // The commands hold content strings between the configured prefix characters; only the paths
    // carried change in them.
    if (RewriteContentPaths(block.command_, ContentDelimiter(), &videoExtensions_,
                            [&](std::string& path, media::Kind) { return carry(path); }) > 0)
        changed = 1;
    return copied;
}

// The prefix names a folder: it matches the folder itself and what lies below it, never a sibling
// whose name merely begins the same way ("Skola" is not a prefix of "Skola 2\bild.bmp").
int FileIO::ReplacePathPrefix(std::string& path, const std::string& oldPrefix, const std::string& newPrefix,
                              int shortPath)
{
    if (path.empty())
        return 0;
    const std::string oldFolder = WithoutTrailingSeparator(oldPrefix);
    if (oldFolder.empty() || !cp1252::StartsWithNoCase(path, oldFolder))
        return 0;
    if (path.size() > oldFolder.size() && path[oldFolder.size()] != '\\')
        return 0;
    path = WithoutTrailingSeparator(newPrefix) + path.substr(oldFolder.size());
    if (shortPath)
        path = ImageBaseManager::GetShortPath(path);
    return 1;
}

int FileIO::RewriteBlockPaths(std::vector<Block>& keys, std::vector<Block>& background,
                              const PathRewrite& rewrite) const
{
    // A CD track is no file of a folder.
    auto commandPath = [&](std::string& path, media::Kind kind) {
        if (kind == media::Kind::Sound && cp1252::EqualsNoCase(fw::FileExtension(path), "cda"))
            return false;
        return rewrite(path, false);
    };
    int changed = 0;
    auto rewriteBlock = [&](Block& block, bool keepLong) {
        bool blockChanged = false;
        // A picture from an image base is stored by its code, whatever file the code led to.
        if (block.pictureCode_.empty() && !block.picturePath_.empty())
            blockChanged = rewrite(block.picturePath_, keepLong);
        if (RewriteContentPaths(block.command_, ContentDelimiter(), &videoExtensions_, commandPath) > 0)
            blockChanged = true;
        changed += blockChanged ? 1 : 0;
    };
    for (Block& block : keys)
        rewriteBlock(block, false);
    for (Block& block : background)
        rewriteBlock(block, true);
    return changed;
}

bool FileIO::RewriteOverlayPaths(const std::string& setName, const std::string& overlayName, int number,
                                 const PathRewrite& rewrite)
{
    std::vector<Block> keys;
    std::vector<Block> background;
    KeyboardSettings settings;
    const int loaded = LoadOverlay(OverlayPath(setName, overlayName), keys, background, settings);
    if (loaded == kNotOpened)
        return false;
    if (RewriteBlockPaths(keys, background, rewrite) == 0)
        return true;
    if (loaded != kLoaded)
        return false;
    return SaveKeepingFlag(overlayName, number, setName, keys, background, settings);
}

bool FileIO::ReplaceOverlayPaths(const std::string& setName, const std::string& overlayName, int number,
                                 const std::string& oldPrefix, const std::string& newPrefix, int shortPaths)
{
    return RewriteOverlayPaths(setName, overlayName, number, [&](std::string& path, bool keepLong) {
        return ReplacePathPrefix(path, oldPrefix, newPrefix, keepLong ? 0 : shortPaths) == 1;
    });
}

// A save writes the file anew, and the AccessKvora flag lives only in the file: it is put back. An
// overlay whose file name the save would change (blanks at its ends, characters a name cannot hold)
// is left alone rather than written a second time under another name.
bool FileIO::SaveKeepingFlag(const std::string& overlayName, int number, const std::string& setName,
                             const std::vector<Block>& keys, const std::vector<Block>& background,
                             const KeyboardSettings& settings)
{
    std::string name = overlayName;
    if (!IsValidName(name) || CleanName(name) != name)
        return false;
    const int accessKvora = GetAccessKvoraFlag(overlayName, setName);
    if (SaveOverlay(name, number, setName, keys, background, settings, nullptr, SaveTarget::kOwnFile) != kSaved)
        return false;
    return accessKvora == 0 || SetAccessKvoraFlag(name, setName, accessKvora);
}
