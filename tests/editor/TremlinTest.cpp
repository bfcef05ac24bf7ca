// The mouse hook library under the system's own input: clicks made with SendInput, as a user's hand
// would make them, reach the hook, which posts its message and keeps a caught click from its window.
#include "MouseInput.h"
#include "editor/MouseCatch.h"
#include "framework/Dialog.h"
#include "tremlin/Tremlin.h"
#include <gtest/gtest.h>
#include <functional>
#include <vector>

using namespace mousetest;

namespace {

class TremlinTest : public testing::Test {
protected:
    void TearDown() override { DeInstallTremlin(); }

    // Pumps until the condition holds, counting the hook messages taken from the queue: a posted
    // message waits there, a sent one reaches the window without passing it.
    bool Pump(const std::function<bool()>& condition)
    {
        const DWORD start = ::GetTickCount();
        while (!condition()) {
            if (::GetTickCount() - start > 10000)
                return false;
            MSG message;
            while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
                if (message.message == TREMLIN_MESSAGE)
                    ++queuedHookMessages_;
                ::TranslateMessage(&message);
                ::DispatchMessageA(&message);
            }
            if (!condition())
                ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
        }
        return true;
    }

    int queuedHookMessages_ = 0;

    RecordingWindow window_{RECT{200, 150, 500, 400}};
};

TEST_F(TremlinTest, CatchModeReportsTheShiftClickByPostAndKeepsItFromTheWindow)
{
    ASSERT_NE(0, InstallTremlin(window_.Handle(), TREMLIN_CATCH));
    // A click without Shift is not what catching waits for: it goes to the window, unreported.
    Click(POINT{260, 180}, Button::Left);
    ASSERT_TRUE(Pump([&] { return window_.buttons.size() == 2; }));
    EXPECT_EQ(0, window_.hookMessages);

    window_.buttons.clear();
    Click(POINT{300, 220}, Button::Left, true);
    ASSERT_TRUE(Pump([&] { return window_.hookMessages == 1; }));
    EXPECT_EQ(1, queuedHookMessages_) << "a low-level hook must post: a sent message would stall the input";
    EXPECT_TRUE(window_.buttons.empty()) << "the caught click reached the window under it";

    MOUSE_INFO info{};
    ASSERT_NE(0, GetMouseData(&info));
    EXPECT_EQ(300, info.x);
    EXPECT_EQ(220, info.y);
    EXPECT_EQ(1, info.clickFlag);
    EXPECT_EQ(1, info.button);
    EXPECT_EQ(1, info.shiftHeld);
    EXPECT_EQ(1, info.eventFlag);
    EXPECT_EQ(1, info.injectedFlag);
    // Fetched once: the record stays, but its event is spent.
    ASSERT_NE(0, GetMouseData(&info));
    EXPECT_EQ(0, info.eventFlag);
}

TEST_F(TremlinTest, WatchModeReportsEveryPressAndLetsItThrough)
{
    ASSERT_NE(0, InstallTremlin(window_.Handle(), TREMLIN_WATCH));
    MOUSE_INFO info{};
    EXPECT_EQ(0, GetMouseData(&info)) << "nothing recorded yet";
    Click(POINT{400, 300}, Button::Right);
    ASSERT_TRUE(Pump([&] { return window_.hookMessages == 1 && window_.buttons.size() == 2; }));
    EXPECT_EQ((std::vector<UINT>{WM_RBUTTONDOWN, WM_RBUTTONUP}), window_.buttons);
    ASSERT_NE(0, GetMouseData(&info));
    EXPECT_EQ(400, info.x);
    EXPECT_EQ(300, info.y);
    EXPECT_EQ(2, info.button);
    EXPECT_EQ(0, info.shiftHeld);
}

TEST_F(TremlinTest, ARemovedHookReportsNothing)
{
    EXPECT_EQ(0, DeInstallTremlin()) << "no hook to remove";
    ASSERT_NE(0, InstallTremlin(window_.Handle(), TREMLIN_WATCH));
    EXPECT_NE(0, DeInstallTremlin());
    Click(POINT{300, 220}, Button::Left);
    ASSERT_TRUE(Pump([&] { return window_.buttons.size() == 2; }));
    EXPECT_EQ(0, window_.hookMessages);
    EXPECT_EQ(0, InstallTremlin(nullptr, TREMLIN_WATCH)) << "no window to tell";
}

TEST_F(TremlinTest, AHookRefusedForAWindowThatIsGoneLeavesNoHookBehind)
{
    HWND gone = nullptr;
    {
        RecordingWindow closed(RECT{20, 20, 120, 120});
        gone = closed.Handle();
    }
    MouseCatch hook;
    ASSERT_TRUE(hook.InstallHook(window_.Handle(), MouseCatch::kCatch));
    EXPECT_FALSE(hook.InstallHook(gone, MouseCatch::kWatch));
    EXPECT_FALSE(hook.IsHooked());
    EXPECT_EQ(0, DeInstallTremlin()) << "the catching hook was left installed, forgotten by its owner";
}

} // namespace
