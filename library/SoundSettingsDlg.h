// The recording settings dialog: quality, recording time, pause cutting and the silence level.
#pragma once
#include "framework/Dialog.h"

class SoundSettingsDlg : public fw::Dialog {
public:
    // The four settings are the caller's; OK writes them back.
    SoundSettingsDlg(int* recordingTime, int* silenceLevel, int* cutPauses, int* quality, HWND parent = nullptr);

protected:
    bool OnInitDialog() override;
    bool OnOK() override;

private:
    int* recordingTime_;
    int* silenceLevel_;
    int* cutPauses_;
    int* quality_;
};
