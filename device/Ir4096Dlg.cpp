// Setting the security code.
#include "device/Ir4096Dlg.h"
#include "device/IrCommands.h"
#include "framework/Cursor.h"
#include "framework/Strings.h"
#include "skarpin/resource.h"

namespace {

const IrCodeEditorDlg::Fields kFields = {IDC_IR_SECURE_NAME, IDC_IR_SECURE_HELD, IDC_IR_SECURE_TIMED,
                                         IDC_IR_SECURE_TIME};

} // namespace

Ir4096Dlg::Ir4096Dlg(IrCodeDraft& draft, const IrEditorContext& context, HWND parent)
    : IrCodeEditorDlg(IDD_IR_SECURITY, kFields, draft, context, parent)
{
}

bool Ir4096Dlg::OnInitDialog()
{
    SetItemText(IDC_IR_SECURE_CODE, draft_.text);
    return IrCodeEditorDlg::OnInitDialog();
}

bool Ir4096Dlg::HasContent() const
{
    return !ItemText(IDC_IR_SECURE_CODE).empty();
}

bool Ir4096Dlg::OnCommand(int id, int code)
{
    if (id == IDC_IR_SECURE_CODE && code == EN_CHANGE) {
        UpdateOk();
        return true;
    }
    return IrCodeEditorDlg::OnCommand(id, code);
}

bool Ir4096Dlg::Accept(std::string& text, int)
{
    const int code = ircode::ParseNumber(ItemText(IDC_IR_SECURE_CODE), ircode::kLastSecurityCode);
    if (code < 0) {
        ShowError(IDS_IR_BAD_SECURITY_CODE);
        Item(IDC_IR_SECURE_CODE).SetFocus();
        return false;
    }
    int result = 0;
    {
        fw::WaitCursor wait;
        result = context_.commands->AccSetSecure(fw::Format("%.4X", code));
    }
    if (result != 0) {
        ShowError(IDS_IR_SECURE_FAILED);
        return false;
    }
    text = fw::Format("%d", code);
    return true;
}
