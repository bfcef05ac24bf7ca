// The key-press timing: signal delay (AF) and bounce lock (SS), which exclude each other.
#pragma once
#include "framework/Dialog.h"
#include "store/KeyboardSettings.h"
#include <string>

// Edits SignalDelay and BounceLock of a record the caller owns.
class KeysDlg : public fw::Dialog {
public:
    static constexpr int kRadios = 8; // "off" and the seven times

    // caption: empty for the dialog's own. preset: the record holds values to show; without it no
    // radio is checked and OK waits for the user's first choice.
    KeysDlg(KeyboardSettings& settings, const std::string& caption, int preset, HWND parent = nullptr);

    // After OK: which fields took the user's choice. A group the user never clicked keeps its field
    // as it was (a stored time that no radio offers stays); a delay or lock chosen clears the other.
    bool SignalDelayChanged() const { return signalDelayChanged_; }
    bool BounceLockChanged() const { return bounceLockChanged_; }

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int code) override;
    bool OnOK() override;

private:
    // The radio's time; 0 for "off" or none.
    static float TimeOf(int index);
    static int IndexOf(float time);
    void OnGroupClicked(int group, int other);

    KeyboardSettings& settings_;
    std::string caption_;
    int preset_;
    bool signalDelayClicked_ = false;
    bool bounceLockClicked_ = false;
    bool signalDelayChanged_ = false;
    bool bounceLockChanged_ = false;
};
