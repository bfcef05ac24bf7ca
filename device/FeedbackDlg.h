// The keyboard's signals on a key press: a sound and a light.
#pragma once
#include "framework/Dialog.h"
#include "store/KeyboardSettings.h"
#include <string>

// Edits FlashSignal and BeepSignal of a record the caller owns.
class FeedbackDlg : public fw::Dialog {
public:
    // caption: empty for the dialog's own. preset: the record holds values to show; without it both
    // boxes start clear.
    FeedbackDlg(KeyboardSettings& settings, const std::string& caption, int preset, HWND parent = nullptr);

    // After OK: which fields took the user's choice. A box the user never clicked leaves its field as it was.
    bool FlashChanged() const { return flashChanged_; }
    bool BeepChanged() const { return beepChanged_; }

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int code) override;
    bool OnOK() override;

private:
    KeyboardSettings& settings_;
    std::string caption_;
    int preset_;
    bool flashChanged_ = false;
    bool beepChanged_ = false;
};
