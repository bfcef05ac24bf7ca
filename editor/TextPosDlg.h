// The text placement dialog of a block: top, middle or bottom, and centred on its line.
#pragma once
#include "editor/SubDialogTexts.h"
#include "framework/Dialog.h"

class Block;

// Modal; works on the caller's block, which it changes on OK only.
class TextPosDlg : public fw::Dialog {
public:
    explicit TextPosDlg(Block& block, HWND parent = nullptr);

protected:
    bool OnInitDialog() override;
    bool OnOK() override;

private:
    Block& block_;
};
