// Mouse and keyboard input for the tests, through SendInput.
#include "MouseInput.h"

namespace mousetest {

namespace {

void Send(INPUT input)
{
    ::SendInput(1, &input, sizeof(input));
}

// The absolute input space spans the primary screen with 0 ... 65535; rounding up lands each value on
// the pixel it was made from.
LONG Absolute(LONG pixel, int screenSize)
{
    return static_cast<LONG>((static_cast<long long>(pixel) * 65536 + screenSize - 1) / screenSize);
}

INPUT MouseInput(DWORD flags)
{
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    return input;
}

void Shift(bool up)
{
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = VK_SHIFT;
    input.ki.wScan = static_cast<WORD>(::MapVirtualKeyA(VK_SHIFT, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    Send(input);
}

} // namespace

void MoveTo(POINT screenPoint)
{
    INPUT input = MouseInput(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE);
    input.mi.dx = Absolute(screenPoint.x, ::GetSystemMetrics(SM_CXSCREEN));
    input.mi.dy = Absolute(screenPoint.y, ::GetSystemMetrics(SM_CYSCREEN));
    Send(input);
}

void Click(POINT screenPoint, Button button)
{
    MoveTo(screenPoint);
    Send(MouseInput(button == Button::Left ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_RIGHTDOWN));
    Send(MouseInput(button == Button::Left ? MOUSEEVENTF_LEFTUP : MOUSEEVENTF_RIGHTUP));
}

POINT PointerPosition()
{
    POINT point{};
    ::GetCursorPos(&point);
    return point;
}

HeldShift::HeldShift()
{
    Shift(false);
}

HeldShift::~HeldShift()
{
    Shift(true);
}

} // namespace mousetest
