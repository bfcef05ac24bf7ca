// Wizard pages: one virtual per notification, the refusal to leave a page, finish and cancel.
#include "framework/PropertySheet.h"
#include "framework/test_resource.h"
#include "support/DialogDriver.h"
#include <gtest/gtest.h>

using namespace testsupport;

namespace {

struct WizardModel {
    std::string name;
    bool done = false;
};

class NamePage : public fw::PropertyPage {
public:
    explicit NamePage(WizardModel& model) : fw::PropertyPage(IDD_TEST_PAGE1), model_(model) {}
    int entered = 0;

protected:
    bool OnSetActive() override
    {
        ++entered;
        SetItemText(IDC_TEST_EDIT, model_.name);
        SetWizardButtons(PSWIZB_NEXT);
        return true;
    }
    LRESULT OnWizardNext() override
    {
        model_.name = ItemText(IDC_TEST_EDIT);
        return model_.name.empty() ? -1 : 0; // a name is needed to go on
    }

private:
    WizardModel& model_;
};

class DonePage : public fw::PropertyPage {
public:
    explicit DonePage(WizardModel& model) : fw::PropertyPage(IDD_TEST_PAGE2), model_(model) {}

protected:
    bool OnSetActive() override
    {
        SetWizardButtons(PSWIZB_BACK | PSWIZB_FINISH);
        return true;
    }
    bool OnWizardFinish() override
    {
        model_.done = IsChecked(IDC_TEST_CHECK);
        return model_.done;
    }

private:
    WizardModel& model_;
};

struct Wizard {
    WizardModel model;
    NamePage first{model};
    DonePage second{model};
    fw::PropSheet sheet;
    Wizard()
    {
        sheet.AddPage(&first);
        sheet.AddPage(&second);
        sheet.SetWizardMode();
        sheet.SetCaption("Guide");
    }
};

} // namespace

TEST(PropSheet, WizardRefusesToLeaveAnInvalidPageAndFinishesWhenValid)
{
    Wizard wizard;
    ASSERT_TRUE(wizard.sheet.Create(nullptr));
    fw::PumpMessages();
    EXPECT_EQ(0, wizard.sheet.ActiveIndex());

    wizard.sheet.PressButton(PSBTN_NEXT);
    fw::PumpMessages();
    EXPECT_EQ(0, wizard.sheet.ActiveIndex()) << "an empty name must keep the first page";

    SetText(wizard.first.Handle(), IDC_TEST_EDIT, "Skola");
    wizard.sheet.PressButton(PSBTN_NEXT);
    ASSERT_TRUE(PumpUntil([&] { return wizard.sheet.ActiveIndex() == 1; }));
    EXPECT_EQ("Skola", wizard.model.name);

    wizard.sheet.PressButton(PSBTN_FINISH);
    fw::PumpMessages();
    EXPECT_TRUE(wizard.sheet.IsRunning()) << "finish is refused until the box is checked";

    Check(wizard.second.Handle(), IDC_TEST_CHECK, true);
    wizard.sheet.PressButton(PSBTN_FINISH);
    ASSERT_TRUE(PumpUntil([&] { return !wizard.sheet.IsRunning(); }));
    EXPECT_TRUE(wizard.model.done);
    EXPECT_EQ(fw::kWizardFinish, wizard.sheet.Result());
}

TEST(PropSheet, BackReturnsToTheFirstPageWithTheModelsValues)
{
    Wizard wizard;
    wizard.model.name = "Hem";
    ASSERT_TRUE(wizard.sheet.Create(nullptr));
    wizard.sheet.PressButton(PSBTN_NEXT);
    ASSERT_TRUE(PumpUntil([&] { return wizard.sheet.ActiveIndex() == 1; }));
    wizard.sheet.PressButton(PSBTN_BACK);
    ASSERT_TRUE(PumpUntil([&] { return wizard.sheet.ActiveIndex() == 0; }));
    EXPECT_EQ(2, wizard.first.entered);
    EXPECT_EQ("Hem", Text(wizard.first.Handle(), IDC_TEST_EDIT));

    wizard.sheet.PressButton(PSBTN_CANCEL);
    ASSERT_TRUE(PumpUntil([&] { return !wizard.sheet.IsRunning(); }));
    EXPECT_EQ(IDCANCEL, wizard.sheet.Result());
}

// A sheet opens centred over its owner, as the dialogs do, and never partly off the screen.
TEST(PropSheet, OpensCentredOverItsOwnerAndWholeOnTheScreen)
{
    const RECT work = WorkArea();
    struct Case {
        const char* name;
        RECT owner;
        bool roomAround; // the sheet fits on the screen centred over this owner
    };
    const Case cases[] = {
        {"owner in the middle", {200, 150, 800, 650}, true},
        {"owner at the bottom right", {work.right - 120, work.bottom - 90, work.right, work.bottom}, false},
        {"owner at the top left", {work.left, work.top, work.left + 100, work.top + 80}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        HWND owner = ::CreateWindowExA(0, "STATIC", "\xC4gare", WS_POPUP | WS_VISIBLE, c.owner.left, c.owner.top,
                                       c.owner.right - c.owner.left, c.owner.bottom - c.owner.top, nullptr, nullptr,
                                       nullptr, nullptr);
        ASSERT_NE(nullptr, owner);
        Wizard wizard;
        ASSERT_TRUE(wizard.sheet.Create(owner));
        fw::PumpMessages();
        ExpectOnWorkArea(wizard.sheet.Handle());
        const RECT sheet = fw::Window(wizard.sheet.Handle()).WindowRect();
        if (c.roomAround) {
            EXPECT_NEAR((c.owner.left + c.owner.right) / 2, (sheet.left + sheet.right) / 2, 1);
            EXPECT_NEAR((c.owner.top + c.owner.bottom) / 2, (sheet.top + sheet.bottom) / 2, 1);
        }
        wizard.sheet.Destroy();
        ::DestroyWindow(owner);
    }
}
