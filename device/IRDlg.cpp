// Choosing an infrared code for a block command.
#include "device/IRDlg.h"
#include "framework/Prompt.h"
#include "framework/Strings.h"
#include "skarpin/resource.h"
#include "store/ZenthorFiles.h"
#include <cstdlib>

IRDlg::IRDlg(const std::string& programFolder, std::string& result, HWND parent)
    : fw::Dialog(IDD_IR_COMMAND, parent), programFolder_(programFolder), result_(result)
{
}

bool IRDlg::OnInitDialog()
{
    // Lines the table leaves out leave the list with the codes that could be read; a file that is there
    // but cannot be read at all leaves it empty, and the user is told why.
    const int loaded = table_.Load(zenthor::CodeFile(programFolder_));
    fw::ListBox list = Control<fw::ListBox>(IDC_IR_COMMAND_LIST);
    for (int slot = 1; slot < IrCodeTable::kSlots; ++slot) {
        std::string name;
        if (table_.GetName(slot, name) == 0)
            list.Add(fw::Format("%d. %s", slot, name.c_str()));
    }
    if (loaded == IrCodeTable::kFileUnreadable)
        fw::ShowMessage(Handle(), IDS_IR_CHOICE_UNREADABLE,
                        fw::FormatResString(IDS_IR_CHOICE_UNREADABLE, table_.Path().c_str()),
                        fw::LoadResString(IDS_ERROR_CAPTION), MB_OK | MB_ICONSTOP);
    return true;
}

bool IRDlg::OnOK()
{
    fw::ListBox list = Control<fw::ListBox>(IDC_IR_COMMAND_LIST);
    const int selected = list.Selection();
    if (selected >= 0)
        result_ = fw::Format("<IR%d>", std::atoi(list.ItemText(selected).c_str()));
    return true;
}
