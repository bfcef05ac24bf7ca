// Skarpin's main window: the file commands on sets (new, copy, rename, delete, old sets), the routing
// of every file command, and the helpers the set and overlay commands share.
#include "skarpin/CSkarpinDlg.h"
#include "framework/Prompt.h"
#include "framework/Strings.h"
#include "skarpin/ChangePathDlg.h"
#include "skarpin/CopySetDlg.h"
#include "skarpin/GetOldSetDlg.h"
#include "skarpin/RenameDlg.h"
#include "skarpin/SetTreeCtrl.h"
#include "skarpin/resource.h"
#include "store/CommandMessages.h"

using commandmessages::ShowError;
using commandmessages::ShowErrorFormatted;
using commandmessages::ShowWarningFormatted;

namespace {

// The commands that change the files of the selected sets or overlays: under an open editor they
// could take away, rename or replace the overlay it will save.
bool ChangesSetsOrOverlays(int id)
{
    switch (id) {
    case ID_EDIT_COPY_SELECTION:
    case ID_EDIT_MOVE_OVERLAYS:
    case ID_EDIT_RENAME_SELECTION:
    case ID_EDIT_DELETE_SELECTION:
    case ID_CHANGE_PATHS:
        return true;
    default:
        return false;
    }
}

} // namespace

// The guard stands here, where every way of giving a command meets: the menus, the context menus
// and the Delete key in the list and the tree.
bool CSkarpinDlg::OnFileCommand(int id, int code)
{
    if (ChangesSetsOrOverlays(id) && RefuseWhileEditorOpen(this))
        return true;
    switch (id) {
    case ID_SET_NEW:
        NewSet();
        return true;
    case ID_EDIT_COPY_SELECTION:
        if (selectionFocus_ == 1)
            CopyOrMoveOverlays(false);
        else
            CopySet();
        return true;
    case ID_EDIT_MOVE_OVERLAYS:
        if (selectionFocus_ == 1)
            CopyOrMoveOverlays(true);
        return true;
    case ID_EDIT_RENAME_SELECTION:
        if (selectionFocus_ == 1)
            RenameOverlay();
        else
            RenameSet();
        return true;
    case ID_EDIT_DELETE_SELECTION:
        DeleteCommand();
        return true;
    case ID_SET_IMPORT_OLD:
        ImportOldSet();
        return true;
    case ID_CHANGE_PATHS:
        ChangePathDlg(&fileIO_, selectedSetName_, hwnd_).DoModal();
        return true;
    case ID_OVERLAY_OPEN:
        // In the templates set this item reads "Ny mall": a new template, whatever line is chosen.
        if (templatesSetSelected_)
            selectedOverlayName_.clear();
        OpenOverlayEditor();
        return true;
    case ID_OVERLAY_MENU_OPEN:
        OpenOverlayEditor();
        return true;
    case IDC_OVERLAY_LIST:
        if (code != LBN_DBLCLK)
            return false;
        OpenOverlayEditor();
        return true;
    default:
        return false;
    }
}

// --- Sets ---

void CSkarpinDlg::NewSet()
{
    std::string name;
    const std::vector<SetItem> sets = TreeSets();
    if (CopySetDlg(&fileIO_, IDD_NEW_SET, name, sets, hwnd_).DoModal() != IDOK)
        return;
    if (!fileIO_.CreateSet(name)) {
        ShowError(hwnd_, IDS_SET_NOT_CREATED);
        return;
    }
    FillSetTree();
    SelectSet(name);
}

void CSkarpinDlg::CopySet()
{
    if (selectedSetName_.empty())
        return;
    const std::string source = selectedSetName_;
    std::string name = source;
    const std::vector<SetItem> sets = TreeSets();
    if (CopySetDlg(&fileIO_, IDD_COPY_SET, name, sets, hwnd_).DoModal() != IDOK)
        return;
    // A copy that stopped part way may have left a set behind: the tree shows what is there.
    if (!fileIO_.CopySetFolder(source, name))
        ShowError(hwnd_, IDS_SET_NOT_COPIED);
    FillSetTree();
    if (!SelectSet(name))
        SelectSet(source);
    NotifyDriverIfCurrent({source, name});
}

// The folder is renamed first; the tree follows only when it went, and a set whose overlays could
// not all follow the new folder is named.
void CSkarpinDlg::RenameSet()
{
    if (selectedSetName_.empty())
        return;
    const std::string oldName = selectedSetName_;
    std::vector<SetItem> sets;
    fileIO_.ListSets(sets);
    std::string newName = oldName;
    std::string overlayName = selectedOverlayName_;
    if (RenameDlg(RenameDlg::kSet, newName, overlayName, sets, hwnd_).DoModal() != IDOK)
        return;
    const bool wasCurrent = IsCurrentSet(oldName);
    const FileIO::CarryResult result = fileIO_.RenameSet(oldName, newName);
    if (result.outcome == FileIO::CarryResult::kNotDone) {
        ShowErrorFormatted(hwnd_, IDS_SET_NOT_RENAMED, oldName.c_str());
        return;
    }

    for (TreeCtrlItem& item : treeItems_) {
        if (item.name_ != oldName)
            continue;
        item.name_ = newName;
        item.path_ = fileIO_.SetFolderPath(newName);
        fw::TreeView(setTree_.Handle()).SetItemText(item.item_, newName);
        break;
    }
    selectedSetName_ = newName;
    setTree_.selectedSetName_ = newName;
    // A new name may make the set the templates or standard-overlay set, or an ordinary one again.
    const SetKind kind = fileIO_.KindOfSet(newName);
    const int templates = kind == SetKind::kTemplates ? 1 : 0;
    const int standard = kind == SetKind::kStandard ? 1 : 0;
    if (templates != templatesSetSelected_ || standard != standardSetSelected_) {
        templatesSetSelected_ = templates;
        standardSetSelected_ = standard;
        FillOverlayList();
    }
    // The driver program keeps the set it uses under its new name.
    if (wasCurrent) {
        fileIO_.SetCurrentSet(newName);
        NotifyDriverIfCurrent({newName});
    }
    if (result.outcome == FileIO::CarryResult::kDonePartly)
        ShowWarningFormatted(hwnd_, IDS_SET_RENAMED_PARTLY, commandmessages::OnePerLine(result.notCarried).c_str());
}

void CSkarpinDlg::DeleteCommand()
{
    if (setReadOnly_) {
        fw::Beep();
        return;
    }
    if (selectionFocus_ == 1)
        DeleteOverlays();
    else
        DeleteSet();
}

void CSkarpinDlg::DeleteSet()
{
    if (selectedSetName_.empty()) {
        fw::Beep();
        return;
    }
    const std::string name = selectedSetName_;
    const std::string question = fw::FormatResString(IDS_ASK_DELETE_SET, name.c_str());
    if (fw::ShowMessage(hwnd_, IDS_ASK_DELETE_SET, question, fw::LoadResString(IDS_SKARPIN_DELETE_CAPTION),
                        MB_OKCANCEL | MB_ICONWARNING) != IDOK)
        return;
    const bool wasCurrent = IsCurrentSet(name);
    if (!fileIO_.DeleteSet(name)) {
        ShowError(hwnd_, IDS_SET_NOT_DELETED);
        return;
    }
    FillSetTree();
    if (!treeItems_.empty()) {
        SelectSetLine(0);
    } else {
        selectedSetName_.clear();
        setTree_.selectedSetName_.clear();
        selectedOverlayName_.clear();
        overlayList_.Self().Send(LB_RESETCONTENT);
        listLines_.clear();
        setReadOnly_ = 0;
        templatesSetSelected_ = 0;
        standardSetSelected_ = 0;
    }
    UpdateMenus();
    // The tree has given the driver program another current set.
    if (wasCurrent && g_keyboardModel == FileIO::kModelUSB)
        fileIO_.NotifyDriver();
}

void CSkarpinDlg::ImportOldSet()
{
    const std::vector<SetItem> sets = TreeSets();
    std::string oldSetPath;
    std::string newSetName;
    if (GetOldSetDlg(&fileIO_, sets, oldSetPath, newSetName, hwnd_).DoModal() != IDOK)
        return;
    // A set taken over part way is there all the same: the tree shows it.
    if (!fileIO_.ConvertOldSet(oldSetPath, newSetName))
        ShowError(hwnd_, IDS_OLDSET_NOT_CONVERTED);
    FillSetTree();
    SelectSet(newSetName);
}

// --- Helpers ---

bool CSkarpinDlg::SelectSet(const std::string& name)
{
    for (size_t i = 0; i < treeItems_.size(); ++i) {
        if (treeItems_[i].name_ == name)
            return SelectSetLine(i);
    }
    return false;
}

std::vector<SetItem> CSkarpinDlg::TreeSets() const
{
    std::vector<SetItem> sets;
    for (const TreeCtrlItem& item : treeItems_)
        sets.emplace_back(item.name_, 0, item.readOnly_);
    return sets;
}

bool CSkarpinDlg::IsCurrentSet(const std::string& name) const
{
    return g_keyboardModel == FileIO::kModelUSB && !name.empty() && SameSetName(name, fileIO_.GetCurrentSet());
}

bool CSkarpinDlg::TellUnreadableRegister(UINT textId, std::initializer_list<std::string> sets)
{
    for (const std::string& set : sets) {
        if (commandmessages::TellUnreadableRegister(hwnd_, fileIO_, textId, set))
            return true;
    }
    return false;
}

void CSkarpinDlg::NotifyDriverIfCurrent(std::initializer_list<std::string> sets)
{
    for (const std::string& set : sets) {
        if (IsCurrentSet(set)) {
            fileIO_.NotifyDriver();
            return;
        }
    }
}

std::vector<int> CSkarpinDlg::ChosenLines()
{
    fw::ListBox list(overlayList_.Handle());
    std::vector<int> chosen;
    for (int line : list.SelectedIndexes()) {
        if (line < 0 || static_cast<size_t>(line) >= listLines_.size())
            continue;
        if (listLines_[static_cast<size_t>(line)].name_.empty())
            list.SetSelected(line, false);
        else
            chosen.push_back(line);
    }
    return chosen;
}

int CSkarpinDlg::LineNumber(int line) const
{
    return line + (standardSetSelected_ ? 101 : 1);
}

int CSkarpinDlg::LineOfNumber(int number) const
{
    const int line = number - (standardSetSelected_ ? 101 : 1);
    return line >= 0 && static_cast<size_t>(line) < listLines_.size() ? line : -1;
}

void CSkarpinDlg::ShowLine(int line, const std::string& name)
{
    if (line < 0 || static_cast<size_t>(line) >= listLines_.size())
        return;
    SetItem& entry = listLines_[static_cast<size_t>(line)];
    entry.name_ = name;
    SetItem overlay(name, entry.number_, 0);
    if (!name.empty())
        overlay.accessKvora_ = fileIO_.GetAccessKvoraFlag(name, selectedSetName_);
    const std::string text = OverlayLineText(fileIO_.KindOfSet(selectedSetName_), entry.number_, &overlay,
                                             g_keyboardModel, [&](const std::string& overlayName) {
                                                 return fileIO_.IsGameSendType(overlayName, selectedSetName_) != 0;
                                             });
    fw::ListBox list(overlayList_.Handle());
    const bool selected = list.IsSelected(line);
    list.Delete(line);
    overlayList_.InsertItem(line, text, 0);
    list.SetSelected(line, selected);
}

void CSkarpinDlg::SelectOnlyLine(int line)
{
    fw::ListBox list(overlayList_.Handle());
    list.SetSelected(-1, false);
    if (line < 0)
        return;
    list.SetSelected(line, true);
    list.Send(LB_SETCARETINDEX, static_cast<WPARAM>(line), FALSE);
}
