// Holds a control's redrawing off while many lines go in.
#pragma once
#include <windows.h>

namespace fw {

// Each line added to a drawing tree or list box recomputes its scroll bars and repaints it; paused,
// the control does that once, when the pause ends, and is then redrawn whole.
class RedrawPause {
public:
    explicit RedrawPause(HWND control) : control_(control) { ::SendMessageA(control_, WM_SETREDRAW, FALSE, 0); }
    ~RedrawPause()
    {
        ::SendMessageA(control_, WM_SETREDRAW, TRUE, 0);
        ::InvalidateRect(control_, nullptr, TRUE);
    }
    RedrawPause(const RedrawPause&) = delete;
    RedrawPause& operator=(const RedrawPause&) = delete;

private:
    HWND control_;
};

} // namespace fw
