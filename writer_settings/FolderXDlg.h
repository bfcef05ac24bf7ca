// The image-folder dialog: the user's list of image folders, added to, changed, removed and
// reordered in place.
#pragma once
#include "framework/Dialog.h"
#include "writer_settings/FolderListEditor.h"

// Edits the caller's list as the user works; it has no OK of its own and the caller saves the list
// (ImageFolderSettings::SaveFolderList) when it sees fit. Run modally for one use.
class FolderXDlg : public fw::Dialog {
public:
    FolderXDlg(std::vector<ImageFolder>* folders, const FolderDialogContext& context);

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int code) override;

private:
    FolderListEditor list_;
};

// The browser's way in: the dialog run modally over the list; true when it closed with OK.
bool RunFolderListDlg(std::vector<ImageFolder>& folders, const FolderDialogContext& context);
