// The text placement dialog of a block.
#include "editor/TextPosDlg.h"
#include "editor/BlockAppearance.h"
#include "editor/SubDialogTexts.h"
#include "skarpin/resource.h"

namespace {

const int kRadios[] = {IDC_TEXTPOS_TOP, IDC_TEXTPOS_MIDDLE, IDC_TEXTPOS_BOTTOM};

} // namespace

TextPosDlg::TextPosDlg(Block& block, HWND parent) : fw::Dialog(IDD_TEXT_POSITION, parent), block_(block)
{
}

bool TextPosDlg::OnInitDialog()
{
    subdialog::SetTexts(*this, IDS_TEXTPOS_CAPTION,
                        {{IDC_TEXTPOS_LABEL, IDS_TEXTPOS_LABEL}, {IDC_TEXTPOS_TOP, IDS_TEXTPOS_TOP},
                         {IDC_TEXTPOS_MIDDLE, IDS_TEXTPOS_MIDDLE}, {IDC_TEXTPOS_BOTTOM, IDS_TEXTPOS_BOTTOM},
                         {IDC_TEXTPOS_CENTRED, IDS_TEXTPOS_CENTRED}});
    SetChecked(kRadios[appearance::TextPositionRadio(block_.textPosition_)], true);
    SetChecked(IDC_TEXTPOS_CENTRED, block_.centred_ != 0);
    return true;
}

bool TextPosDlg::OnOK()
{
    for (int radio = 0; radio < 3; ++radio)
        if (IsChecked(kRadios[radio]))
            block_.textPosition_ = appearance::TextPositionOfRadio(radio);
    block_.centred_ = IsChecked(IDC_TEXTPOS_CENTRED) ? 1 : 0;
    return true;
}
