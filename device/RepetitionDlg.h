// The repetition timing of a held key: the delay before the first repeat (FD) and the time
// between repeats (RT).
#pragma once
#include "framework/Dialog.h"
#include "store/KeyboardSettings.h"
#include <string>

// Edits RepeatDelay and Frequency of a record the caller owns.
class RepetitionDlg : public fw::Dialog {
public:
    static constexpr int kRadios = 7;

    // caption: empty for the dialog's own. preset: the record holds values to show; without it no
    // radio is checked and OK waits for the user's first choice.
    RepetitionDlg(KeyboardSettings& settings, const std::string& caption, int preset, HWND parent = nullptr);

    // After OK: which fields took the user's choice; a group never clicked keeps its field as it was.
    bool RepeatDelayChanged() const { return repeatDelayChanged_; }
    bool FrequencyChanged() const { return frequencyChanged_; }

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int code) override;
    bool OnOK() override;

private:
    KeyboardSettings& settings_;
    std::string caption_;
    int preset_;
    bool repeatDelayChanged_ = false;
    bool frequencyChanged_ = false;
};
