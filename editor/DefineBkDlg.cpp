// The background definition dialog.
#include "editor/DefineBkDlg.h"
#include "framework/Strings.h"
#include "skarpin/resource.h"

DefineBkDlg::DefineBkDlg(Block& block, const BlockDialogContext& context, HWND parent)
    : BlockLookDlg(IDD_DEFINE_BACKGROUND, block, context, parent)
{
}

std::vector<int> DefineBkDlg::BoldTitles() const
{
    return {IDC_BLOCK_LOOK_GROUP};
}

bool DefineBkDlg::OnInitDialog()
{
    SetCaption(fw::LoadResString(IDS_BACKGROUND_CAPTION));
    SetItemText(IDC_BLOCK_LOOK_GROUP, fw::LoadResString(IDS_BACKGROUND_LOOK_GROUP));
    return BlockLookDlg::OnInitDialog();
}

bool DefineBkDlg::OnOK()
{
    if (RefuseUnstorable(block_))
        return false;
    if (!SaveProgramIcon())
        return false;
    StoreLook();
    return true;
}

bool DefineBackground(HWND owner, Block& block, const BlockDialogContext& context)
{
    DefineBkDlg dialog(block, context, owner);
    return dialog.DoModal() == IDOK;
}
