// The main window's test fixture.
#include "MainWindowFixture.h"
#include "skarpin/resource.h"
#include "support/DialogDriver.h"
#include <gtest/gtest.h>

void MainWindowFixture::UseModel(const std::string& status)
{
    WriteWindowsSettings("[Directories]\r\nExe=" + ProgramFolder() + "\r\n[Settings]\r\nFBStatus=" + status + "\r\n");
}

std::string MainWindowFixture::UseUsbDriverWithCurrentSet(const std::string& currentSet)
{
    UseModel("USB");
    WriteProgramSettings("[Settings]\r\nShowTemplates=1\r\nShowStandardOverlays=1\r\n[USB]\r\nCurrentSet=" + currentSet +
                         "\r\n");
    return "Rizovuvuri kommandon " + std::to_string(::GetCurrentProcessId());
}

void MainWindowFixture::RunMainWindow(const std::function<void(CSkarpinDlg&)>& script, OverlayEditorFactory factory)
{
    CSkarpinDlg dialog(Environment());
    if (factory)
        dialog.SetOverlayEditorFactory(std::move(factory));
    testsupport::RunModal(dialog, [&](fw::Dialog&) {
        script(dialog);
        dialog.EndDialog(IDCANCEL);
    });
}

std::vector<std::string> MainWindowFixture::TreeNames(const CSkarpinDlg& dialog)
{
    std::vector<std::string> names;
    for (const TreeCtrlItem& item : dialog.TreeItems())
        names.push_back(item.name_);
    return names;
}

std::string MainWindowFixture::ListText(CSkarpinDlg& dialog, int line)
{
    return fw::ListBox(dialog.List().Handle()).ItemText(line);
}

void MainWindowFixture::ExpectMaximisedInSight(HWND window)
{
    const RECT work = testsupport::WorkArea();
    RECT rect{};
    ::GetWindowRect(window, &rect);
    EXPECT_TRUE(::IsZoomed(window));
    const LONG border = work.left - rect.left;
    EXPECT_GE(border, 0);
    EXPECT_LE(border, 8);
    EXPECT_EQ(work.top - border, rect.top) << "the caption lies above the screen";
    EXPECT_EQ(work.right + border, rect.right);
    EXPECT_EQ(work.bottom + border, rect.bottom);
}

bool MainWindowFixture::Grayed(HMENU menu, UINT command)
{
    return (::GetMenuState(menu, command, MF_BYCOMMAND) & MF_GRAYED) != 0;
}

std::string MainWindowFixture::MenuText(HMENU menu, UINT command)
{
    char text[256] = {};
    ::GetMenuStringA(menu, command, text, sizeof(text), MF_BYCOMMAND);
    return text;
}

void MainWindowFixture::SelectSet(CSkarpinDlg& dialog, const std::string& name)
{
    for (size_t i = 0; i < dialog.TreeItems().size(); ++i) {
        if (dialog.TreeItems()[i].name_ == name) {
            ASSERT_TRUE(dialog.SelectSetLine(i));
            ASSERT_EQ(dialog.SelectedSetName(), name);
            return;
        }
    }
    ADD_FAILURE() << "no set " << name << " in the tree";
}

void MainWindowFixture::SelectLines(CSkarpinDlg& dialog, std::initializer_list<int> lines)
{
    fw::ListBox list(dialog.List().Handle());
    list.SetSelected(-1, false);
    for (int line : lines)
        list.SetSelected(line, true);
    if (lines.size() > 0)
        list.Send(LB_SETCARETINDEX, static_cast<WPARAM>(*lines.begin()), FALSE);
    dialog.SetSelectionFocus(1);
    dialog.Self().Send(WM_COMMAND, MAKEWPARAM(IDC_OVERLAY_LIST, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list.Handle()));
}

void MainWindowFixture::Command(CSkarpinDlg& dialog, int id)
{
    dialog.Self().Send(WM_COMMAND, MAKEWPARAM(id, 0), 0);
}

void MainWindowFixture::PressOk(fw::Dialog& dialog)
{
    testsupport::Click(dialog, IDOK);
    if (::IsWindowVisible(dialog.Handle())) {
        ADD_FAILURE() << "dialog " << dialog.TemplateId() << " stayed open";
        dialog.EndDialog(IDCANCEL);
    }
}
