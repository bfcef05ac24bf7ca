// The image-folder list shared by the folder dialog and the settings sheet's insert-picture page.
#include "writer_settings/FolderListEditor.h"
#include "framework/Controls.h"
#include "framework/Prompt.h"
#include "framework/Strings.h"
#include "morvel/resource.h"
#include "writer_settings/FolderXSettingsDlg.h"

namespace {
const int kMostFolders = 5;
}

FolderListButtons FolderListStates(int count, int selection)
{
    FolderListButtons states;
    states.add = count < kMostFolders;
    const bool selected = selection >= 0 && selection < count;
    states.change = selected;
    states.remove = selected;
    states.up = selected && selection > 0;
    states.down = selected && selection < count - 1;
    return states;
}

int FolderInsertPosition(int count, int selection)
{
    return selection >= 0 && selection < count - 1 ? selection : count;
}

FolderListEditor::FolderListEditor(std::vector<ImageFolder>* folders, const FolderDialogContext& context)
    : folders_(folders), context_(context)
{
}

void FolderListEditor::Fill(int selection)
{
    fw::ListBox list(dialog_, IDC_FOLDER_LIST);
    list.Clear();
    for (const ImageFolder& folder : *folders_)
        list.Add(folder.name_.empty() ? fw::LoadResString(IDS_FOLDER_EMPTY_NAME) : folder.name_);
    list.Select(selection);
    UpdateButtons();
}

int FolderListEditor::Selection() const
{
    return fw::ListBox(dialog_, IDC_FOLDER_LIST).Selection();
}

void FolderListEditor::UpdateButtons() const
{
    const FolderListButtons states =
        readOnly_ ? FolderListButtons{} : FolderListStates(static_cast<int>(folders_->size()), Selection());
    fw::Window dialog(dialog_);
    dialog.Item(IDC_FOLDER_NEW).Enable(states.add);
    dialog.Item(IDC_FOLDER_CHANGE).Enable(states.change);
    dialog.Item(IDC_FOLDER_REMOVE).Enable(states.remove);
    dialog.Item(IDC_FOLDER_UP).Enable(states.up);
    dialog.Item(IDC_FOLDER_DOWN).Enable(states.down);
}

bool FolderListEditor::OnCommand(int id, int code)
{
    switch (id) {
    case IDC_FOLDER_LIST:
        if (code == LBN_SELCHANGE)
            UpdateButtons();
        else if (code == LBN_DBLCLK && Selection() >= 0 && !readOnly_)
            OnChange();
        return true;
    case IDC_FOLDER_NEW: OnNew(); return true;
    case IDC_FOLDER_CHANGE: OnChange(); return true;
    case IDC_FOLDER_REMOVE: OnRemove(); return true;
    case IDC_FOLDER_UP: OnMove(-1); return true;
    case IDC_FOLDER_DOWN: OnMove(1); return true;
    default: return false;
    }
}

bool FolderListEditor::Define(ImageFolder& folder) const
{
    FolderXSettingsDlg dialog(&folder, context_, dialog_);
    return dialog.DoModal() == IDOK;
}

void FolderListEditor::OnNew()
{
    const int count = static_cast<int>(folders_->size());
    if (!FolderListStates(count, Selection()).add)
        return;
    ImageFolder folder;
    if (!Define(folder))
        return;
    const int position = FolderInsertPosition(count, Selection());
    folders_->insert(folders_->begin() + position, folder);
    Fill(position);
}

void FolderListEditor::OnChange()
{
    const int selection = Selection();
    if (selection < 0 || selection >= static_cast<int>(folders_->size()))
        return;
    ImageFolder copy = (*folders_)[static_cast<size_t>(selection)];
    if (!Define(copy))
        return;
    (*folders_)[static_cast<size_t>(selection)] = copy;
    Fill(selection);
}

void FolderListEditor::OnRemove()
{
    const int selection = Selection();
    if (selection < 0 || selection >= static_cast<int>(folders_->size()))
        return;
    if (fw::ShowMessage(dialog_, IDS_REMOVE_FOLDER_QUESTION, IDS_DELETE_CAPTION, MB_OKCANCEL | MB_ICONEXCLAMATION)
        == IDCANCEL)
        return;
    folders_->erase(folders_->begin() + selection);
    Fill(selection - 1);
}

void FolderListEditor::OnMove(int step)
{
    const int selection = Selection();
    const int other = selection + step;
    const int count = static_cast<int>(folders_->size());
    if (selection < 0 || other < 0 || other >= count)
        return;
    std::swap((*folders_)[static_cast<size_t>(selection)], (*folders_)[static_cast<size_t>(other)]);
    Fill(other);
}
