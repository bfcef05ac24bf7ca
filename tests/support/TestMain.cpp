// Entry point of every test program: common controls and COM as the programs have them, and
// default handlers that fail the test for anything that would wait for a user or the clock.
#include "framework/Clock.h"
#include "framework/Dialog.h"
#include "support/ScriptedMessages.h"
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

namespace {

// Restores the defaults after each test, so one test's handlers never leak into the next.
class DefaultHandlers : public testing::EmptyTestEventListener {
public:
    void OnTestStart(const testing::TestInfo&) override { Install(); }
    void OnTestEnd(const testing::TestInfo&) override
    {
        if (fw::Dialog::PendingInitHooks() != 0)
            ADD_FAILURE() << fw::Dialog::PendingInitHooks() << " dialog script(s) queued but no dialog opened";
        fw::Dialog::ClearInitHooks();
        Install();
    }

    static void Install()
    {
        fw::SetMessageHandler(testsupport::FailOnMessage);
        fw::Dialog::SetUnexpectedDialogHandler([](fw::Dialog& dialog) {
            ADD_FAILURE() << "dialog " << dialog.TemplateId() << " opened without a test script";
            dialog.EndDialog(IDCANCEL);
        });
        fw::SetWaitHandler([](DWORD milliseconds) {
            if (milliseconds >= 1000)
                ADD_FAILURE() << "a real wait of " << milliseconds << " ms: inject the wait instead";
            ::Sleep(milliseconds < 50 ? milliseconds : 50);
        });
        fw::SetTickCountHandler(nullptr);
        fw::SetBeepHandler([] {});
    }
};

} // namespace

int main(int argc, char** argv)
{
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&controls);
    ::CoInitialize(nullptr);
    ::SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    testing::InitGoogleTest(&argc, argv);
    testing::UnitTest::GetInstance()->listeners().Append(new DefaultHandlers);
    int result = RUN_ALL_TESTS();
    ::CoUninitialize();
    return result;
}
