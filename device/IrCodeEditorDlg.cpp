// The name, the send time and OK of the infrared code editors.
#include "device/IrCodeEditorDlg.h"
#include "framework/Prompt.h"
#include "framework/Strings.h"
#include "skarpin/resource.h"

IrCodeEditorDlg::IrCodeEditorDlg(UINT templateId, const Fields& fields, IrCodeDraft& draft,
                                 const IrEditorContext& context, HWND parent)
    : fw::Dialog(templateId, parent), draft_(draft), context_(context), fields_(fields)
{
}

bool IrCodeEditorDlg::OnInitDialog()
{
    SetItemText(fields_.name, draft_.name);
    ShowSendTime(draft_.value);
    UpdateOk();
    return true;
}

void IrCodeEditorDlg::ShowSendTime(int value)
{
    const bool whileHeld = value == IrCodeDraft::kWhileHeld;
    SetChecked(fields_.whileHeld, whileHeld);
    SetChecked(fields_.timed, !whileHeld);
    settingTime_ = true;
    SetItemText(fields_.time, whileHeld ? std::string() : ircode::FormatSendTime(value));
    settingTime_ = false;
}

void IrCodeEditorDlg::UpdateOk()
{
    EnableItem(IDOK, OkAllowed() && !ItemText(fields_.name).empty() && HasContent());
}

bool IrCodeEditorDlg::OnCommand(int id, int code)
{
    if (id == fields_.name && code == EN_CHANGE) {
        UpdateOk();
        return true;
    }
    if (id == fields_.time && code == EN_CHANGE) {
        // Typing a time chooses the timed send; emptying the field for the other radio does not.
        if (!settingTime_) {
            SetChecked(fields_.timed, true);
            SetChecked(fields_.whileHeld, false);
        }
        return true;
    }
    if (id == fields_.whileHeld && code == BN_CLICKED) {
        settingTime_ = true;
        SetItemText(fields_.time, std::string());
        settingTime_ = false;
        return true;
    }
    if (id == fields_.timed && code == BN_CLICKED) {
        Item(fields_.time).SetFocus();
        return true;
    }
    return false;
}

void IrCodeEditorDlg::ShowError(UINT textId) const
{
    fw::ShowMessage(Handle(), textId, IDS_ERROR_CAPTION, MB_OK | MB_ICONSTOP);
}

int IrCodeEditorDlg::SendTime() const
{
    if (!IsChecked(fields_.timed))
        return IrCodeDraft::kWhileHeld;
    const int tenths = ircode::ParseSendTime(ItemText(fields_.time));
    if (tenths < 0)
        ShowError(IDS_IR_BAD_SEND_TIME);
    return tenths;
}

bool IrCodeEditorDlg::OnOK()
{
    const std::string name = ItemText(fields_.name);
    if (UINT refusal = ircode::CheckName(name, context_.names, context_.row)) {
        ShowError(refusal);
        Item(fields_.name).SetFocus();
        return false;
    }
    const int value = SendTime();
    if (value < 0) {
        Item(fields_.time).SetFocus();
        return false;
    }
    std::string text = draft_.text;
    if (!Accept(text, value))
        return false;
    draft_.name = name;
    draft_.value = value;
    draft_.text = text;
    return true;
}
