// The set box of the set-choosing dialogs.
#include "store/SetBox.h"
#include "store/FileIO.h"
#include "store/NameDialogRules.h"

std::vector<SetItem> ShownSets(const FileIO& fileIO)
{
    std::vector<SetItem> all;
    fileIO.ListSets(all);
    return namerules::SetBoxEntries(all, fileIO.SpecialNames(), fileIO.showStandardOverlays_, fileIO.showTemplates_);
}

void FillSetBox(const fw::ComboBox& box, const std::vector<SetItem>& sets)
{
    box.Clear();
    for (const SetItem& set : sets)
        box.Add(set.name_);
}

std::string ChosenSet(const fw::ComboBox& box, const std::vector<SetItem>& sets)
{
    const int chosen = box.Selection();
    return chosen >= 0 && static_cast<size_t>(chosen) < sets.size() ? sets[static_cast<size_t>(chosen)].name_
                                                                      : std::string();
}
