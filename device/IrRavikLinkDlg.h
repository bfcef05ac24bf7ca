// The editor of a RavikLink code: its name, send time and channel.
#pragma once
#include "device/IrCodeEditorDlg.h"

// Opened by the infrared loader for a code of type 'G'; the draft's text is the channel in decimal.
class IrRavikLinkDlg : public IrCodeEditorDlg {
public:
    IrRavikLinkDlg(IrCodeDraft& draft, const IrEditorContext& context, HWND parent = nullptr);

protected:
    bool OnInitDialog() override;
    bool HasContent() const override { return !draft_.text.empty(); }
    bool Accept(std::string& text, int value) override;
};
