// The list of a user's image folders as the folder dialog and the settings sheet's insert-picture
// page both show it: list box 1298 with New, Change, Remove, Move up and Move down.
#pragma once
#include "writer_settings/FolderDialogContext.h"
#include "writer_settings/ImageFolder.h"
#include <vector>

// Which of the list's buttons may be pressed, for a list of count folders with one selected (-1 none).
struct FolderListButtons {
    bool add = false;
    bool change = false;
    bool remove = false;
    bool up = false;
    bool down = false;
};
// At most five folders are made here; the four buttons of a folder need a selection.
FolderListButtons FolderListStates(int count, int selection);
// Where New puts a folder: before the selected one; at the end when none or the last is selected.
int FolderInsertPosition(int count, int selection);

// Works on the caller's list in place, in whichever dialog holds the controls. Owned by value by
// that dialog; Attach once its window exists.
class FolderListEditor {
public:
    FolderListEditor(std::vector<ImageFolder>* folders, const FolderDialogContext& context);

    void Attach(HWND dialog) { dialog_ = dialog; }
    // Shows the list without a button to change it: its file could not be read and is left as it is.
    void SetReadOnly() { readOnly_ = true; }
    // Refills the list box with the folders' names and selects one (-1 none).
    void Fill(int selection);
    // The list's own commands; false for any other control.
    bool OnCommand(int id, int code);

private:
    void UpdateButtons() const;
    int Selection() const;
    // FolderXSettingsDlg on a working copy; true when it was accepted.
    bool Define(ImageFolder& folder) const;
    void OnNew();
    void OnChange();
    void OnRemove();
    void OnMove(int step);

    std::vector<ImageFolder>* folders_;
    FolderDialogContext context_;
    HWND dialog_ = nullptr;
    bool readOnly_ = false;
};
