// The image-folder dialog.
#include "writer_settings/FolderXDlg.h"
#include "morvel/resource.h"

FolderXDlg::FolderXDlg(std::vector<ImageFolder>* folders, const FolderDialogContext& context)
    : fw::Dialog(IDD_FOLDER_LIST, context.owner), list_(folders, context)
{
}

bool FolderXDlg::OnInitDialog()
{
    list_.Attach(Handle());
    list_.Fill(-1);
    return true;
}

bool FolderXDlg::OnCommand(int id, int code)
{
    return list_.OnCommand(id, code);
}

bool RunFolderListDlg(std::vector<ImageFolder>& folders, const FolderDialogContext& context)
{
    FolderXDlg dialog(&folders, context);
    return dialog.DoModal() == IDOK;
}
