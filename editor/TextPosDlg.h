// The text placement dialog of a block: top, middle or bottom, and centred on its line.
#pragma once
#include "editor/SubDialogTexts.h"
#include "framework/Dialog.h"

class Block;

// Modal; works on the caller's block, which it changes on OK only.
class TextPosDlg : public fw::Dialog {
public:
    explicit TextPosDlg(Block& block, HWND parent = nullptr);
    // Opens with its top-left corner at the screen point (beside the block dialog) rather than centred.
    void OpenAt(POINT topLeft) { placement_.Set(topLeft); }

protected:
    bool OnInitDialog() override;
    bool OnOK() override;

private:
    Block& block_;
    subdialog::Placement placement_;
};
