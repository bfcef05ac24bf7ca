// A non-owning HWND value with the everyday calls of a window, so callers rarely need the raw API.
#pragma once
#include <windows.h>
#include <string>

namespace fw {

class Window {
public:
    Window(HWND hwnd = nullptr) : hwnd_(hwnd) {}

    HWND Handle() const { return hwnd_; }
    operator HWND() const { return hwnd_; }
    bool IsValid() const { return hwnd_ != nullptr && ::IsWindow(hwnd_); }

    std::string Text() const;
    void SetText(const std::string& text) const;
    int Id() const { return ::GetDlgCtrlID(hwnd_); }
    Window Item(int id) const { return Window(::GetDlgItem(hwnd_, id)); }
    Window Parent() const { return Window(::GetParent(hwnd_)); }

    void Enable(bool enable = true) const { ::EnableWindow(hwnd_, enable ? TRUE : FALSE); }
    bool IsEnabled() const { return ::IsWindowEnabled(hwnd_) != FALSE; }
    void Show(bool show = true) const { ::ShowWindow(hwnd_, show ? SW_SHOW : SW_HIDE); }
    bool IsVisible() const { return ::IsWindowVisible(hwnd_) != FALSE; }
    void SetFocus() const { ::SetFocus(hwnd_); }
    void Invalidate(bool erase = true) const { ::InvalidateRect(hwnd_, nullptr, erase ? TRUE : FALSE); }
    void SetFont(HFONT font, bool redraw = true) const { Send(WM_SETFONT, reinterpret_cast<WPARAM>(font), redraw); }

    RECT ClientRect() const;
    RECT WindowRect() const;
    // The window's rectangle in its parent's client co-ordinates.
    RECT RectInParent() const;
    void Move(const RECT& rect, bool repaint = true) const;
    // The work area of the window's monitor: the screen less the task bar.
    RECT WorkArea() const;
    // Moves the window's top-left corner to the point, pushed back onto the work area where the
    // window would stand off it, so that no part of a dialog opens off the screen.
    void MoveOnScreen(POINT topLeft) const;
    // Centres the window over the owner's window (over the work area without an owner), whole on
    // the work area.
    void CenterOver(HWND owner) const;
    // Lays the window, when maximised, over the work area with only its frame off the screen and its
    // caption in sight: for WM_GETMINMAXINFO. Wine would count a popup window's menu bar into the
    // frame it lays off the screen, and so hide the caption and the close box above the screen.
    void LayMaximisedOnWorkArea(MINMAXINFO& info) const;

    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        return ::SendMessageA(hwnd_, message, wParam, lParam);
    }
    bool Post(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        return ::PostMessageA(hwnd_, message, wParam, lParam) != FALSE;
    }

protected:
    HWND hwnd_;
};

} // namespace fw
