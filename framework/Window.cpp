// Window: the plain calls behind the value wrapper.
#include "framework/Window.h"
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

} // namespace fw
