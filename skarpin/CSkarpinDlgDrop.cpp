// Skarpin's main window: overlays dragged from the list and dropped on an empty line of their own
// set (one overlay copied or moved to that number) or on another set in the tree (every chosen
// overlay copied or moved there). Refusals and questions come first; the files go next, and the
// list follows only what went.
#include "skarpin/CSkarpinDlg.h"
#include "framework/Prompt.h"
#include "framework/Strings.h"
#include "skarpin/resource.h"
#include "store/CommandMessages.h"

using commandmessages::OnePerLine;
using commandmessages::ShowError;
using commandmessages::ShowWarningFormatted;

namespace {

bool Confirmed(HWND owner, UINT textId, const std::string& text, bool copy)
{
    const std::string caption = fw::LoadResString(copy ? IDS_COPY_OVERLAY : IDS_MOVE_OVERLAY);
    return fw::ShowMessage(owner, textId, text, caption, MB_OKCANCEL) == IDOK;
}

} // namespace

void CSkarpinDlg::DropOverlays(int source, int target, bool copy)
{
    // The tree tells where the drag ended: another set, the selected set itself, or nowhere.
    const std::string targetSet = setTree_.dropTargetSetName_;
    const int selected = fw::ListBox(overlayList_.Handle()).SelectedCount();
    const int lines = static_cast<int>(listLines_.size());
    bool done = false;
    if (source >= 0 && source < lines && target >= 0 && target < lines && !targetSet.empty() && selectionFocus_ == 1
        && !selectedSetName_.empty() && selected > 0) {
        const std::vector<int> chosen = ChosenLines();
        if (SameSetName(targetSet, selectedSetName_))
            done = DropOnLine(source, target, copy, selected);
        else
            done = DropOnSet(targetSet, chosen, copy);
    }
    setTree_.EndDragHighlight();
    if (done)
        NotifyDriverIfCurrent({selectedSetName_, targetSet});
}

bool CSkarpinDlg::DropOnLine(int source, int target, bool copy, int selectedCount)
{
    // Templates have no numbers, and several overlays have no one line to go to.
    if (selectedCount > 1 || templatesSetSelected_)
        return false;
    if (setReadOnly_) {
        ShowError(hwnd_, IDS_CURRENT_SET_READ_ONLY);
        return false;
    }
    if (TellUnreadableRegister(IDS_REGISTER_REFUSED, {selectedSetName_}))
        return false;
    const int targetNumber = LineNumber(target);
    if (!listLines_[static_cast<size_t>(target)].name_.empty()) {
        fw::ShowMessage(hwnd_, IDS_DROP_NUMBER_TAKEN, fw::FormatResString(IDS_DROP_NUMBER_TAKEN, targetNumber),
                        fw::LoadResString(IDS_ERROR_CAPTION), MB_OK);
        return false;
    }
    const std::string name = listLines_[static_cast<size_t>(source)].name_;
    if (name.empty())
        return false;
    const UINT question = copy ? IDS_DROP_COPY_TO_NUMBER : IDS_DROP_MOVE_TO_NUMBER;
    if (!Confirmed(hwnd_, question, fw::FormatResString(question, name.c_str(), targetNumber), copy))
        return false;

    const std::string set = selectedSetName_;
    std::string placedName = name;
    const FileIO::CarryResult result =
        copy ? fileIO_.CopyOverlayNewName(set, name, set, placedName, targetNumber)
             : fileIO_.MoveOverlay(set, name, LineNumber(source), set, name, targetNumber);
    if (result.outcome == FileIO::CarryResult::kNotDone) {
        ShowError(hwnd_, copy ? IDS_OVERLAY_NOT_COPIED : IDS_OVERLAY_NOT_MOVED);
        return false;
    }
    if (!copy)
        ShowLine(source, std::string());
    ShowLine(target, placedName);
    SelectOnlyLine(target);
    selectedOverlayName_ = placedName;
    UpdateMenus();
    if (result.outcome == FileIO::CarryResult::kDonePartly)
        ShowWarningFormatted(hwnd_, copy ? IDS_OVERLAY_COPIED_PARTLY : IDS_OVERLAY_MOVED_PARTLY, set.c_str(),
                             OnePerLine(result.notCarried).c_str());
    return true;
}

bool CSkarpinDlg::DropOnSet(const std::string& targetSet, const std::vector<int>& lines, bool copy)
{
    // A set the tree does not know (renamed outside the program, say) takes nothing.
    int targetReadOnly = 1;
    for (const TreeCtrlItem& item : treeItems_) {
        if (SameSetName(item.name_, targetSet)) {
            targetReadOnly = item.readOnly_;
            break;
        }
    }
    if (targetReadOnly || (!copy && setReadOnly_)) {
        ShowError(hwnd_, targetReadOnly ? IDS_TARGET_READ_ONLY : IDS_CURRENT_SET_READ_ONLY);
        return false;
    }
    if (lines.empty())
        return false;
    if (TellUnreadableRegister(IDS_REGISTER_REFUSED, {targetSet})
        || (!copy && TellUnreadableRegister(IDS_REGISTER_REFUSED, {selectedSetName_})))
        return false;
    const bool templates = templatesSetSelected_ || fileIO_.IsTemplatesSet(targetSet);
    const UINT question = templates ? (copy ? IDS_DROP_COPY_TO_TEMPLATES : IDS_DROP_MOVE_TO_TEMPLATES)
                                    : (copy ? IDS_DROP_COPY_TO_SET : IDS_DROP_MOVE_TO_SET);
    if (!Confirmed(hwnd_, question, fw::FormatResString(question, targetSet.c_str()), copy))
        return false;

    const std::string source = selectedSetName_;
    const TransferOutcome outcome = TransferLines(lines, targetSet, !copy);
    ReportTransfer(outcome, !copy, source, targetSet);
    // An overlay placed in the target but not removed from here changed the target all the same.
    return !outcome.went.empty() || !outcome.notRemoved.empty();
}
