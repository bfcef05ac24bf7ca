// Copying and moving several overlays between sets.
#include "skarpin/OverlayTransfer.h"
#include "framework/Files.h"
#include "library/Cp1252.h"
#include "store/FileIO.h"
#include "store/IniText.h"
#include "store/NameDialogRules.h"
#include "store/StoreFiles.h"
#include <windows.h>

namespace {

// The prepared copy lies beside the sets, where no set lists it, under a name nothing there has.
std::string PreparedCopyPath(const FileIO& fileIO, const std::string& name)
{
    return fw::FirstFreePath([&](int n) {
        const std::string title = n == 0 ? "xxx " + name : "xxx " + name + " " + std::to_string(n);
        return fileIO.setFolder_ + "\\" + title + "." + fileIO.overlayFileExtension_;
    }, 0);
}

// Whether the register leaves a number of the set's range free, as PlaceOverlayFile sees it: an
// entry counts even when its file is gone.
bool HasFreeNumber(FileIO& fileIO, const std::string& setName)
{
    const SetKind kind = fileIO.KindOfSet(setName);
    if (kind == SetKind::kTemplates)
        return fileIO.TemplatesHaveRoom();
    std::vector<std::string> lines;
    storefile::ReadLines(fileIO.SetRegisterPath(setName), lines);
    const IniText registerText(lines);
    for (int number : namerules::FreeNumbers(kind, {})) {
        if (registerText.Get(fileIO.overlayListSection_, std::to_string(number)).empty())
            return true;
    }
    return false;
}

void AddOnce(std::vector<std::string>& list, const std::vector<std::string>& entries)
{
    for (const std::string& entry : entries) {
        bool there = false;
        for (const std::string& kept : list)
            there = there || cp1252::EqualsNoCase(kept, entry);
        if (!there)
            list.push_back(entry);
    }
}

} // namespace

TransferOutcome TransferOverlays(FileIO& fileIO, const std::string& sourceSet, const std::vector<SetItem>& overlays,
                                 const std::string& targetSet, bool move)
{
    TransferOutcome outcome;
    for (const SetItem& overlay : overlays) {
        const std::string prepared = PreparedCopyPath(fileIO, overlay.name_);
        int number = overlay.number_;
        std::string placedName;
        // Only a copy made here is taken away again: the name may have been taken meanwhile.
        const bool copied = !prepared.empty()
                            && ::CopyFileA(fileIO.OverlayPath(sourceSet, overlay.name_).c_str(), prepared.c_str(), TRUE);
        const bool placed = copied && fileIO.PlaceOverlayFile(prepared, targetSet, overlay.name_, number, placedName);
        if (!placed) {
            if (copied)
                ::DeleteFileA(prepared.c_str());
            (HasFreeNumber(fileIO, targetSet) ? outcome.failed : outcome.setFull).push_back(overlay.name_);
            continue;
        }
        AddOnce(outcome.mediaLeft, fileIO.ImportOverlay(sourceSet, targetSet, placedName, number));
        if (move && !fileIO.DeleteOverlay(sourceSet, overlay.name_, overlay.number_))
            outcome.notRemoved.push_back(overlay.name_);
        else
            outcome.went.push_back(overlay.name_);
    }
    return outcome;
}
