// Placing the imported overlays and their media files.
#include "skarpin/ImportPlacing.h"
#include "components/ZipRecords.h"
#include "framework/Files.h"
#include "library/ContentPaths.h"
#include "library/Cp1252.h"
#include "library/ImageBaseManager.h"
#include "library/MediaFiles.h"
#include "store/StoreFiles.h"
#include <windows.h>
#include <algorithm>
#include <functional>
#include <map>
#include <unordered_map>
#include <unordered_set>

namespace importwizard {

namespace {

// Where the files of one natural place land: there, or beside it as "%s %d" (title, n) when another
// file stands there. The numbers go on from the last one taken and the files already there are known
// by their size and CRC, so each file is read once however many share a name. A file of the same
// content there already is used as it is.
class SideBySide {
public:
    // The file moved to the target or beside it, or the file of its content there. False when it could
    // not be moved.
    bool Place(const std::string& source, const std::string& target, Landing& landing, bool& moved)
    {
        Name& name = names_[cp1252::Lower(target)];
        // The source is read for its print only when another file may hold its content.
        Print print;
        bool printed = false;
        auto sameThere = [&](std::string& found) {
            printed = printed || zip::FileCrc(source, print.second, print.first);
            return printed && Find(name, source, print, found);
        };
        std::string candidate = target;
        if (name.seen) {
            if (sameThere(candidate)) {
                Land(target, candidate, landing);
                moved = false;
                return true;
            }
            candidate = Numbered(target, name.next++);
        }
        name.seen = true;
        for (;;) {
            if (!fw::PathExists(candidate)) {
                if (!::MoveFileExA(source.c_str(), candidate.c_str(), MOVEFILE_COPY_ALLOWED | MOVEFILE_WRITE_THROUGH)) {
                    // A copy across drives that broke off leaves no half file.
                    ::DeleteFileA(candidate.c_str());
                    return false;
                }
                name.unread.push_back(candidate);
                Land(target, candidate, landing);
                moved = true;
                return true;
            }
            if (fw::FileExists(candidate)) {
                name.unread.push_back(candidate);
                if (sameThere(candidate)) {
                    Land(target, candidate, landing);
                    moved = false;
                    return true;
                }
            }
            candidate = Numbered(target, name.next++);
        }
    }

private:
    using Print = std::pair<std::uint64_t, std::uint32_t>; // size, CRC
    struct Name {
        bool seen = false;
        int next = 1;
        std::vector<std::string> unread;         // files there whose print is not taken yet
        std::multimap<Print, std::string> files; // and those whose print is
    };

    static std::string Numbered(const std::string& target, int n)
    {
        const std::string extension = ImageBaseManager::GetFileExtension(target);
        return ImageBaseManager::GetFolderFromPath(target) + "\\" + ImageBaseManager::GetFileTitleFromPath(target) +
               " " + std::to_string(n) + (extension.empty() ? std::string() : "." + extension);
    }

    static void Land(const std::string& target, const std::string& path, Landing& landing)
    {
        landing.path = path;
        landing.renamed = path != target;
    }

    // A file of the name with the source's content: its path in found.
    bool Find(Name& name, const std::string& source, const Print& print, std::string& found)
    {
        for (const std::string& path : name.unread) {
            Print there;
            if (zip::FileCrc(path, there.second, there.first))
                name.files.emplace(there, path);
        }
        name.unread.clear();
        const auto same = name.files.equal_range(print);
        for (auto it = same.first; it != same.second; ++it) {
            if (storefile::SameContent(source, it->second)) {
                found = it->second;
                return true;
            }
        }
        return false;
    }

    std::unordered_map<std::string, Name> names_; // by natural place, in lower case
};

class Placer {
public:
    Placer(FileIO& io, const PlacementRequest& request, std::vector<SetItem>& overlays, const std::vector<SetItem>& media,
           const zip::ProgressHandler& progress)
        : io_(io), request_(request), overlays_(overlays), media_(media), progress_(progress)
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
        step_.total = static_cast<std::uint64_t>(
            std::count_if(overlays_.begin(), overlays_.end(), [](const SetItem& o) { return o.selected_; }) +
            std::count_if(media_.begin(), media_.end(), [](const SetItem& f) { return f.selected_; }));
        if (!PlaceOverlays()) {
            result_.outcome = cancelled_ ? PlacementResult::kCancelled : PlacementResult::kOverlayNotPlaced;
            return result_;
        }
        const Landings landings = MoveMedia();
        if (cancelled_) {
            UndoMoves();
            UndoPlacing();
            result_.outcome = PlacementResult::kCancelled;
            return result_;
        }
        FixReferences(landings);
        return result_;
    }

private:
    struct Placed {
        SetItem* overlay;
        SetItem before;
        std::vector<std::string> references;
    };

    // Tells the progress, a step per overlay and file; false once Cancel was pressed.
    bool Step(const std::string& name)
    {
        step_.file = name;
        cancelled_ = cancelled_ || (progress_ && !progress_(step_));
        ++step_.done;
        return !cancelled_;
    }

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
            if (!Step(overlay.name_)) {
                UndoPlacing();
                return false;
            }
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
        SideBySide places;
        for (const SetItem* file : files) {
            if (!Step(file->path_))
                break;
            const std::string target = TargetOf(*file);
            std::string folder = ImageBaseManager::GetFolderFromPath(target);
            const std::string source = request_.workFolder + Backslashed(file->path_);
            Landing landing;
            landing.inImportFolder = KeptOutOfItsPlace(*file);
            bool moved = false;
            if (ImageBaseManager::CreatePath(folder, &madeFolders_) == 1 && places.Place(source, target, landing, moved)) {
                landings[file->path_] = landing;
                if (moved)
                    moves_.emplace_back(source, landing.path);
            } else {
                result_.filesNotPlaced.push_back(file->path_);
            }
        }
        return landings;
    }

    // The files moved go back to the work folder, the last first; then the folders made for them go,
    // the deepest first. A folder something else has put a file in stays (only an empty one is removed).
    void UndoMoves()
    {
        for (auto it = moves_.rbegin(); it != moves_.rend(); ++it)
            ::MoveFileExA(it->second.c_str(), it->first.c_str(), MOVEFILE_COPY_ALLOWED);
        moves_.clear();
        for (auto it = madeFolders_.rbegin(); it != madeFolders_.rend(); ++it)
            ::RemoveDirectoryA(it->c_str());
        madeFolders_.clear();
        result_.filesNotPlaced.clear();
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
    const zip::ProgressHandler& progress_;
    zip::Progress step_; // in overlays and files
    bool cancelled_ = false;
    std::vector<std::pair<std::string, std::string>> moves_; // from the work folder, to
    std::vector<std::string> madeFolders_;                 // for the files, by this placing, outermost first
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
                            const std::vector<SetItem>& media, const zip::ProgressHandler& progress)
{
    return Placer(io, request, overlays, media, progress).Run();
}

} // namespace importwizard
