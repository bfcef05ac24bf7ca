// The pause dialog.
#include "editor/PauseDlg.h"
#include "command/CommandSyntax.h"
#include "editor/SubDialogTexts.h"
#include "skarpin/resource.h"

PauseDlg::PauseDlg(int right, int bottom, float* seconds, HWND parent)
    : fw::Dialog(IDD_PAUSE, parent), corner_{right, bottom}, seconds_(seconds)
{
}

bool PauseDlg::OnInitDialog()
{
    subdialog::SetTexts(*this, IDS_PAUSE_CAPTION, {{IDC_PAUSE_PROMPT, IDS_PAUSE_PROMPT}});
    subdialog::MoveCornerTo(hwnd_, corner_, subdialog::Corner::BottomRight);
    return true;
}

bool PauseDlg::OnOK()
{
    double seconds = 0;
    CommandRefusal refusal = command::ReadPauseSeconds(ItemText(IDC_PAUSE_SECONDS), seconds);
    if (refusal != CommandRefusal::None) {
        command::ShowRefusal(hwnd_, refusal);
        Item(IDC_PAUSE_SECONDS).SetFocus();
        return false;
    }
    if (seconds_)
        *seconds_ = static_cast<float>(seconds);
    return true;
}
