// Choosing the ID channel.
#include "device/IrIDDlg.h"
#include "skarpin/resource.h"
#include <string>

namespace {

const char kChannels[] = "0123456789ABCDEF";

} // namespace

IrIDDlg::IrIDDlg(char& channel, HWND parent) : fw::Dialog(IDD_IR_ID, parent), channel_(channel) {}

bool IrIDDlg::OnInitDialog()
{
    fw::ListBox list = Control<fw::ListBox>(IDC_IR_ID_LIST);
    for (const char* channel = kChannels; *channel; ++channel)
        list.Add(std::string(1, *channel));
    list.Select(list.FindExact(std::string(1, channel_)));
    return true;
}

bool IrIDDlg::OnOK()
{
    fw::ListBox list = Control<fw::ListBox>(IDC_IR_ID_LIST);
    const int selected = list.Selection();
    if (selected >= 0)
        channel_ = list.ItemText(selected)[0];
    return true;
}
