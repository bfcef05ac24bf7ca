// The mouse hook of the mouse command dialog, and the tries that move the pointer and click.
#pragma once
#include "editor/MouseCommandModel.h"
#include "tremlin/Tremlin.h"
#include <windows.h>

// Owned by the mouse command dialog. Owns the hook while it is installed: destroying it removes the
// hook. The hook posts TREMLIN_MESSAGE to the window it was installed for, on the installing thread.
class MouseCatch {
public:
    enum CatchMode { kWatch = TREMLIN_WATCH, kCatch = TREMLIN_CATCH };

    MouseCatch();
    ~MouseCatch();
    MouseCatch(const MouseCatch&) = delete;
    MouseCatch& operator=(const MouseCatch&) = delete;

    // A hook already installed is replaced. False when the hook could not be installed.
    bool InstallHook(HWND window, CatchMode mode);
    void RemoveHook();
    bool IsHooked() const { return hooked_; }

    // The window a try moves into; none at first.
    void SetTarget(HWND window) { target_ = window; }
    HWND Target() const { return target_; }

    // Tries a click at a position: the pointer moves there in two steps (the target window, when it
    // is still there, comes to the front and the position is measured against it), the button is
    // clicked `clicks` times (0: moved only), and a second later the pointer goes back. The hook is
    // off meanwhile: this thread waits between the steps, and a low-level hook whose thread does not
    // answer holds up all input and may be dropped by the system.
    void MoveAndClick(const mouse::Position& position, int button, int clicks);

    SIZE Screen() const { return screen_; }

private:
    void SendMouse(DWORD flags, POINT absolute);

    SIZE screen_{};
    HWND target_ = nullptr;
    bool hooked_ = false;
    HWND hookWindow_ = nullptr;
    CatchMode hookMode_ = kWatch;
};
