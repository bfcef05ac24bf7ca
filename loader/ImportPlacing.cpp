// Placing the imported overlays and their media files.
#include "loader/ImportPlacing.h"
#include "framework/Files.h"
#include "library/ContentPaths.h"
#include "library/Cp1252.h"
#include "library/ImageBaseManager.h"
#include "library/MediaFiles.h"
#include "loader/StoreFiles.h"
#include <windows.h>
#include <algorithm>
#include <functional>
#include <unordered_map>
#include <unordered_set>

namespace importwizard {

namespace {

// Moves the file to the target, or beside it as "%s %d" (title, n) when another file stands there.
// A file of the same content there already is used as it is. False when it could not be moved.
bool MoveBeside(const std::string& source, const std::string& target, Landing& landing)
{
    const std::string folder = ImageBaseManager::GetFolderFromPath(target);
    const std::string title = ImageBaseManager::GetFileTitleFromPath(target);
    const std::string extension = ImageBaseManager::GetFileExtension(target);
    const std::string dotExtension = extension.empty() ? std::string() : "." + extension;
    std::string candidate = target;
    for (int n = 1;; ++n) {
        if (!fw::PathExists(candidate)) {
            if (!::MoveFileExA(source.c_str(), candidate.c_str(), MOVEFILE_COPY_ALLOWED | MOVEFILE_WRITE_THROUGH)) {
                // A copy across drives that broke off leaves no half file.
                ::DeleteFileA(candidate.c_str());
                return false;
            }
            break;
        }
        if (fw::FileExists(candidate) && storefile::SameContent(source, candidate))
            break;
        candidate = folder + "\\" + title + " " + std::to_string(n) + dotExtension;
    }
    landing.path = candidate;
    landing.renamed = candidate != target;
    return true;
}

class Placer {
public:
    Placer(FileIO& io, const PlacementRequest& request, std::vector<SetItem>& overlays, const std::vector<SetItem>& media)
        : io_(io), request_(request), overlays_(overlays), media_(media)
    {
    }

    PlacementResult Run()
    {
        result_.setName = FirstFreeSetName(request_.setName, [&](const std::string& name) {
            return fw::PathExists(io_.SetFolderPath(name));
        });
        where_ = request_.driveOrFolder;
        if (where_.empty() && request_.mode == MediaMode::kSharedFolder)
            where_ = io_.SetImportFolderPath(result_.setName);
        if (!HasRoom()) {
            result_.outcome = PlacementResult::kNoRoom;
            return result_;
        }
        if (!io_.CreateSet(result_.setName)) {
            ImageBaseManager::DeleteTree(io_.SetFolderPath(result_.setName));
            result_.outcome = PlacementResult::kSetNotCreated;
            return result_;
        }
        if (!PlaceOverlays()) {
            result_.outcome = PlacementResult::kOverlayNotPlaced;
            return result_;
        }
        FixReferences(MoveMedia());
        return result_;
    }

private:
    struct Placed {
        SetItem* overlay;
        SetItem before;
        std::vector<std::string> references;
    };

    bool HasRoom() const
    {
        const int numbers = NumbersInNewSet(io_.KindOfSet(result_.setName));
        const auto chosen = std::count_if(overlays_.begin(), overlays_.end(), [](const SetItem& o) { return o.selected_; });
        return numbers < 0 || chosen <= numbers;
    }

    // In list order, each under the name and number the set gives it. When one cannot be placed, the
    // ones placed go back to the work folder and the new set goes.
    bool PlaceOverlays()
    {
        for (SetItem& overlay : overlays_) {
            if (!overlay.selected_)
                continue;
            int number = overlay.number_;
            std::string placedName;
            if (!io_.PlaceOverlayFile(overlay.path_, result_.setName,
                                      PlacementName(overlay.name_, request_.fallbackOverlayName), number, placedName)) {
                result_.failedOverlay = overlay.name_;
                UndoPlacing();
                return false;
            }
            placed_.push_back(Placed{&overlay, overlay, {}});
            overlay.name_ = placedName;
            overlay.number_ = number;
        }
        return true;
    }

    void UndoPlacing()
    {
        for (auto it = placed_.rbegin(); it != placed_.rend(); ++it) {
            ::MoveFileExA(io_.OverlayPath(result_.setName, it->overlay->name_).c_str(), it->before.path_.c_str(),
                          MOVEFILE_COPY_ALLOWED);
            *it->overlay = it->before;
        }
        placed_.clear();
        // The folder is the one CreateSet made: no set or folder of the name was there before.
        ImageBaseManager::DeleteTree(io_.SetFolderPath(result_.setName));
    }

    // Only pictures, sounds and videos are placed as media, at their stored paths or in the shared
    // folder; anything else an archive holds goes to the new set's import folder, where no listing of
    // sets or overlays looks (an ".ini" in a set folder the user browsed to would become an overlay).
    bool KeptOutOfItsPlace(const SetItem& file) const
    {
        return media::KindOf(file.path_, &io_.videoExtensions_) == media::Kind::Unknown;
    }
    std::string TargetOf(const SetItem& file) const
    {
        if (KeptOutOfItsPlace(file))
            return NaturalTarget(file, MediaMode::kSharedFolder, io_.SetImportFolderPath(result_.setName));
        return NaturalTarget(file, request_.mode, where_);
    }

    // A file whose natural place a reference names already is moved first, so that it keeps that
    // place rather than another file of its name taking it.
    Landings MoveMedia()
    {
        std::unordered_set<std::string> references; // in lower case: compared ignoring it
        for (Placed& placed : placed_) {
            placed.references = OverlayReferences(io_, io_.OverlayPath(result_.setName, placed.overlay->name_));
            for (const std::string& reference : placed.references)
                references.insert(cp1252::Lower(reference));
        }
        std::vector<const SetItem*> files;
        for (const SetItem& file : media_) {
            if (file.selected_)
                files.push_back(&file);
        }
        auto namedAlready = [&](const SetItem* file) { return references.count(cp1252::Lower(TargetOf(*file))) > 0; };
        std::stable_partition(files.begin(), files.end(), namedAlready);

        Landings landings;
        for (const SetItem* file : files) {
            const std::string target = TargetOf(*file);
            std::string folder = ImageBaseManager::GetFolderFromPath(target);
            Landing landing;
            landing.inImportFolder = KeptOutOfItsPlace(*file);
            if (ImageBaseManager::CreatePath(folder) == 1 &&
                MoveBeside(request_.workFolder + Backslashed(file->path_), target, landing))
                landings[file->path_] = landing;
            else
                result_.filesNotPlaced.push_back(file->path_);
        }
        return landings;
    }

    void FixReferences(const Landings& landings)
    {
        const int shortNames = io_.GetShortCommandFlag();
        std::function<std::string(const std::string&)> shortForm;
        if (shortNames)
            shortForm = ShortForm;
        for (const Placed& placed : placed_) {
            const std::vector<PathChange> changes =
                ReferenceChanges(placed.references, landings, request_.mode, where_, shortForm);
            if (!changes.empty() && !RewriteReferences(*placed.overlay, changes, shortNames))
                result_.overlaysNotFixed.push_back(placed.overlay->name_);
        }
    }

    // One pass over the overlay: each reference is looked up as it was read, so no change rewrites
    // another's new path. Pictures keep their long names; with short names, the paths of key blocks'
    // commands take their short form.
    bool RewriteReferences(const SetItem& overlay, const std::vector<PathChange>& changes, int shortNames)
    {
        std::vector<Block> keys;
        std::vector<Block> background;
        KeyboardSettings settings;
        const int loaded = io_.LoadOverlay(io_.OverlayPath(result_.setName, overlay.name_), keys, background, settings);
        if (loaded == FileIO::kNotOpened)
            return false;
        std::unordered_map<std::string, std::string> newText;
        for (const PathChange& change : changes)
            newText.emplace(change.from, change.to);
        bool changed = false;
        for (std::vector<Block>* blocks : {&keys, &background}) {
            for (Block& block : *blocks) {
                changed = ForEachReference(io_, block, [&](std::string& path, bool inCommand) {
                    const auto change = newText.find(path);
                    if (change == newText.end())
                        return false;
                    const std::string to = inCommand && shortNames && blocks == &keys ? ShortForm(change->second) : change->second;
                    if (to == path)
                        return false;
                    path = to;
                    return true;
                }) || changed;
            }
        }
        if (!changed)
            return true;
        // A file that did not read whole would lose its unread lines in a save.
        return loaded == FileIO::kLoaded &&
               io_.SaveKeepingFlag(overlay.name_, overlay.number_, result_.setName, keys, background, settings);
    }

    // Short names are written in lower case, as the command dialog writes them.
    static std::string ShortForm(const std::string& path) { return cp1252::Lower(ImageBaseManager::GetShortPath(path)); }

    FileIO& io_;
    const PlacementRequest& request_;
    std::vector<SetItem>& overlays_;
    const std::vector<SetItem>& media_;
    std::vector<Placed> placed_;
    PlacementResult result_;
    std::string where_; // the drive or the shared folder the files go to
};

} // namespace

bool ForEachReference(FileIO& io, Block& block, const ReferenceVisitor& visit)
{
    bool changed = block.pictureCode_.empty() && !block.picturePath_.empty() && visit(block.picturePath_, false);
    // Only the paths change in a command; a CD track is no file to bring along.
    auto inCommand = [&](std::string& path, media::Kind kind) {
        if (kind == media::Kind::Unknown || (kind == media::Kind::Sound && cp1252::EqualsNoCase(fw::FileExtension(path), "cda")))
            return false;
        return visit(path, true);
    };
    return RewriteContentPaths(block.command_, io.ContentDelimiter(), &io.videoExtensions_, inCommand) > 0 || changed;
}

std::vector<std::string> OverlayReferences(FileIO& io, const std::string& overlayFile)
{
    std::vector<Block> keys;
    std::vector<Block> background;
    KeyboardSettings settings;
    io.LoadOverlay(overlayFile, keys, background, settings);
    std::vector<std::string> references;
    for (std::vector<Block>* blocks : {&keys, &background}) {
        for (Block& block : *blocks) {
            ForEachReference(io, block, [&](std::string& path, bool) {
                references.push_back(path);
                return false;
            });
        }
    }
    return references;
}

PlacementResult PlaceImport(FileIO& io, const PlacementRequest& request, std::vector<SetItem>& overlays,
                            const std::vector<SetItem>& media)
{
    return Placer(io, request, overlays, media).Run();
}

} // namespace importwizard
