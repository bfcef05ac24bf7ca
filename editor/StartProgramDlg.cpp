// The program-start dialog.
#include "editor/StartProgramDlg.h"
#include "command/ProgramStart.h"
#include "editor/ProgramMenuDlg.h"
#include "editor/SubDialogTexts.h"
#include "framework/FileRequest.h"
#include "framework/Prompt.h"
#include "framework/Strings.h"
#include "skarpin/resource.h"
#include "store/FileIO.h"
#include <vector>

namespace {

// The process's current folder, put back when the holder goes: a file dialog may move it.
class CurrentFolderKeeper {
public:
    CurrentFolderKeeper()
    {
        std::vector<char> folder(::GetCurrentDirectoryA(0, nullptr) + 1, '\0');
        if (::GetCurrentDirectoryA(static_cast<DWORD>(folder.size()), folder.data()) != 0)
            folder_ = folder.data();
    }
    ~CurrentFolderKeeper()
    {
        if (!folder_.empty())
            ::SetCurrentDirectoryA(folder_.c_str());
    }
    CurrentFolderKeeper(const CurrentFolderKeeper&) = delete;
    CurrentFolderKeeper& operator=(const CurrentFolderKeeper&) = delete;

private:
    std::string folder_;
};

} // namespace

StartProgramDlg::StartProgramDlg(FileIO* settings, std::string& command, int left, int top, HWND parent)
    : fw::Dialog(IDD_START_PROGRAM, parent), settings_(settings), command_(command), corner_{left, top}
{
}

// ---- Opening ----------------------------------------------------------------------------------

bool StartProgramDlg::OnInitDialog()
{
    subdialog::SetTexts(*this, IDS_START_CAPTION,
                        {{IDC_START_PROGRAM_LABEL, IDS_START_PROGRAM},
                         {IDC_START_FILE_LABEL, IDS_START_FILE},
                         {IDC_START_METHOD_LABEL, IDS_START_METHOD},
                         {IDC_START_MENU, IDS_START_MENU},
                         {IDC_START_BROWSE_PROGRAM, IDS_START_BROWSE_PROGRAM},
                         {IDC_START_BROWSE_FILE, IDS_START_BROWSE_FILE}});
    subdialog::MoveCornerTo(hwnd_, corner_, subdialog::Corner::TopLeft);
    // The USB driver program starts programs itself; the other models type the start string.
    const bool usb = settings_->GetKeyboardModel() == FileIO::kModelUSB;
    ShowItem(IDC_START_METHOD_LABEL, !usb);
    ShowItem(IDC_START_METHOD, !usb);
    if (!usb)
        SetItemText(IDC_START_METHOD, settings_->defaultStartString_);
    if (!command_.empty()) {
        command::ReadProgramStart(command_, settings_->defaultStartString_, settings_->endString_, openedProgram_,
                                  openedFile_);
        SetItemText(IDC_START_PROGRAM, openedProgram_);
        SetItemText(IDC_START_FILE, openedFile_);
    }
    return true;
}

// ---- Buttons ------------------------------------------------------------------------------------

bool StartProgramDlg::OnCommand(int id, int code)
{
    if (code != BN_CLICKED)
        return false;
    switch (id) {
    case IDC_START_BROWSE_PROGRAM: OnBrowse(IDC_START_PROGRAM, IDS_START_BROWSE_PROGRAM, IDS_START_PROGRAM_FILTER); return true;
    case IDC_START_BROWSE_FILE: OnBrowse(IDC_START_FILE, IDS_START_BROWSE_FILE, IDS_START_FILE_FILTER); return true;
    case IDC_START_MENU: OnStartMenu(); return true;
    }
    return false;
}

void StartProgramDlg::OnBrowse(int box, UINT title, UINT filter)
{
    CurrentFolderKeeper keeper;
    fw::FileRequest chooser(hwnd_, ItemText(box), fw::LoadResString(filter), fw::LoadResString(title), std::string(),
                        OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY);
    if (!fw::ShowOpenFileDialog(chooser.request))
        return;
    SetItemText(box, chooser.Chosen());
    Item(box).SetFocus();
}

void StartProgramDlg::OnStartMenu()
{
    std::string program = ItemText(IDC_START_PROGRAM);
    std::string arguments = ItemText(IDC_START_FILE);
    ProgramMenuDlg menu(program, arguments, nullptr, hwnd_);
    if (menu.DoModal() != IDOK)
        return;
    SetItemText(IDC_START_PROGRAM, program);
    SetItemText(IDC_START_FILE, arguments);
    Item(IDC_START_PROGRAM).SetFocus();
}

// ---- OK -----------------------------------------------------------------------------------------

// The program start takes the place of the one the boxes were read from; the rest of the command stays.
bool StartProgramDlg::OnOK()
{
    const std::string program = ItemText(IDC_START_PROGRAM);
    const std::string file = ItemText(IDC_START_FILE);
    if (!command_.empty() && program == openedProgram_ && file == openedFile_)
        return true;
    std::string built;
    const CommandRefusal refusal = command::BuildProgramStart(settings_->defaultStartString_, settings_->endString_,
                                                              program, file, built);
    if (refusal != CommandRefusal::None) {
        command::ShowRefusal(hwnd_, refusal);
        return false;
    }
    const command::ProgramStartPart part =
        command::FindProgramStart(command_, settings_->defaultStartString_, settings_->endString_);
    command_.replace(part.at, part.length, built);
    return true;
}
