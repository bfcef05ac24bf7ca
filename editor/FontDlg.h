// The font dialog of a block: the automatic font, or a font of the block's own with its style and size.
#pragma once
#include "editor/BlockAppearance.h"
#include "editor/SubDialogTexts.h"
#include "framework/Dialog.h"
#include <string>
#include <vector>

// Modal; works on the caller's block, which it changes on OK only.
class FontDlg : public fw::Dialog {
public:
    // automatic: what the automatic font shows (appearance::AutomaticFontOf).
    FontDlg(Block& block, const appearance::AutomaticFont& automatic, HWND parent = nullptr);

    // The TrueType font families of the screen, each once.
    static std::vector<std::string> ScreenFonts();

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int code) override;
    bool OnOK() override;

private:
    // Shows the name, style and size in the lists, and enables them for a font of the block's own.
    void ShowFont(bool own, const std::string& name, int style, int size);

    Block& block_;
    appearance::AutomaticFont automatic_;
};
