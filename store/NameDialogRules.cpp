// The name dialogs' decisions.
#include "store/NameDialogRules.h"
#include "framework/Strings.h"
#include "library/Cp1252.h"
#include "skarpin/resource.h"
#include "store/FileIO.h"
#include "store/OverlayListLines.h"

namespace namerules {

namespace {

constexpr int kOrdinaryCount = 100;
constexpr int kStandardCount = 27;

bool IsValid(const std::string& name)
{
    return FileIO::IsValidName(name);
}

} // namespace

std::string Trim(const std::string& text)
{
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return std::string();
    const size_t last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}

bool IsNameTaken(const std::string& name, const std::vector<SetItem>& entries, int except)
{
    for (size_t i = 0; i < entries.size(); ++i) {
        if (static_cast<int>(i) != except && cp1252::EqualsNoCase(entries[i].name_, name))
            return true;
    }
    return false;
}

int RenameProblem(int mode, const std::string& name, const std::vector<SetItem>& entries, int ownEntry)
{
    if (IsNameTaken(name, entries, ownEntry))
        return mode == 1 ? IDS_OVERLAY_NAME_TAKEN : IDS_SET_NAME_TAKEN;
    if (!IsValid(name))
        return IDS_NAME_FORBIDDEN;
    return 0;
}

int SaveProblem(const std::string& name, const std::vector<SetItem>& overlays, bool fileTaken)
{
    if (IsNameTaken(name, overlays) || fileTaken)
        return IDS_OVERLAY_NAME_TAKEN;
    if (!IsValid(name))
        return IDS_NAME_FORBIDDEN;
    return 0;
}

int CopySetProblem(const std::string& name, const std::vector<SetItem>& sets, bool folderTaken)
{
    if (IsNameTaken(name, sets) || folderTaken)
        return IDS_SET_NAME_TAKEN;
    if (!IsValid(name))
        return IDS_NAME_FORBIDDEN;
    if (name.size() > kMaxSetNameLength)
        return IDS_NAME_TOO_LONG;
    return 0;
}

int CopyOverlayProblem(bool targetReadOnly, bool move, const std::string& name, int ownNumber,
                       const std::vector<SetItem>& targetOverlays, const std::string& targetSet,
                       const std::string& ownSet)
{
    if (targetReadOnly)
        return IDS_TARGET_READ_ONLY;
    const bool withinOwnSet = move && SameSetName(targetSet, ownSet);
    for (const SetItem& overlay : targetOverlays) {
        const bool itself = withinOwnSet && overlay.number_ == ownNumber;
        if (cp1252::EqualsNoCase(overlay.name_, name) && !itself)
            return IDS_OVERLAY_NAME_TAKEN;
    }
    if (!IsValid(name))
        return IDS_NAME_FORBIDDEN;
    return 0;
}

std::vector<SetItem> SetBoxEntries(const std::vector<SetItem>& sets, const SpecialSetNames& names,
                                   int showStandardOverlays, int showTemplates)
{
    std::vector<SetItem> entries;
    for (const SetItem& set : sets) {
        const SetKind kind = KindOfSet(set.name_, names);
        if ((kind == SetKind::kStandard && !showStandardOverlays) || (kind == SetKind::kTemplates && !showTemplates))
            continue;
        entries.push_back(set);
    }
    return entries;
}

std::vector<std::string> NamesOf(const std::vector<SetItem>& entries)
{
    std::vector<std::string> names;
    for (const SetItem& entry : entries)
        names.push_back(entry.name_);
    return names;
}

int InitialLine(const std::vector<std::string>& lines, const std::string& wanted)
{
    if (lines.empty())
        return -1;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (cp1252::EqualsNoCase(lines[i], wanted))
            return static_cast<int>(i);
    }
    for (size_t i = 0; i < lines.size(); ++i) {
        if (cp1252::StartsWithNoCase(lines[i], wanted))
            return static_cast<int>(i);
    }
    return 0;
}

int ReadOnlyFlagOf(const std::vector<SetItem>& sets, const std::string& name)
{
    for (const SetItem& set : sets) {
        if (SameSetName(set.name_, name))
            return set.readOnly_;
    }
    return 0;
}

std::vector<int> FreeNumbers(SetKind kind, const std::vector<SetItem>& overlays)
{
    std::vector<int> numbers;
    if (kind == SetKind::kTemplates)
        return numbers;
    const int first = kind == SetKind::kStandard ? 101 : 1;
    const int last = kind == SetKind::kStandard ? 127 : 100;
    for (int number = first; number <= last; ++number) {
        bool held = false;
        for (const SetItem& overlay : overlays)
            held = held || overlay.number_ == number;
        if (!held)
            numbers.push_back(number);
    }
    return numbers;
}

int InitialNumberLine(const std::vector<int>& numbers, int ownNumber)
{
    for (size_t i = 0; i < numbers.size(); ++i) {
        if (numbers[i] == ownNumber)
            return static_cast<int>(i);
    }
    return numbers.empty() ? -1 : 0;
}

bool CopyOverlayAllowed(const std::string& name, size_t freeNumbers, SetKind targetKind, bool move,
                        const std::string& targetSet, const std::string& ownSet)
{
    if (name.empty() || targetSet.empty())
        return false;
    if (targetKind != SetKind::kTemplates)
        return freeNumbers > 0;
    return !move || !SameSetName(targetSet, ownSet);
}

int RoomInSet(SetKind kind, const std::vector<SetItem>& overlays)
{
    int named = 0;
    for (const SetItem& overlay : overlays)
        named += overlay.name_.empty() ? 0 : 1;
    switch (kind) {
    case SetKind::kStandard:
        return kStandardCount - named;
    default:
        // The templates set lists no more than an ordinary set holds.
        return kOrdinaryCount - named;
    }
}

bool Fits(int count, int room)
{
    return count <= room;
}

std::vector<OpenLine> OpenOverlayLines(SetKind kind, const std::vector<SetItem>& overlays)
{
    std::vector<OpenLine> lines;
    // The list's markers (AccessKvora, DirectX) belong to the main window only.
    for (const OverlayListLine& listLine : OverlayListLines(kind, overlays, FileIO::kModelAccessKvora, nullptr)) {
        OpenLine line;
        line.number = listLine.number;
        line.name = listLine.name;
        if (kind == SetKind::kTemplates)
            line.text = line.name;
        else
            line.text = line.name.empty() ? std::to_string(line.number) : fw::Format("%d %s", line.number, line.name.c_str());
        lines.push_back(line);
    }
    return lines;
}

std::string OpenOverlayWanted(SetKind kind, int number, const std::string& name)
{
    if (name.empty())
        return std::to_string(number);
    if (kind == SetKind::kTemplates)
        return name;
    return fw::Format("%d %s", number, name.c_str());
}

} // namespace namerules
