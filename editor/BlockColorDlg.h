// The colour dialog of a block: text, frame and background colours, transparency and whether the
// background covers the whole button.
#pragma once
#include "editor/BlockAppearance.h"
#include "editor/SubDialogTexts.h"
#include "framework/Dialog.h"

// Modal; works on the caller's block, which it changes on OK only.
class BlockColorDlg : public fw::Dialog {
public:
    explicit BlockColorDlg(Block& block, HWND parent = nullptr);

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int code) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    bool OnOK() override;

private:
    // The colour chooser on a swatch; on OK the swatch takes the colour and the group's "Annan" is chosen.
    void ChooseColor(COLORREF& swatch, int otherRadio, int swatchId);
    void DrawSwatch(const DRAWITEMSTRUCT& item) const;

    Block& block_;
    appearance::ColorChoice choice_;
};
