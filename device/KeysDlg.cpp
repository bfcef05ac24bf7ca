// Signal delay and bounce lock.
#include "device/KeysDlg.h"
#include "device/KeyboardDialogTexts.h"
#include "skarpin/resource.h"

using keyboardtexts::CheckedRadio;
using keyboardtexts::EnableRadios;

KeysDlg::KeysDlg(KeyboardSettings& settings, const std::string& caption, int preset, HWND parent)
    : fw::Dialog(IDD_KEYS, parent), settings_(settings), caption_(caption), preset_(preset)
{
}

float KeysDlg::TimeOf(int index)
{
    return index <= 0 ? 0.0f : keyboardtexts::kTimes[index - 1];
}

int KeysDlg::IndexOf(float time)
{
    return time == 0.0f ? 0 : keyboardtexts::TimeIndex(time) + 1;
}

bool KeysDlg::OnInitDialog()
{
    keyboardtexts::SetTexts(*this, IDS_KEYS_CAPTION, caption_,
                            {{IDC_KBD_TEXT1, IDS_KEYS_AF},
                             {IDC_KBD_TEXT2, IDS_KEYS_SS},
                             {IDC_KBD_TEXT3, IDS_KEYS_EXCLUSIVE},
                             {IDC_KBD_TEXT4, IDS_KBD_SECONDS},
                             {IDC_KBD_TEXT5, IDS_KBD_SECONDS},
                             {IDC_KEYS_AF_FIRST, IDS_KBD_OFF},
                             {IDC_KEYS_SS_FIRST, IDS_KBD_OFF}});
    if (!preset_) {
        EnableItem(IDOK, false);
        return true;
    }
    const int delay = IndexOf(settings_.signalDelay_);
    const int lock = IndexOf(settings_.bounceLock_);
    keyboardtexts::CheckRadio(*this, IDC_KEYS_AF_FIRST, kRadios, delay);
    keyboardtexts::CheckRadio(*this, IDC_KEYS_SS_FIRST, kRadios, lock);
    if (delay != 0)
        EnableRadios(*this, IDC_KEYS_SS_FIRST, kRadios, false);
    else if (lock != 0)
        EnableRadios(*this, IDC_KEYS_AF_FIRST, kRadios, false);
    return true;
}

bool KeysDlg::OnCommand(int id, int code)
{
    if (code != BN_CLICKED)
        return false;
    if (id >= IDC_KEYS_AF_FIRST && id < IDC_KEYS_AF_FIRST + kRadios) {
        signalDelayClicked_ = true;
        OnGroupClicked(IDC_KEYS_AF_FIRST, IDC_KEYS_SS_FIRST);
        return true;
    }
    if (id >= IDC_KEYS_SS_FIRST && id < IDC_KEYS_SS_FIRST + kRadios) {
        bounceLockClicked_ = true;
        OnGroupClicked(IDC_KEYS_SS_FIRST, IDC_KEYS_AF_FIRST);
        return true;
    }
    return false;
}

// Only "off" in one group leaves the other free.
void KeysDlg::OnGroupClicked(int group, int other)
{
    EnableRadios(*this, other, kRadios, IsChecked(group));
    EnableItem(IDOK, true);
}

bool KeysDlg::OnOK()
{
    signalDelayChanged_ = signalDelayClicked_;
    bounceLockChanged_ = bounceLockClicked_;
    if (signalDelayClicked_)
        settings_.signalDelay_ = TimeOf(CheckedRadio(*this, IDC_KEYS_AF_FIRST, kRadios));
    if (bounceLockClicked_)
        settings_.bounceLock_ = TimeOf(CheckedRadio(*this, IDC_KEYS_SS_FIRST, kRadios));
    // The two exclude each other on the keyboard: a delay chosen means no lock, and the other way round.
    if (signalDelayClicked_ && settings_.signalDelay_ != 0.0f) {
        settings_.bounceLock_ = 0.0f;
        bounceLockChanged_ = true;
    } else if (bounceLockClicked_ && settings_.bounceLock_ != 0.0f) {
        settings_.signalDelay_ = 0.0f;
        signalDelayChanged_ = true;
    }
    return true;
}
