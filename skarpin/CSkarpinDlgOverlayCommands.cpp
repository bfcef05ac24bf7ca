// Skarpin's main window: the file commands on overlays (copy, move, rename, delete). Each file
// operation goes first; the list follows only what went, and what did not go, or went only in part,
// is told.
#include "skarpin/CSkarpinDlg.h"
#include "framework/Prompt.h"
#include "framework/Strings.h"
#include "library/Cp1252.h"
#include "skarpin/CopyMoveDlg.h"
#include "skarpin/CopyOverlayDlg.h"
#include "skarpin/OverlayTransfer.h"
#include "skarpin/RenameDlg.h"
#include "skarpin/resource.h"
#include "store/CommandMessages.h"
#include <algorithm>

using commandmessages::OnePerLine;
using commandmessages::ShowError;
using commandmessages::ShowErrorFormatted;
using commandmessages::ShowWarningFormatted;

namespace {

bool Contains(const std::vector<std::string>& names, const std::string& name)
{
    return std::find(names.begin(), names.end(), name) != names.end();
}

} // namespace

// --- Copy and move ---

void CSkarpinDlg::CopyOrMoveOverlays(bool move)
{
    const int selected = fw::ListBox(overlayList_.Handle()).SelectedCount();
    if (selectedSetName_.empty() || selectedOverlayName_.empty() || selected <= 0)
        return;
    const std::vector<int> chosen = ChosenLines();
    if (chosen.empty())
        return;
    if (selected == 1)
        CopyOrMoveOneOverlay(chosen.front(), move);
    else
        CopyOrMoveSeveralOverlays(chosen, move);
}

void CSkarpinDlg::CopyOrMoveOneOverlay(int line, bool move)
{
    const std::string source = selectedSetName_;
    const std::string name = listLines_[static_cast<size_t>(line)].name_;
    const int oldNumber = LineNumber(line);
    std::string target = source;
    std::string newName = name;
    int newNumber = oldNumber;
    if (move && TellUnreadableRegister(IDS_REGISTER_REFUSED, {source}))
        return;
    if (CopyOverlayDlg(&fileIO_, target, newName, newNumber, move ? 1 : 0, hwnd_).DoModal() != IDOK)
        return;
    if (TellUnreadableRegister(IDS_REGISTER_REFUSED, {target}))
        return;

    const FileIO::CarryResult result = move ? fileIO_.MoveOverlay(source, name, oldNumber, target, newName, newNumber)
                                            : fileIO_.CopyOverlay(source, name, target, newName, newNumber);
    if (result.outcome == FileIO::CarryResult::kNotDone) {
        ShowError(hwnd_, move ? IDS_OVERLAY_NOT_MOVED : IDS_OVERLAY_NOT_COPIED);
        return;
    }
    if (result.outcome == FileIO::CarryResult::kMovedUnlisted) {
        // The list shows what the disk holds now, and the user where the file went.
        FillOverlayList();
        selectedOverlayName_.clear();
        UpdateMenus();
        ShowWarningFormatted(hwnd_, IDS_OVERLAY_MOVED_UNLISTED, name.c_str(), target.c_str(),
                             fileIO_.OverlayPath(target, newName).c_str());
        NotifyDriverIfCurrent({source, target});
        return;
    }

    const bool intoThisSet = target == source;
    if (templatesSetSelected_) {
        if (move || intoThisSet) {
            FillOverlayList();
            if (intoThisSet) {
                for (size_t i = 0; i < listLines_.size(); ++i) {
                    if (cp1252::EqualsNoCase(listLines_[i].name_, newName)) {
                        SelectOnlyLine(static_cast<int>(i));
                        break;
                    }
                }
            }
        }
    } else {
        if (move)
            ShowLine(line, std::string());
        if (intoThisSet) {
            const int newLine = LineOfNumber(newNumber);
            ShowLine(newLine, newName);
            if (move) {
                SelectOnlyLine(newLine);
                selectedOverlayName_ = newName;
            }
        }
    }
    if (move && !intoThisSet)
        selectedOverlayName_.clear();
    if (move)
        UpdateMenus();

    if (result.outcome == FileIO::CarryResult::kDonePartly)
        ShowWarningFormatted(hwnd_, move ? IDS_OVERLAY_MOVED_PARTLY : IDS_OVERLAY_COPIED_PARTLY, source.c_str(),
                             OnePerLine(result.notCarried).c_str());
    NotifyDriverIfCurrent({source, target});
}

void CSkarpinDlg::CopyOrMoveSeveralOverlays(const std::vector<int>& lines, bool move)
{
    const std::string source = selectedSetName_;
    std::string target = source;
    if (move && TellUnreadableRegister(IDS_REGISTER_REFUSED, {source}))
        return;
    if (CopyMoveDlg(&fileIO_, target, static_cast<int>(lines.size()), move ? 1 : 0, hwnd_).DoModal() != IDOK)
        return;
    if (TellUnreadableRegister(IDS_REGISTER_REFUSED, {target}))
        return;

    const TransferOutcome outcome = TransferLines(lines, target, move);
    if (!move && SameSetName(target, source)) {
        FillOverlayList();
        fw::ListBox list(overlayList_.Handle());
        for (int line : lines)
            list.SetSelected(line, true);
    }

    ReportTransfer(outcome, move, source, target);
    NotifyDriverIfCurrent({source, target});
}

// Copies or moves the overlays of the list lines into the target set; the lines of moved overlays
// are emptied (the templates set, which has no empty lines, is listed again).
TransferOutcome CSkarpinDlg::TransferLines(const std::vector<int>& lines, const std::string& target, bool move)
{
    std::vector<SetItem> overlays;
    for (int line : lines)
        overlays.emplace_back(listLines_[static_cast<size_t>(line)].name_, LineNumber(line), 0);
    // An overlay leaves this set only once its copy stands in the other.
    const TransferOutcome outcome = TransferOverlays(fileIO_, selectedSetName_, overlays, target, move);
    if (!move)
        return outcome;
    if (templatesSetSelected_) {
        if (!outcome.went.empty())
            FillOverlayList();
    } else {
        for (int line : lines) {
            const std::string name = listLines_[static_cast<size_t>(line)].name_;
            if (Contains(outcome.went, name))
                ShowLine(line, std::string());
        }
    }
    ForgetSelectedOverlayIfGone(outcome.went);
    UpdateMenus();
    return outcome;
}

// An overlay that stayed where it was stays the object of the commands; the templates set, listed
// anew once anything left it, keeps no chosen line.
void CSkarpinDlg::ForgetSelectedOverlayIfGone(const std::vector<std::string>& gone)
{
    if (templatesSetSelected_ ? !gone.empty() : Contains(gone, selectedOverlayName_))
        selectedOverlayName_.clear();
}

void CSkarpinDlg::ReportTransfer(const TransferOutcome& outcome, bool move, const std::string& source,
                                 const std::string& target)
{
    if (!outcome.setFull.empty())
        ShowErrorFormatted(hwnd_, move ? IDS_OVERLAYS_SET_FULL_MOVE : IDS_OVERLAYS_SET_FULL_COPY, target.c_str(),
                           OnePerLine(outcome.setFull).c_str());
    if (!outcome.failed.empty())
        ShowErrorFormatted(hwnd_, move ? IDS_OVERLAYS_NOT_MOVED : IDS_OVERLAYS_NOT_COPIED,
                           OnePerLine(outcome.failed).c_str());
    if (!outcome.notRemoved.empty())
        ShowErrorFormatted(hwnd_, IDS_OVERLAYS_NOT_REMOVED, target.c_str(), OnePerLine(outcome.notRemoved).c_str());
    if (!outcome.mediaLeft.empty())
        ShowWarningFormatted(hwnd_, move ? IDS_OVERLAYS_MOVED_PARTLY : IDS_OVERLAYS_COPIED_PARTLY, source.c_str(),
                             OnePerLine(outcome.mediaLeft).c_str());
}

// --- Rename and delete ---

// The file is renamed first; the line takes the new name only when it went.
void CSkarpinDlg::RenameOverlay()
{
    if (selectedSetName_.empty() || selectedOverlayName_.empty())
        return;
    if (TellUnreadableRegister(IDS_REGISTER_REFUSED, {selectedSetName_}))
        return;
    const std::string oldName = selectedOverlayName_;
    std::string setName = selectedSetName_;
    std::string newName = oldName;
    if (RenameDlg(RenameDlg::kOverlay, setName, newName, listLines_, hwnd_).DoModal() != IDOK)
        return;
    int line = -1;
    for (size_t i = 0; i < listLines_.size() && line < 0; ++i) {
        if (listLines_[i].name_ == oldName)
            line = static_cast<int>(i);
    }
    if (line < 0)
        return;
    if (!fileIO_.RenameOverlay(selectedSetName_, oldName, newName, LineNumber(line))) {
        ShowErrorFormatted(hwnd_, IDS_OVERLAY_NOT_RENAMED, oldName.c_str());
        return;
    }
    selectedOverlayName_ = newName;
    ShowLine(line, newName);
    SelectOnlyLine(line);
    NotifyDriverIfCurrent({selectedSetName_});
}

// Only the lines whose files went are emptied; the others keep their overlays and are named.
void CSkarpinDlg::DeleteOverlays()
{
    if (selectedSetName_.empty() || selectedOverlayName_.empty() || fw::ListBox(overlayList_.Handle()).SelectedCount() <= 0)
        return;
    const std::vector<int> chosen = ChosenLines();
    if (chosen.empty()) {
        fw::Beep();
        return;
    }
    if (TellUnreadableRegister(IDS_REGISTER_REFUSED, {selectedSetName_}))
        return;
    UINT questionId = 0;
    std::string question;
    if (chosen.size() == 1) {
        questionId = templatesSetSelected_ ? IDS_ASK_DELETE_TEMPLATE : IDS_ASK_DELETE_OVERLAY;
        question = fw::FormatResString(questionId, listLines_[static_cast<size_t>(chosen.front())].name_.c_str());
    } else {
        questionId = templatesSetSelected_ ? IDS_ASK_DELETE_TEMPLATES : IDS_ASK_DELETE_OVERLAYS;
        question = fw::LoadResString(questionId);
    }
    if (fw::ShowMessage(hwnd_, questionId, question, fw::LoadResString(IDS_SKARPIN_DELETE_CAPTION),
                        MB_OKCANCEL | MB_ICONWARNING) != IDOK)
        return;

    std::vector<std::string> deleted;
    std::vector<std::string> notDeleted;
    for (int line : chosen) {
        const std::string name = listLines_[static_cast<size_t>(line)].name_;
        // The templates set keeps no numbers.
        const int number = templatesSetSelected_ ? 0 : LineNumber(line);
        if (!fileIO_.DeleteOverlay(selectedSetName_, name, number)) {
            notDeleted.push_back(name);
            continue;
        }
        deleted.push_back(name);
        if (!templatesSetSelected_)
            ShowLine(line, std::string());
    }
    if (templatesSetSelected_ && !deleted.empty())
        FillOverlayList();
    ForgetSelectedOverlayIfGone(deleted);
    UpdateMenus();
    if (!notDeleted.empty())
        ShowErrorFormatted(hwnd_, IDS_OVERLAYS_NOT_DELETED, OnePerLine(notDeleted).c_str());
    NotifyDriverIfCurrent({selectedSetName_});
}
