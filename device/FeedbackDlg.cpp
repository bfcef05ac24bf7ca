// The sound and light signals.
#include "device/FeedbackDlg.h"
#include "device/KeyboardDialogTexts.h"
#include "skarpin/resource.h"

FeedbackDlg::FeedbackDlg(KeyboardSettings& settings, const std::string& caption, int preset, HWND parent)
    : fw::Dialog(IDD_FEEDBACK, parent), settings_(settings), caption_(caption), preset_(preset)
{
}

bool FeedbackDlg::OnInitDialog()
{
    keyboardtexts::SetTexts(*this, IDS_FEEDBACK_CAPTION, caption_,
                            {{IDC_FEEDBACK_SOUND, IDS_FEEDBACK_SOUND}, {IDC_FEEDBACK_LIGHT, IDS_FEEDBACK_LIGHT}});
    if (preset_) {
        SetChecked(IDC_FEEDBACK_LIGHT, settings_.flashSignal_ != 0);
        SetChecked(IDC_FEEDBACK_SOUND, settings_.beepSignal_ != 0);
    }
    return true;
}

bool FeedbackDlg::OnCommand(int id, int code)
{
    if (code != BN_CLICKED)
        return false;
    if (id == IDC_FEEDBACK_LIGHT)
        flashChanged_ = true;
    else if (id == IDC_FEEDBACK_SOUND)
        beepChanged_ = true;
    else
        return false;
    return true;
}

// Only a box the user clicked says what the user wants: an unclicked clear box may stand for
// overlays that differ.
bool FeedbackDlg::OnOK()
{
    if (flashChanged_)
        settings_.flashSignal_ = IsChecked(IDC_FEEDBACK_LIGHT) ? 1 : 0;
    if (beepChanged_)
        settings_.beepSignal_ = IsChecked(IDC_FEEDBACK_SOUND) ? 1 : 0;
    return true;
}
