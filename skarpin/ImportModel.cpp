// The import wizard's decisions, kept apart from its pages so they are tested without a window.
#include "skarpin/ImportModel.h"
#include "library/Cp1252.h"
#include "library/ImageBaseManager.h"
#include "store/FileIO.h"
#include "store/NameDialogRules.h"
#include "store/StoreFiles.h"
#include <algorithm>
#include <cctype>
#include <cstdio>
#include <unordered_map>
#include <unordered_set>

namespace importwizard {

namespace {

const int kHighestOrdinaryNumber = 100;
// The numbers an ordinary set and the standard-overlay set hand out (1-100 and 101-127).
const int kOrdinaryNumbers = 100;
const int kStandardNumbers = 27;

std::string FileNameOf(const std::string& storedName)
{
    const size_t slash = storedName.find_last_of('/');
    return slash == std::string::npos ? storedName : storedName.substr(slash + 1);
}

std::string ExtensionOf(const std::string& name)
{
    const size_t dot = name.find_last_of('.');
    return dot == std::string::npos ? std::string() : name.substr(dot + 1);
}

// The text before a path's last backslash, and after it.
std::string FolderPart(const std::string& path)
{
    const size_t slash = path.find_last_of('\\');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

std::string NamePart(const std::string& path)
{
    const size_t slash = path.find_last_of('\\');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string WithoutTrailingBackslash(std::string folder)
{
    while (!folder.empty() && folder.back() == '\\')
        folder.pop_back();
    return folder;
}

bool IsOverlayEntry(const std::string& name)
{
    return name.find('/') == std::string::npos && cp1252::EqualsNoCase(ExtensionOf(name), "ini");
}

} // namespace

ArchiveListing ClassifyEntries(const std::vector<zip::Entry>& entries)
{
    ArchiveListing listing;
    // Looked up, not searched: an archive may hold tens of thousands of entries.
    std::unordered_set<std::string> kept;
    for (size_t i = 0; i < entries.size(); ++i) {
        const zip::Entry& entry = entries[i];
        // Folders come into being with the files in them.
        if (entry.IsFolder() && entry.problem == zip::NameProblem::None)
            continue;
        if (entry.problem != zip::NameProblem::None || !kept.insert(zip::FoldedName(entry.name)).second) {
            listing.refused.push_back(entry.name);
            continue;
        }
        // The overlay reader would refuse it after its unpacking, which Cancel could not stop.
        if (IsOverlayEntry(entry.name) && entry.size > storefile::kLargestOverlayFile) {
            listing.tooLarge.push_back(entry.name);
            continue;
        }
        listing.unpack.push_back(i);
        const std::string fileName = FileNameOf(entry.name);
        // The export stores the register and the overlays under their bare names; a file of a folder
        // is a media file, whatever its name.
        if (cp1252::EqualsNoCase(entry.name, "register.txt")) {
            listing.registerName = entry.name;
            listing.registerEntry = static_cast<int>(i);
        } else if (IsOverlayEntry(entry.name)) {
            SetItem overlay(fileName.substr(0, fileName.size() - 4), entry.name);
            overlay.number_ = -1;
            overlay.selected_ = 1;
            listing.overlays.push_back(overlay);
            listing.overlayEntries.push_back(i);
        } else {
            listing.media.emplace_back(fileName, cp1252::Lower(entry.name));
            listing.mediaEntries.push_back(i);
        }
    }
    return listing;
}

bool TakeAnsiNames(std::vector<zip::Entry>& entries, const std::unordered_set<std::string>& wanted)
{
    bool changed = false;
    for (zip::Entry& entry : entries) {
        if (entry.ansiName.empty() || wanted.count(zip::FoldedName(entry.name)) > 0 ||
            wanted.count(zip::FoldedName(entry.ansiName)) == 0)
            continue;
        entry.name = entry.ansiName;
        entry.ansiName.clear();
        entry.problem = zip::CheckName(entry.name);
        changed = true;
    }
    return changed;
}

std::string StoredForm(const std::string& path)
{
    return cp1252::Lower(zip::StoredName(path));
}

std::string Backslashed(std::string name)
{
    std::replace(name.begin(), name.end(), '/', '\\');
    return name;
}

std::string FirstFreeSetName(const std::string& base, const NameTaken& taken)
{
    for (int i = 0;; ++i) {
        const std::string suffix = i == 0 ? std::string() : " " + std::to_string(i);
        // The number stays whole; the base gives way, as the set dialogs' length rule asks.
        std::string stem = base.substr(0, namerules::kMaxSetNameLength - suffix.size());
        if (stem.size() < base.size())
            stem = FileIO::CleanName(stem);
        const std::string name = stem + suffix;
        if (FileIO::IsValidName(name) && !taken(name))
            return name;
    }
}

std::string NewSetName(const std::string& zipPath, const NameTaken& taken, const std::string& fallback)
{
    const std::string base = FileIO::CleanName(ImageBaseManager::GetFileTitleFromPath(zipPath));
    return FirstFreeSetName(base.empty() ? fallback : base, taken);
}

std::vector<SetItem> RegisterEntries(const std::vector<std::string>& lines, const std::string& section)
{
    std::vector<SetItem> entries;
    auto line = std::find(lines.begin(), lines.end(), "[" + section + "]");
    if (line == lines.end())
        return entries;
    for (++line; line != lines.end(); ++line) {
        const size_t equals = line->find('=');
        if (equals != std::string::npos)
            entries.emplace_back(line->substr(equals + 1), FileIO::RegisterNumber(line->substr(0, equals)), 0);
    }
    return entries;
}

void ReadRegisterNumbers(const std::vector<std::string>& lines, const std::string& section,
                         std::vector<SetItem>& overlays)
{
    std::unordered_multimap<std::string, SetItem*> byName;
    for (SetItem& overlay : overlays) {
        overlay.number_ = -1;
        byName.emplace(cp1252::Lower(overlay.name_), &overlay);
    }
    for (const SetItem& entry : RegisterEntries(lines, section)) {
        const auto found = byName.equal_range(cp1252::Lower(entry.name_));
        for (auto it = found.first; it != found.second; ++it)
            it->second->number_ = entry.number_;
    }
}

std::vector<exportwizard::OverlayLine> OverlayLines(const std::vector<SetItem>& overlays,
                                                    const std::string& unnumberedFormat)
{
    std::vector<exportwizard::OverlayLine> lines = exportwizard::OverlayLines(overlays);
    for (const SetItem& overlay : overlays) {
        if (overlay.number_ < 1 || overlay.number_ > kHighestOrdinaryNumber) {
            std::vector<char> text(unnumberedFormat.size() + overlay.name_.size() + 1);
            std::snprintf(text.data(), text.size(), unnumberedFormat.c_str(), overlay.name_.c_str());
            lines.push_back(exportwizard::OverlayLine{text.data(), overlay.name_});
        }
    }
    return lines;
}

std::vector<std::string> ChooseReferencedMedia(const std::vector<std::string>& references,
                                               std::vector<SetItem>& media)
{
    std::unordered_multimap<std::string, SetItem*> byName;
    for (SetItem& file : media)
        byName.emplace(zip::FoldedName(file.path_), &file);
    std::vector<std::string> added;
    for (const std::string& reference : references) {
        if (reference.empty())
            continue;
        const auto found = byName.equal_range(zip::FoldedName(StoredForm(reference)));
        for (auto it = found.first; it != found.second; ++it) {
            SetItem& file = *it->second;
            if (!file.selected_)
                added.push_back(file.path_);
            file.selected_ = 1;
        }
    }
    return added;
}

int TakeMediaChecks(std::vector<SetItem>& media, const std::vector<std::pair<std::string, bool>>& checks)
{
    std::unordered_map<std::string, bool> byName;
    for (auto check = checks.rbegin(); check != checks.rend(); ++check)
        byName[zip::FoldedName(check->first)] = check->second; // the first line of a name counts
    int matched = 0;
    for (SetItem& file : media) {
        const auto check = byName.find(zip::FoldedName(file.path_));
        if (check == byName.end())
            continue;
        file.selected_ = check->second ? 1 : 0;
        ++matched;
    }
    return matched;
}

int NumbersInNewSet(SetKind kind)
{
    switch (kind) {
    case SetKind::kTemplates: return -1;
    case SetKind::kStandard: return kStandardNumbers;
    default: return kOrdinaryNumbers;
    }
}

std::string PlacementName(const std::string& overlayName, const std::string& fallback)
{
    const std::string clean = FileIO::CleanName(overlayName);
    return FileIO::IsValidName(clean) ? clean : fallback;
}

std::string DriveForKeptPaths(const std::string& currentFolder, const std::string& setFolder)
{
    auto drive = [](const std::string& folder) {
        const bool lettered = folder.size() >= 2 && folder[1] == ':' &&
                              std::isalpha(static_cast<unsigned char>(folder[0]));
        return lettered ? cp1252::Lower(folder.substr(0, 2)) : std::string();
    };
    // A current folder on a network share has no drive letter for the files to go to.
    const std::string current = drive(currentFolder);
    return current.empty() ? drive(setFolder) : current;
}

std::string SplitVolumePath(const std::string& lastVolume, int disk, int count)
{
    if (disk + 1 >= count)
        return lastVolume;
    const size_t dot = lastVolume.find_last_of('.');
    const size_t slash = lastVolume.find_last_of('\\');
    const std::string base = dot == std::string::npos || (slash != std::string::npos && dot < slash)
                                 ? lastVolume
                                 : lastVolume.substr(0, dot);
    char extension[16];
    std::snprintf(extension, sizeof extension, ".z%02d", disk + 1);
    return base + extension;
}

std::string NaturalTarget(const SetItem& media, MediaMode mode, const std::string& driveOrFolder)
{
    if (mode == MediaMode::kKeepPaths)
        return driveOrFolder + "\\" + Backslashed(media.path_);
    return WithoutTrailingBackslash(driveOrFolder) + "\\" + media.name_;
}

std::vector<PathChange> ReferenceChanges(const std::vector<std::string>& references, const Landings& landings,
                                         MediaMode mode, const std::string& driveOrFolder,
                                         const std::function<std::string(const std::string&)>& shortForm)
{
    std::vector<PathChange> changes;
    std::unordered_set<std::string> seen;
    for (const std::string& reference : references) {
        if (reference.empty() || !seen.insert(reference).second)
            continue;
        const auto landing = landings.find(StoredForm(reference));
        if (landing == landings.end())
            continue;
        // The reference keeps its own spelling of the folders and the file name where the file kept them.
        const std::string own = Backslashed(zip::StoredName(reference));
        const std::string folder = landing->second.inImportFolder ? FolderPart(landing->second.path)
                                   : mode == MediaMode::kKeepPaths ? FolderPart(driveOrFolder + "\\" + own)
                                                                   : WithoutTrailingBackslash(driveOrFolder);
        const std::string name = landing->second.renamed ? NamePart(landing->second.path) : NamePart(own);
        const std::string to = folder + "\\" + name;
        const std::string shown = shortForm ? shortForm(to) : to;
        if (!cp1252::EqualsNoCase(shown, reference))
            changes.push_back(PathChange{reference, to});
    }
    return changes;
}

} // namespace importwizard
