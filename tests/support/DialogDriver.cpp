// Dialog driver for tests.
#include "support/DialogDriver.h"
#include "framework/Gdi.h"
#include <gtest/gtest.h>
#include <commctrl.h>

namespace testsupport {

INT_PTR RunModal(fw::Dialog& dialog, std::function<void(fw::Dialog&)> script)
{
    fw::Dialog::PushInitHook(std::move(script));
    return dialog.DoModal();
}

void OnNextDialog(std::function<void(fw::Dialog&)> script)
{
    fw::Dialog::PushInitHook(std::move(script));
}

void Click(HWND dialog, int id)
{
    HWND button = ::GetDlgItem(dialog, id);
    if (!button) {
        ADD_FAILURE() << "no control " << id;
        return;
    }
    if (!::IsWindowEnabled(button) || !::IsWindowVisible(button)) {
        ADD_FAILURE() << "button " << id << (::IsWindowEnabled(button) ? " is hidden" : " is disabled");
        return;
    }
    ::SendMessageA(button, BM_CLICK, 0, 0);
}

void Close(fw::Dialog& dialog, int id)
{
    Click(dialog, id);
    if (::IsWindowVisible(dialog))
        dialog.EndDialog(IDCANCEL);
}

void SetText(HWND dialog, int id, const std::string& text)
{
    HWND control = ::GetDlgItem(dialog, id);
    ASSERT_TRUE(control != nullptr) << "no control " << id;
    ::SetWindowTextA(control, text.c_str());
}

std::string Text(HWND dialog, int id)
{
    return fw::Window(::GetDlgItem(dialog, id)).Text();
}

void SelectCombo(HWND dialog, int id, int index)
{
    HWND combo = ::GetDlgItem(dialog, id);
    ASSERT_TRUE(combo != nullptr) << "no control " << id;
    ::SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    ::SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
}

void SelectList(HWND dialog, int id, int index)
{
    HWND list = ::GetDlgItem(dialog, id);
    ASSERT_TRUE(list != nullptr) << "no control " << id;
    ::SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    ::SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
}

void Check(HWND dialog, int id, bool checked)
{
    HWND button = ::GetDlgItem(dialog, id);
    ASSERT_TRUE(button != nullptr) << "no control " << id;
    ASSERT_TRUE(::IsWindowEnabled(button)) << "button " << id << " is disabled";
    const LONG_PTR type = ::GetWindowLongPtrA(button, GWL_STYLE) & BS_TYPEMASK;
    if (type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON) {
        // A radio is checked by a click, which clears the others of its group; it is cleared only
        // by a click on another of them, so a radio still checked then is a group that is not one.
        if (checked)
            ::SendMessageA(button, BM_CLICK, 0, 0);
        else
            EXPECT_EQ(BST_UNCHECKED, ::SendMessageA(button, BM_GETCHECK, 0, 0))
                << "radio " << id << " stays checked beside another of its group";
        return;
    }
    ::SendMessageA(button, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
    ::SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
}

RECT WorkArea()
{
    RECT work{};
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    return work;
}

void ExpectOnWorkArea(HWND window)
{
    const RECT work = WorkArea();
    RECT rect{};
    ::GetWindowRect(window, &rect);
    EXPECT_GE(rect.left, work.left);
    EXPECT_GE(rect.top, work.top);
    EXPECT_LE(rect.right, work.right);
    EXPECT_LE(rect.bottom, work.bottom);
}

bool IsEnabled(HWND dialog, int id)
{
    return ::IsWindowEnabled(::GetDlgItem(dialog, id)) != FALSE;
}

std::string EnabledStates(HWND dialog, std::initializer_list<int> ids)
{
    std::string states;
    for (int id : ids)
        states += IsEnabled(dialog, id) ? '1' : '0';
    return states;
}

bool IsVisible(HWND dialog, int id)
{
    return ::IsWindowVisible(::GetDlgItem(dialog, id)) != FALSE;
}

bool PumpUntil(const std::function<bool()>& condition, DWORD limitMs)
{
    DWORD start = ::GetTickCount();
    while (!condition()) {
        if (::GetTickCount() - start > limitMs)
            return false;
        fw::PumpMessages();
        if (condition())
            return true;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
    return true;
}

DrawnButton DrawOwnerDrawnButton(HWND dialog, int id, UINT state)
{
    DrawnButton drawn;
    HWND button = ::GetDlgItem(dialog, id);
    if (!button || (::GetWindowLongA(button, GWL_STYLE) & BS_TYPEMASK) != BS_OWNERDRAW)
        return drawn;
    RECT client{};
    ::GetClientRect(button, &client);
    fw::DibSection canvas(client.right, client.bottom);
    DRAWITEMSTRUCT item{};
    item.CtlType = ODT_BUTTON;
    item.CtlID = static_cast<UINT>(id);
    item.itemAction = ODA_DRAWENTIRE;
    item.itemState = state;
    item.hwndItem = button;
    item.hDC = canvas.DC();
    item.rcItem = client;
    const COLORREF untouched = RGB(1, 2, 3);
    canvas.Fill(untouched);
    // A dialog's own procedure and a file dialog's hook answer differently: what counts is the drawing.
    ::SendMessageA(dialog, WM_DRAWITEM, static_cast<WPARAM>(id), reinterpret_cast<LPARAM>(&item));
    ::GdiFlush();
    bool touched = false;
    for (int y = 0; y < client.bottom; ++y)
        for (int x = 0; x < client.right; ++x) {
            drawn.pixels.push_back(canvas.Pixel(x, y));
            touched = touched || drawn.pixels.back() != untouched;
        }
    if (!touched) {
        drawn.pixels.clear();
        return drawn;
    }
    drawn.width = client.right;
    drawn.height = client.bottom;
    return drawn;
}

} // namespace testsupport
