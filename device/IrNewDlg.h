// The choice of the kind of a new infrared code: learned, RavikLink or the security code.
#pragma once
#include "framework/Dialog.h"

class IrNewDlg : public fw::Dialog {
public:
    // The kinds in the order of the radios, as the type letters of the code table name them.
    static const char kTypes[];

    // kind: on OK 0 learned ('I'), 1 RavikLink ('G'), 2 security code ('X').
    explicit IrNewDlg(int& kind, HWND parent = nullptr);

protected:
    bool OnInitDialog() override;
    bool OnOK() override;

private:
    int& kind_;
};
