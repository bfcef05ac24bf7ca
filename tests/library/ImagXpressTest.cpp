// The picture control's holder: the control's window in its parent, its events going to the handlers,
// and what is left when the holder goes.
#include "library/ImagXpress.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

class ImagXpressTest : public testing::Test {
protected:
    void SetUp() override
    {
        parent = ::CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 300, 200, nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(nullptr, parent);
    }
    void TearDown() override { ::DestroyWindow(parent); }

    HWND parent = nullptr;
};

} // namespace

TEST_F(ImagXpressTest, MakesTheControlWithItsWindowInTheParent)
{
    CImagXpress holder(parent, 1573, parent, 10, 20, 120, 90);
    ASSERT_NE(nullptr, holder.GetInterface());
    const HWND window = holder.Window();
    ASSERT_NE(nullptr, window);
    EXPECT_EQ(window, ::GetDlgItem(parent, 1573));
    EXPECT_EQ(parent, holder.Owner());
    EXPECT_EQ(1573, holder.ControlId());
    RECT rect;
    ::GetWindowRect(window, &rect);
    ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    EXPECT_EQ(10, rect.left);
    EXPECT_EQ(20, rect.top);
    EXPECT_EQ(130, rect.right);
    EXPECT_EQ(110, rect.bottom);

    CImagXpress decoder(parent, 103, nullptr, 0, 0, 0, 0);
    ASSERT_NE(nullptr, decoder.GetInterface()) << "a control without a window still decodes";
    EXPECT_EQ(nullptr, decoder.Window());
}

TEST_F(ImagXpressTest, MouseEventsReachTheHandlersWithOwnerAndId)
{
    CImagXpress holder(parent, 42, parent, 0, 0, 100, 100);
    std::vector<std::string> events;
    auto mouse = [&](const char* name) {
        return [&events, name](HWND owner, int id, short button, short shift, int x, int y) {
            events.push_back(std::string(name) + " " + std::to_string(id) + " " + std::to_string(button) + " " +
                             std::to_string(shift) + " " + std::to_string(x) + "," + std::to_string(y) +
                             (owner == ::GetParent(::GetDlgItem(owner, id)) ? "" : " wrong owner"));
        };
    };
    holder.SetMouseDownHandler(mouse("down"));
    holder.SetMouseMoveHandler(mouse("move"));
    holder.SetMouseUpHandler(mouse("up"));
    holder.SetClickHandler([&](HWND, int id) { events.push_back("click " + std::to_string(id)); });
    holder.SetDblClickHandler([&](HWND, int id) { events.push_back("double " + std::to_string(id)); });

    const HWND window = holder.Window();
    ::SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 6));
    ::SendMessageA(window, WM_MOUSEMOVE, MK_LBUTTON | MK_RBUTTON, MAKELPARAM(7, 8));
    ::SendMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(9, 10));
    ::SendMessageA(window, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(1, 2));
    ::SendMessageA(window, WM_RBUTTONUP, 0, MAKELPARAM(1, 2));
    ::SendMessageA(window, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(3, 3));
    const std::vector<std::string> expected = {"down 42 1 0 5,6", "move 42 3 0 7,8", "up 42 1 0 9,10", "click 42",
                                               "down 42 2 0 1,2",  "up 42 2 0 1,2",   "double 42"};
    EXPECT_EQ(expected, events);
}

// An event without a handler is dropped; the events that have one still arrive, each once.
TEST_F(ImagXpressTest, EventsWithoutHandlersAreDropped)
{
    CImagXpress holder(parent, 42, parent, 0, 0, 100, 100);
    std::vector<std::string> events;
    holder.SetClickHandler([&](HWND, int id) { events.push_back("click " + std::to_string(id)); });
    ::SendMessageA(holder.Window(), WM_LBUTTONDOWN, MK_LBUTTON, 0);
    ::SendMessageA(holder.Window(), WM_MOUSEMOVE, MK_LBUTTON, 0);
    ::SendMessageA(holder.Window(), WM_LBUTTONUP, 0, 0);
    ::SendMessageA(holder.Window(), WM_LBUTTONDBLCLK, 0, 0);
    EXPECT_EQ(std::vector<std::string>{"click 42"}, events);

    holder.SetClickHandler(nullptr);
    ::SendMessageA(holder.Window(), WM_LBUTTONDOWN, MK_LBUTTON, 0);
    ::SendMessageA(holder.Window(), WM_LBUTTONUP, 0, 0);
    EXPECT_EQ(1u, events.size()) << "a handler taken away hears nothing more";
    EXPECT_TRUE(::IsWindow(holder.Window()));
}

// Another window may keep the control (Morvel's dialogs share the main window's): it outlives the
// holder as a decoder, without the window and without events.
TEST_F(ImagXpressTest, TheControlOutlivesItsHolderWithoutWindowOrEvents)
{
    std::shared_ptr<PictureControl> kept;
    int clicks = 0;
    HWND window = nullptr;
    {
        CImagXpress holder(parent, 42, parent, 0, 0, 100, 100);
        holder.SetClickHandler([&](HWND, int) { ++clicks; });
        kept = holder.GetInterface();
        window = holder.Window();
    }
    EXPECT_FALSE(::IsWindow(window));
    EXPECT_EQ(nullptr, kept->View());
    ASSERT_TRUE(kept->CreateView(parent, 43, RECT{0, 0, 10, 10}));
    ::SendMessageA(kept->View(), WM_LBUTTONUP, 0, 0);
    EXPECT_EQ(0, clicks);
}
