// The editor of the security code: its name, send time and the code 0-4095, which the keyboard
// stores at once.
#pragma once
#include "device/IrCodeEditorDlg.h"

// Opened by the infrared loader for the one code of type 'X'; the draft's text is the code in decimal.
class Ir4096Dlg : public IrCodeEditorDlg {
public:
    Ir4096Dlg(IrCodeDraft& draft, const IrEditorContext& context, HWND parent = nullptr);

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int code) override;
    bool HasContent() const override;
    bool Accept(std::string& text, int value) override;
};
