// The choice of the keyboard's infrared ID channel: one of "0"-"9" and "A"-"F".
#pragma once
#include "framework/Dialog.h"

class IrIDDlg : public fw::Dialog {
public:
    // channel: the current channel in; on OK the chosen one.
    explicit IrIDDlg(char& channel, HWND parent = nullptr);

protected:
    bool OnInitDialog() override;
    bool OnOK() override;

private:
    char& channel_;
};
