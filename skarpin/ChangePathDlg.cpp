// Changing the media folders of a set's overlays.
#include "skarpin/ChangePathDlg.h"
#include "framework/Cursor.h"
#include "framework/Prompt.h"
#include "framework/Strings.h"
#include "library/Cp1252.h"
#include "skarpin/resource.h"
#include "store/CommandMessages.h"
#include "store/FileIO.h"
#include <shlobj.h>

namespace {

const COLORREF kWarningColor = RGB(255, 0, 0);

} // namespace

ChangePathDlg::ChangePathDlg(FileIO* fileIO, const std::string& setName, HWND parent)
    : fw::Dialog(IDD_CHANGE_PATHS, parent), fileIO_(fileIO), folders_(*fileIO, setName)
{
}

bool ChangePathDlg::OnInitDialog()
{
    fw::WaitCursor wait;
    folders_.Collect();
    fw::ListBox list = Control<fw::ListBox>(IDC_PATHS_LIST);
    for (size_t i = 0; i < folders_.Items().size(); ++i)
        list.Add(folders_.LineText(i));
    EnableItem(IDC_PATHS_EDIT, false);
    EnableItem(IDC_PATHS_BROWSE, false);
    return true;
}

bool ChangePathDlg::OnCommand(int id, int code)
{
    switch (id) {
    case IDC_PATHS_LIST:
        if (code != LBN_SELCHANGE)
            return false;
        OnLineSelected();
        return true;
    case IDC_PATHS_EDIT:
        if (code != EN_CHANGE)
            return false;
        OnFolderTyped();
        return true;
    case IDC_PATHS_BROWSE:
        if (code != BN_CLICKED)
            return false;
        OnBrowse();
        return true;
    default:
        return false;
    }
}

// The line's position names its folder: list lines and folders are in one order.
void ChangePathDlg::OnLineSelected()
{
    const int line = Control<fw::ListBox>(IDC_PATHS_LIST).Selection();
    const bool selected = line >= 0 && static_cast<size_t>(line) < folders_.Items().size();
    editing_ = -1;
    EnableItem(IDC_PATHS_EDIT, selected);
    EnableItem(IDC_PATHS_BROWSE, selected);
    if (!selected)
        return;
    const std::string newFolder = folders_.Items()[static_cast<size_t>(line)].newFolder;
    editing_ = line;
    SetItemText(IDC_PATHS_EDIT, newFolder);
}

void ChangePathDlg::OnFolderTyped()
{
    if (editing_ < 0)
        return;
    const size_t index = static_cast<size_t>(editing_);
    folders_.SetNewFolder(index, ItemText(IDC_PATHS_EDIT));
    fw::ListBox list = Control<fw::ListBox>(IDC_PATHS_LIST);
    list.Delete(editing_);
    list.Insert(editing_, folders_.LineText(index));
    list.Select(editing_);
}

void ChangePathDlg::OnBrowse()
{
    if (editing_ < 0)
        return;
    const SetMediaFolders::PathItem& item = folders_.Items()[static_cast<size_t>(editing_)];
    const std::string title = fw::FormatResString(IDS_PATHS_BROWSE_TITLE, item.oldFolder.c_str());
    std::string chosen;
    if (!fw::ChooseFolder(Handle(), title, chosen, item.newFolder))
        return;
    SetItemText(IDC_PATHS_EDIT, cp1252::Lower(chosen));
}

bool ChangePathDlg::OnOK()
{
    fw::WaitCursor wait;
    if (folders_.AnyNewFolderEmpty()) {
        commandmessages::ShowError(Handle(), IDS_PATHS_EMPTY_FOLDER);
        return false;
    }
    const std::vector<std::string> notRewritten = folders_.Apply(fileIO_->GetShortCommandFlag());
    if (!notRewritten.empty())
        commandmessages::ShowErrorFormatted(Handle(), IDS_PATHS_NOT_CHANGED,
                                            commandmessages::OnePerLine(notRewritten).c_str());
    return true;
}

bool ChangePathDlg::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (message != WM_CTLCOLORSTATIC || reinterpret_cast<HWND>(lParam) != Item(IDC_PATHS_WARNING).Handle())
        return false;
    HDC dc = reinterpret_cast<HDC>(wParam);
    ::SetTextColor(dc, kWarningColor);
    ::SetBkMode(dc, TRANSPARENT);
    result = reinterpret_cast<LRESULT>(::GetSysColorBrush(COLOR_BTNFACE));
    return true;
}
