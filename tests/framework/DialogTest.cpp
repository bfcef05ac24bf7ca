// The dialog base: modal loop, OK/Cancel conventions, control wrappers, exceptions, nesting, modeless.
#include "framework/Dialog.h"
#include "framework/FrameworkIds.h"
#include "framework/test_resource.h"
#include "support/DialogDriver.h"
#include "support/ScriptedMessages.h"
#include <gtest/gtest.h>
#include <gtest/gtest-spi.h>
#include <stdexcept>
#include <vector>

using namespace testsupport;

namespace {

class FormDlg : public fw::Dialog {
public:
    explicit FormDlg(HWND parent = nullptr) : fw::Dialog(IDD_TEST_FORM, parent) {}

    bool acceptOk = true;
    int actions = 0;
    std::string savedText;
    std::function<void()> onAction;

protected:
    bool OnInitDialog() override
    {
        fw::ComboBox combo = Control<fw::ComboBox>(IDC_TEST_COMBO);
        combo.Add("Ett");
        combo.Add("Två");
        fw::ListBox list = Control<fw::ListBox>(IDC_TEST_LIST);
        for (const char* line : {"a", "b", "c"})
            list.Add(line);
        SetItemText(IDC_TEST_EDIT, "start");
        return true;
    }
    bool OnCommand(int id, int code) override
    {
        if (id == IDC_TEST_ACTION && code == BN_CLICKED) {
            ++actions;
            if (onAction)
                onAction();
            return true;
        }
        return false;
    }
    bool OnOK() override
    {
        savedText = ItemText(IDC_TEST_EDIT);
        return acceptOk;
    }
};

} // namespace

TEST(Dialog, OkReturnsIdOkAndCancelIdCancel)
{
    FormDlg dialog;
    EXPECT_EQ(IDOK, RunModal(dialog, [](fw::Dialog& d) {
                  EXPECT_EQ("start", Text(d, IDC_TEST_EDIT));
                  SetText(d, IDC_TEST_EDIT, "ny text");
                  Click(d, IDOK);
              }));
    EXPECT_EQ("ny text", dialog.savedText);
    EXPECT_EQ(nullptr, dialog.Handle());

    FormDlg cancelled;
    EXPECT_EQ(IDCANCEL, RunModal(cancelled, [](fw::Dialog& d) { Click(d, IDCANCEL); }));
    EXPECT_EQ("", cancelled.savedText);
}

TEST(Dialog, OnOkReturningFalseKeepsTheDialogOpen)
{
    FormDlg dialog;
    dialog.acceptOk = false;
    INT_PTR result = RunModal(dialog, [&](fw::Dialog& d) {
        Click(d, IDOK);
        EXPECT_TRUE(::IsWindowVisible(d.Handle()));
        dialog.acceptOk = true;
        Click(d, IDOK);
    });
    EXPECT_EQ(IDOK, result);
}

TEST(Dialog, ControlWrappersReadWhatTheUserChose)
{
    FormDlg dialog;
    RunModal(dialog, [](fw::Dialog& d) {
        fw::ComboBox combo = d.Control<fw::ComboBox>(IDC_TEST_COMBO);
        EXPECT_EQ(-1, combo.Selection());
        SelectCombo(d, IDC_TEST_COMBO, 1);
        EXPECT_EQ("Två", combo.ItemText(combo.Selection()));
        EXPECT_EQ(0, combo.FindExact("Ett"));
        EXPECT_EQ(-1, combo.FindExact("Tre"));

        fw::ListBox list = d.Control<fw::ListBox>(IDC_TEST_LIST);
        list.SetSelected(0, true);
        list.SetSelected(2, true);
        EXPECT_EQ((std::vector<int>{0, 2}), list.SelectedIndexes());

        Check(d, IDC_TEST_CHECK, true);
        EXPECT_TRUE(d.IsChecked(IDC_TEST_CHECK));
        d.EndDialog(IDCANCEL);
    });
}

// The caller's placement runs on the opened dialog, after OnInitDialog has filled and placed it.
TEST(Dialog, TheCallersPlacementHasTheLastWordWhereTheDialogOpens)
{
    FormDlg dialog;
    std::string textWhenPlaced;
    dialog.PlaceOnOpen([&](HWND window) {
        textWhenPlaced = fw::Window(::GetDlgItem(window, IDC_TEST_EDIT)).Text();
        ::SetWindowPos(window, nullptr, 123, 45, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    });
    RunModal(dialog, [](fw::Dialog& d) {
        const RECT rect = d.Self().WindowRect();
        EXPECT_EQ(123, rect.left);
        EXPECT_EQ(45, rect.top);
        d.EndDialog(IDCANCEL);
    });
    EXPECT_EQ("start", textWhenPlaced);
}

TEST(Dialog, DisabledButtonCannotBeClicked)
{
    FormDlg dialog;
    RunModal(dialog, [&](fw::Dialog& d) {
        d.EnableItem(IDC_TEST_ACTION, false);
        EXPECT_NONFATAL_FAILURE(Click(d, IDC_TEST_ACTION), "disabled");
        EXPECT_EQ(0, dialog.actions);
        d.EndDialog(IDCANCEL);
    });
}

TEST(Dialog, ExceptionInHandlerIsReportedNotFatal)
{
    ScriptedMessages messages;
    messages.Expect(IDS_FW_UNEXPECTED_ERROR);
    FormDlg dialog;
    dialog.onAction = [] { throw std::runtime_error("trasig fil"); };
    EXPECT_EQ(IDCANCEL, RunModal(dialog, [](fw::Dialog& d) {
                  Click(d, IDC_TEST_ACTION);
                  Click(d, IDCANCEL);
              }));
    ASSERT_EQ(1u, messages.Shown().size());
    EXPECT_NE(std::string::npos, messages.Shown()[0].text.find("trasig fil"));
    EXPECT_EQ("Felmeddelande", messages.Shown()[0].caption);
}

TEST(Dialog, NestedModalDialogRunsItsOwnScriptAndDisablesItsOwner)
{
    FormDlg outer;
    INT_PTR innerResult = 0;
    outer.onAction = [&] {
        FormDlg inner(outer.Handle());
        OnNextDialog([&](fw::Dialog& d) {
            EXPECT_FALSE(::IsWindowEnabled(outer.Handle()));
            Click(d, IDOK);
        });
        innerResult = inner.DoModal();
    };
    RunModal(outer, [&](fw::Dialog& d) {
        Click(d, IDC_TEST_ACTION);
        EXPECT_TRUE(::IsWindowEnabled(d.Handle()));
        Click(d, IDOK);
    });
    EXPECT_EQ(IDOK, innerResult);
}

// Another program's window stands behind ours: closing a nested dialog gives the activation and
// the keys back to its owner, never to that window.
TEST(Dialog, ClosingADialogActivatesItsOwnerAndNotAnotherWindow)
{
    HWND other = ::CreateWindowExA(0, "STATIC", "Annat program", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50, 300, 200,
                                   nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(nullptr, other);
    ::SetForegroundWindow(other);
    FormDlg outer;
    HWND activeAfterInner = nullptr;
    HWND focusAfterInner = nullptr;
    outer.onAction = [&] {
        FormDlg inner(outer.Handle());
        OnNextDialog([&](fw::Dialog& d) {
            ::SetFocus(::GetDlgItem(d.Handle(), IDC_TEST_EDIT));
            Click(d, IDOK);
        });
        inner.DoModal();
        activeAfterInner = ::GetActiveWindow();
        focusAfterInner = ::GetFocus();
    };
    RunModal(outer, [&](fw::Dialog& d) {
        EXPECT_TRUE(PumpUntil([&] { return ::GetActiveWindow() == d.Handle(); }));
        Click(d, IDC_TEST_ACTION);
        EXPECT_EQ(d.Handle(), activeAfterInner);
        EXPECT_TRUE(focusAfterInner == d.Handle() || ::IsChild(d.Handle(), focusAfterInner));
        EXPECT_EQ(d.Handle(), ::GetForegroundWindow());
        Click(d, IDOK);
    });
    ::DestroyWindow(other);
}

TEST(Dialog, ModelessDialogLivesUntilEnded)
{
    FormDlg dialog;
    ASSERT_TRUE(dialog.Create(nullptr));
    HWND hwnd = dialog.Handle();
    EXPECT_TRUE(::IsWindowVisible(hwnd));
    EXPECT_EQ(&dialog, fw::Dialog::FromHandle(hwnd));
    dialog.EndDialog(IDOK);
    EXPECT_FALSE(::IsWindow(hwnd));
    EXPECT_EQ(nullptr, dialog.Handle());
}

TEST(Dialog, MissingTemplateFailsWithMinusOne)
{
    class Missing : public fw::Dialog {
    public:
        Missing() : fw::Dialog(9999) {}
    } missing;
    EXPECT_EQ(-1, missing.DoModal());
}

// A child that tells its parent of its own events (a player's end) sends WM_NOTIFY: a dialog that
// takes it in OnMessage, not OnNotify, must hear it, with its answer as the message's result.
TEST(Dialog, NoticesLeftByOnNotifyReachOnMessage)
{
    class Listener : public fw::Dialog {
    public:
        Listener() : fw::Dialog(IDD_TEST_FORM) {}
        std::vector<UINT> heard;

    protected:
        bool OnNotify(int, NMHDR* header, LRESULT& result) override
        {
            if (header->code != 1)
                return false;
            result = 11;
            return true;
        }
        bool OnMessage(UINT message, WPARAM, LPARAM lParam, LRESULT& result) override
        {
            if (message != WM_NOTIFY)
                return false;
            heard.push_back(reinterpret_cast<NMHDR*>(lParam)->code);
            result = 22;
            return true;
        }
    } listener;
    ASSERT_TRUE(listener.Create(nullptr));
    for (UINT code : {1u, 2u}) {
        NMHDR notice{};
        notice.idFrom = 77;
        notice.code = code;
        ::SendMessageA(listener.Handle(), WM_NOTIFY, 77, reinterpret_cast<LPARAM>(&notice));
        EXPECT_EQ(code == 1 ? 11 : 22, ::GetWindowLongPtrA(listener.Handle(), DWLP_MSGRESULT)) << code;
    }
    EXPECT_EQ(std::vector<UINT>{2u}, listener.heard);
    listener.EndDialog(IDOK);
}
