// Choosing a RavikLink channel.
#include "device/IrRavikLinkDlg.h"
#include "framework/Strings.h"
#include "skarpin/resource.h"

namespace {

const IrCodeEditorDlg::Fields kFields = {IDC_IR_RAVIK_NAME, IDC_IR_RAVIK_HELD, IDC_IR_RAVIK_TIMED,
                                         IDC_IR_RAVIK_TIME};

} // namespace

IrRavikLinkDlg::IrRavikLinkDlg(IrCodeDraft& draft, const IrEditorContext& context, HWND parent)
    : IrCodeEditorDlg(IDD_IR_RAVIKLINK, kFields, draft, context, parent)
{
}

bool IrRavikLinkDlg::OnInitDialog()
{
    fw::ListBox channels = Control<fw::ListBox>(IDC_IR_RAVIK_CHANNEL);
    for (int channel : ircode::RavikLinkChannels())
        channels.Add(fw::Format("%d", channel));
    channels.Select(channels.FindExact(draft_.text));
    return IrCodeEditorDlg::OnInitDialog();
}

bool IrRavikLinkDlg::Accept(std::string& text, int)
{
    fw::ListBox channels = Control<fw::ListBox>(IDC_IR_RAVIK_CHANNEL);
    const int selected = channels.Selection();
    if (selected >= 0)
        text = channels.ItemText(selected);
    return true;
}
