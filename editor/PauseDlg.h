// The pause dialog: a pause in seconds for a block command.
#pragma once
#include "framework/Dialog.h"

// Modal; the caller owns the seconds.
class PauseDlg : public fw::Dialog {
public:
    // (right, bottom): the screen point of the dialog's bottom-right corner. seconds: set on OK only,
    // to a value of 0 to 25 with one decimal; the caller adds no pause for 0 (command::PauseTag).
    PauseDlg(int right, int bottom, float* seconds, HWND parent = nullptr);

protected:
    bool OnInitDialog() override;
    bool OnOK() override;

private:
    POINT corner_;
    float* seconds_;
};
