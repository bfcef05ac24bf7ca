// The export wizard's decisions, kept apart from its pages so they are tested without a window.
#include "skarpin/ExportModel.h"
#include "components/ZipArchive.h"
#include "library/Cp1252.h"
#include "library/ImageBaseManager.h"
#include "store/StoreFiles.h"
#include <windows.h>
#include <algorithm>
#include <unordered_map>
#include <unordered_set>

namespace exportwizard {

namespace {

const int kHighestOrdinaryNumber = 100;

std::string JoinPath(const std::string& folder, const std::string& name)
{
    if (folder.empty() || folder.back() == '\\')
        return folder + name;
    return folder + "\\" + name;
}

bool EndsWithNoCase(const std::string& text, const std::string& end)
{
    return text.size() >= end.size() && cp1252::EqualsNoCase(text.substr(text.size() - end.size()), end);
}

// A stored name at the archive's top that the import would take for the register or an overlay.
bool ReadsAsOwnEntry(const std::string& storedName)
{
    return storedName.find('/') == std::string::npos &&
           (cp1252::EqualsNoCase(storedName, "register.txt") || EndsWithNoCase(storedName, ".ini"));
}

} // namespace

std::vector<OverlayLine> OverlayLines(const std::vector<SetItem>& overlays)
{
    std::vector<const SetItem*> offered;
    for (const SetItem& overlay : overlays) {
        if (overlay.number_ >= 1 && overlay.number_ <= kHighestOrdinaryNumber)
            offered.push_back(&overlay);
    }
    std::stable_sort(offered.begin(), offered.end(),
                     [](const SetItem* a, const SetItem* b) { return a->number_ < b->number_; });
    std::vector<OverlayLine> lines;
    for (const SetItem* overlay : offered)
        lines.push_back(OverlayLine{std::to_string(overlay->number_) + " " + overlay->name_, overlay->name_});
    return lines;
}

void MarkOffered(std::vector<SetItem>& overlays, const std::vector<std::string>& chosenLines, bool focusOnOverlays)
{
    const bool byLines = focusOnOverlays && !chosenLines.empty();
    for (SetItem& overlay : overlays) {
        bool chosen = !byLines;
        for (const std::string& line : chosenLines)
            chosen = chosen || cp1252::EqualsNoCase(line, overlay.name_);
        overlay.selected_ = chosen ? 1 : 0;
    }
}

int TakeChecks(std::vector<SetItem>& overlays, const std::vector<std::pair<std::string, bool>>& checks)
{
    std::unordered_map<std::string, bool> byName;
    for (auto check = checks.rbegin(); check != checks.rend(); ++check)
        byName[check->first] = check->second; // the first line of a name counts
    int chosen = 0;
    for (SetItem& overlay : overlays) {
        const auto check = byName.find(overlay.name_);
        overlay.selected_ = check != byName.end() && check->second ? 1 : 0;
        chosen += overlay.selected_;
    }
    return chosen;
}

bool MediaList::Offer(std::string& path, bool longPath)
{
    if (path.empty() || !ImageBaseManager::OpensForReading(path))
        return false;
    path = cp1252::Lower(path);
    bool changed = false;
    if (longPath) {
        const std::string longForm = storefile::LongForm(path);
        changed = !cp1252::EqualsNoCase(longForm, path);
        path = longForm;
    }
    if (listed_.insert(cp1252::Lower(path)).second)
        paths_.push_back(path);
    return changed;
}

std::string ProposedZipPath(const std::string& folder, const std::string& setName)
{
    for (int i = 0;; ++i) {
        std::string path = JoinPath(folder, i == 0 ? setName + ".zip" : setName + " " + std::to_string(i) + ".zip");
        std::string located = path;
        if (ImageBaseManager::LocateFile(located) != 1)
            return path;
    }
}

std::string WithZipExtension(const std::string& path)
{
    const size_t nameStart = path.find_last_of('\\') == std::string::npos ? 0 : path.find_last_of('\\') + 1;
    const size_t dot = path.find_last_of('.');
    if (dot == std::string::npos || dot < nameStart)
        return path + ".zip";
    if (cp1252::EqualsNoCase(path.substr(dot + 1, 3), "zip"))
        return path;
    return path.substr(0, dot + 1) + "zip";
}

std::string FolderOf(const std::string& path)
{
    const size_t slash = path.find_last_of('\\');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

bool IsDisketteFolder(const std::string& folder)
{
    return folder.size() >= 2 && (folder[0] == 'a' || folder[0] == 'A') && folder[1] == ':';
}

std::string RegisterText(const std::string& section, const std::vector<SetItem>& overlays)
{
    std::string text = "[" + section + "]\r\n";
    for (const SetItem& overlay : overlays) {
        if (overlay.selected_)
            text += std::to_string(overlay.number_) + "=" + overlay.name_ + "\r\n";
    }
    return text;
}

ArchivePlan PlanArchive(const std::string& workFolder, const std::vector<SetItem>& overlays,
                        const std::string& registerFile, const std::vector<SetItem>& media)
{
    ArchivePlan plan;
    std::unordered_set<std::string> stored; // zip::FoldedName forms: looked up, not searched
    auto add = [&](const std::string& source, const std::string& name) {
        stored.insert(zip::FoldedName(name));
        plan.files.push_back(ArchiveFile{source, name});
    };
    for (const SetItem& overlay : overlays) {
        if (overlay.selected_)
            add(JoinPath(workFolder, overlay.name_ + ".ini"), overlay.name_ + ".ini");
    }
    add(registerFile, "register.txt");
    for (const SetItem& file : media) {
        const std::string name = zip::StoredName(file.name_);
        if (stored.count(zip::FoldedName(name)) > 0 || ReadsAsOwnEntry(name) ||
            zip::CheckName(name) != zip::NameProblem::None)
            plan.leftOut.push_back(file.name_);
        else
            add(file.name_, name);
    }
    return plan;
}

} // namespace exportwizard
