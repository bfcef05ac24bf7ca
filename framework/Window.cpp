// Window: the plain calls behind the value wrapper.
#include "framework/Window.h"
#include <algorithm>
#include <vector>

namespace fw {

std::string Window::Text() const
{
    int length = ::GetWindowTextLengthA(hwnd_);
    if (length <= 0)
        return std::string();
    std::vector<char> buffer(static_cast<size_t>(length) + 1);
    int copied = ::GetWindowTextA(hwnd_, buffer.data(), length + 1);
    return std::string(buffer.data(), copied > 0 ? static_cast<size_t>(copied) : 0);
}

void Window::SetText(const std::string& text) const
{
    ::SetWindowTextA(hwnd_, text.c_str());
}

RECT Window::ClientRect() const
{
    RECT rect{};
    ::GetClientRect(hwnd_, &rect);
    return rect;
}

RECT Window::WindowRect() const
{
    RECT rect{};
    ::GetWindowRect(hwnd_, &rect);
    return rect;
}

RECT Window::RectInParent() const
{
    RECT rect = WindowRect();
    ::MapWindowPoints(HWND_DESKTOP, ::GetParent(hwnd_), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

void Window::Move(const RECT& rect, bool repaint) const
{
    ::MoveWindow(hwnd_, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, repaint ? TRUE : FALSE);
}

RECT Window::WorkArea() const
{
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    if (!::GetMonitorInfoA(::MonitorFromWindow(hwnd_, MONITOR_DEFAULTTONEAREST), &monitor)) {
        RECT screen{};
        ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &screen, 0);
        return screen;
    }
    return monitor.rcWork;
}

void Window::MoveOnScreen(POINT topLeft) const
{
    const RECT rect = WindowRect();
    const RECT work = WorkArea();
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    // The right and bottom edges first: a window larger than the work area keeps its top-left corner
    // (and caption) on the screen.
    const int x = std::max<int>(work.left, std::min<int>(topLeft.x, work.right - width));
    const int y = std::max<int>(work.top, std::min<int>(topLeft.y, work.bottom - height));
    ::SetWindowPos(hwnd_, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Window::CenterOver(HWND owner) const
{
    RECT around = WorkArea();
    if (owner != nullptr && ::IsWindowVisible(owner) && !::IsIconic(owner))
        around = Window(owner).WindowRect();
    const RECT rect = WindowRect();
    MoveOnScreen(POINT{(around.left + around.right - (rect.right - rect.left)) / 2,
                       (around.top + around.bottom - (rect.bottom - rect.top)) / 2});
}

void Window::LayMaximisedOnWorkArea(MINMAXINFO& info) const
{
    RECT frame{0, 0, 0, 0};
    ::AdjustWindowRectEx(&frame, static_cast<DWORD>(::GetWindowLongA(hwnd_, GWL_STYLE)), FALSE,
                         static_cast<DWORD>(::GetWindowLongA(hwnd_, GWL_EXSTYLE)));
    const LONG border = -frame.left;
    const RECT work = WorkArea();
    info.ptMaxPosition = POINT{work.left - border, work.top - border};
    info.ptMaxSize = POINT{work.right - work.left + 2 * border, work.bottom - work.top + 2 * border};
}

} // namespace fw
