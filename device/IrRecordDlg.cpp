// Learning an infrared code from a remote control.
#include "device/IrRecordDlg.h"
#include "device/IrIntelHex.h"
#include "framework/Cursor.h"
#include "framework/Prompt.h"
#include "skarpin/resource.h"
#include "store/IrCodeTable.h"

const char IrRecordDlg::kLearnedPlaceholder[] = "IntelHex";

namespace {

const IrCodeEditorDlg::Fields kFields = {IDC_IR_RECORD_NAME, IDC_IR_RECORD_HELD, IDC_IR_RECORD_TIMED,
                                         IDC_IR_RECORD_TIME};

// A code read back from the keyboard is kept only when the code file can hold it and it can be sent
// to the keyboard again.
bool UsableCode(int code, const std::string& text)
{
    std::string records = text;
    return IrCodeTable::CheckField(text) == 0 && IrCodeToIntelHex(code, records) == 0;
}

} // namespace

IrRecordDlg::IrRecordDlg(IrCodeDraft& draft, const IrEditorContext& context, HWND parent)
    : IrCodeEditorDlg(IDD_IR_RECORD, kFields, draft, context, parent), recorder_(*context.commands, *this),
      workingText_(draft.text)
{
}

bool IrRecordDlg::OnInitDialog()
{
    IrCodeEditorDlg::OnInitDialog();
    ShowRecorder();
    return true;
}

void IrRecordDlg::ShowRecorder()
{
    if (recorder_.Recorded())
        workingText_ = kLearnedPlaceholder;
    SetItemText(IDC_IR_INSTRUCTION, recorder_.InstructionText());
    for (int id : {IDC_IR_RECORD, IDC_IR_RECORD_SPECIAL, IDC_IR_OPTIMISE})
        EnableItem(id, recorder_.ActionsEnabled());
    UpdateOk();
    // The instruction must show before the next blocking wait for the keyboard.
    ::UpdateWindow(Handle());
}

bool IrRecordDlg::OnCommand(int id, int code)
{
    if (code == BN_CLICKED) {
        switch (id) {
        case IDC_IR_RECORD:
        case IDC_IR_RECORD_SPECIAL:
            recorder_.StartRecording(context_.code, id == IDC_IR_RECORD_SPECIAL);
            ShowRecorder();
            return true;
        case IDC_IR_OPTIMISE:
            recorder_.StartDistanceCheck();
            ShowRecorder();
            return true;
        case IDC_IR_HELP:
            OpenHelp();
            return true;
        default:
            break;
        }
    }
    return IrCodeEditorDlg::OnCommand(id, code);
}

void IrRecordDlg::OpenHelp()
{
    if (!IrCodeTable::OpenHelp(Handle(), context_.programFolder))
        ShowError(IDS_IR_NO_HELP);
}

void IrRecordDlg::OnTimer(UINT_PTR id)
{
    recorder_.OnTimer(id);
    ShowRecorder();
}

bool IrRecordDlg::OnCancel()
{
    if (recorder_.Cancel()) {
        ShowRecorder();
        return false;
    }
    return true;
}

void IrRecordDlg::OnDestroy()
{
    recorder_.Stop();
}

bool IrRecordDlg::Accept(std::string& text, int)
{
    if (workingText_.empty()) {
        ShowError(IDS_IR_NOTHING_RECORDED);
        return false;
    }
    // A code learned here lives only in the keyboard until it is read back; a code stored before keeps
    // its text whatever the keyboard holds now.
    if (!recorder_.Recorded())
        return true;
    std::string learned;
    int result = 0;
    {
        fw::WaitCursor wait;
        result = context_.commands->AccGetIRCode(context_.code, learned);
    }
    if (result != 0 || !UsableCode(context_.code, learned)) {
        ShowError(IDS_IR_GET_CODE_FAILED);
        return false;
    }
    text = learned;
    return true;
}
