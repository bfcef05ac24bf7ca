// The mouse hook through Tremlin, and tries through the system's input.
#include "editor/MouseCatch.h"
#include "framework/Clock.h"

namespace {

// The pause between the steps of a try, and the time the pointer stays before it goes back.
const DWORD kStepPause = 10;
const DWORD kStayTime = 1000;

} // namespace

MouseCatch::MouseCatch()
    : screen_{::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)}
{
}

MouseCatch::~MouseCatch()
{
    RemoveHook();
}

bool MouseCatch::InstallHook(HWND window, CatchMode mode)
{
    // The library may refuse a window before it takes an installed hook away: remove it first, so no
    // hook is left that this object has forgotten.
    RemoveHook();
    hookWindow_ = window;
    hookMode_ = mode;
    hooked_ = InstallTremlin(window, mode) != 0;
    return hooked_;
}

void MouseCatch::RemoveHook()
{
    if (hooked_)
        DeInstallTremlin();
    hooked_ = false;
}

void MouseCatch::SendMouse(DWORD flags, POINT absolute)
{
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = absolute.x;
    input.mi.dy = absolute.y;
    input.mi.dwFlags = flags;
    ::SendInput(1, &input, sizeof(input));
}

void MouseCatch::MoveAndClick(const mouse::Position& position, int button, int clicks)
{
    const bool wasHooked = hooked_;
    RemoveHook();
    POINT saved{};
    ::GetCursorPos(&saved);
    RECT window{};
    const bool targetThere = target_ && ::IsWindow(target_) && ::GetWindowRect(target_, &window);
    if (targetThere)
        ::SetForegroundWindow(target_);
    const POINT point =
        mouse::AbsoluteInputPoint(mouse::PointOfPosition(position, targetThere ? &window : nullptr, screen_), screen_);
    SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, POINT{point.x / 2, point.y});
    fw::Wait(kStepPause);
    SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, point);
    fw::Wait(kStepPause);
    // Each press and release carries the point itself, so it lands there even when something moved
    // the pointer in between.
    const DWORD atPoint = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    for (int i = 0; i < clicks; ++i) {
        SendMouse(mouse::ButtonDownFlag(button) | atPoint, point);
        SendMouse(mouse::ButtonUpFlag(button) | atPoint, point);
    }
    fw::Wait(kStayTime);
    SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, mouse::AbsoluteInputPoint(saved, screen_));
    if (wasHooked)
        InstallHook(hookWindow_, hookMode_);
}
