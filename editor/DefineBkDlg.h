// The background definition dialog: the appearance half of the block definition dialog, for a block
// of the overlay's background, which carries no command.
#pragma once
#include "editor/BlockLookDlg.h"

// Modal; works on the caller's copy of the block.
class DefineBkDlg : public BlockLookDlg {
public:
    DefineBkDlg(Block& block, const BlockDialogContext& context, HWND parent = nullptr);

protected:
    bool OnInitDialog() override;
    bool OnOK() override;
    std::vector<int> BoldTitles() const override;
};

// Opens the dialog on the background block; true after OK, when the block holds the edited values.
bool DefineBackground(HWND owner, Block& block, const BlockDialogContext& context);
