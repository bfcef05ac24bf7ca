// Repeat delay and repetition rate.
#include "device/RepetitionDlg.h"
#include "device/KeyboardDialogTexts.h"
#include "skarpin/resource.h"

using keyboardtexts::CheckedRadio;
using keyboardtexts::kTimes;

RepetitionDlg::RepetitionDlg(KeyboardSettings& settings, const std::string& caption, int preset, HWND parent)
    : fw::Dialog(IDD_REPETITION, parent), settings_(settings), caption_(caption), preset_(preset)
{
}

bool RepetitionDlg::OnInitDialog()
{
    keyboardtexts::SetTexts(*this, IDS_REPEAT_CAPTION, caption_,
                            {{IDC_KBD_TEXT1, IDS_REPEAT_FD},
                             {IDC_KBD_TEXT2, IDS_REPEAT_RT},
                             {IDC_KBD_TEXT3, IDS_KBD_SECONDS},
                             {IDC_KBD_TEXT4, IDS_REPEAT_SECONDS_BETWEEN}});
    if (!preset_) {
        EnableItem(IDOK, false);
        return true;
    }
    keyboardtexts::CheckRadio(*this, IDC_REPEAT_FD_FIRST, kRadios, keyboardtexts::TimeIndex(settings_.repeatDelay_));
    keyboardtexts::CheckRadio(*this, IDC_REPEAT_RT_FIRST, kRadios, keyboardtexts::TimeIndex(settings_.frequency_));
    return true;
}

bool RepetitionDlg::OnCommand(int id, int code)
{
    if (code != BN_CLICKED)
        return false;
    if (id >= IDC_REPEAT_FD_FIRST && id < IDC_REPEAT_FD_FIRST + kRadios)
        repeatDelayChanged_ = true;
    else if (id >= IDC_REPEAT_RT_FIRST && id < IDC_REPEAT_RT_FIRST + kRadios)
        frequencyChanged_ = true;
    else
        return false;
    EnableItem(IDOK, true);
    return true;
}

bool RepetitionDlg::OnOK()
{
    const int delay = CheckedRadio(*this, IDC_REPEAT_FD_FIRST, kRadios);
    const int frequency = CheckedRadio(*this, IDC_REPEAT_RT_FIRST, kRadios);
    repeatDelayChanged_ = repeatDelayChanged_ && delay >= 0;
    frequencyChanged_ = frequencyChanged_ && frequency >= 0;
    if (repeatDelayChanged_)
        settings_.repeatDelay_ = kTimes[delay];
    if (frequencyChanged_)
        settings_.frequency_ = kTimes[frequency];
    return true;
}
