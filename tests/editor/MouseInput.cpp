// Mouse and keyboard input for the tests, through SendInput.
#include "MouseInput.h"
#include "framework/Dialog.h"
#include "tremlin/Tremlin.h"

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

void SendMove(POINT screenPoint)
{
    INPUT input = MouseInput(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE);
    input.mi.dx = Absolute(screenPoint.x, ::GetSystemMetrics(SM_CXSCREEN));
    input.mi.dy = Absolute(screenPoint.y, ::GetSystemMetrics(SM_CYSCREEN));
    Send(input);
}

void MoveTo(POINT screenPoint)
{
    // Under Wine's virtual desktop the X server's own pointer follows a move later, and its older
    // position may still arrive and put the pointer back: move again until the pointer stays.
    const DWORD start = ::GetTickCount();
    int steady = 0;
    SendMove(screenPoint);
    while (steady < 5 && ::GetTickCount() - start < 3000) {
        fw::PumpMessages();
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        const POINT now = PointerPosition();
        if (now.x == screenPoint.x && now.y == screenPoint.y) {
            ++steady;
        } else {
            steady = 0;
            SendMove(screenPoint);
        }
    }
}

void Click(POINT screenPoint, Button button, bool withShift)
{
    MoveTo(screenPoint);
    // Shift and the button straight after one another, without a pause in which the X server's own
    // state of the keyboard and pointer could be taken over again; the button acts where the pointer
    // stands.
    if (withShift)
        Shift(false);
    Send(MouseInput(button == Button::Left ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_RIGHTDOWN));
    Send(MouseInput(button == Button::Left ? MOUSEEVENTF_LEFTUP : MOUSEEVENTF_RIGHTUP));
    if (withShift)
        Shift(true);
}

POINT PointerPosition()
{
    POINT point{};
    ::GetCursorPos(&point);
    return point;
}

namespace {

InputRecorder* g_recorder = nullptr;

} // namespace

InputRecorder::InputRecorder()
{
    g_recorder = this;
    hook_ = ::SetWindowsHookExA(WH_MOUSE_LL, Proc, ::GetModuleHandleA(nullptr), 0);
}

InputRecorder::~InputRecorder()
{
    if (hook_)
        ::UnhookWindowsHookEx(hook_);
    g_recorder = nullptr;
}

LRESULT CALLBACK InputRecorder::Proc(int code, WPARAM message, LPARAM data)
{
    if (code == HC_ACTION && data && g_recorder)
        g_recorder->events.push_back({message, reinterpret_cast<const MSLLHOOKSTRUCT*>(data)->pt});
    return ::CallNextHookEx(nullptr, code, message, data);
}

namespace {

ATOM RecordingClass(WNDPROC procedure)
{
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = ::GetModuleHandleA(nullptr);
    windowClass.hbrBackground = static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH));
    windowClass.lpszClassName = "MouseTestWindow";
    return ::RegisterClassA(&windowClass);
}

} // namespace

RecordingWindow::RecordingWindow(const RECT& area, const char* title)
{
    static ATOM windowClass = RecordingClass(Proc);
    hwnd_ = ::CreateWindowExA(WS_EX_TOPMOST, MAKEINTATOM(windowClass), title, WS_POPUP | WS_VISIBLE, area.left,
                              area.top, area.right - area.left, area.bottom - area.top, nullptr, nullptr,
                              ::GetModuleHandleA(nullptr), this);
    ::SetForegroundWindow(hwnd_);
    fw::PumpMessages();
}

RecordingWindow::~RecordingWindow()
{
    ::DestroyWindow(hwnd_);
}

LRESULT CALLBACK RecordingWindow::Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE)
        ::SetWindowLongPtrA(hwnd, GWLP_USERDATA,
                            reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams));
    auto* self = reinterpret_cast<RecordingWindow*>(::GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (self && message == TREMLIN_MESSAGE) {
        ++self->hookMessages;
        return 0;
    }
    if (self && (message == WM_LBUTTONDOWN || message == WM_LBUTTONUP || message == WM_RBUTTONDOWN ||
                 message == WM_RBUTTONUP || message == WM_LBUTTONDBLCLK)) {
        self->buttons.push_back(message);
        self->points.push_back(POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))});
    }
    return ::DefWindowProcA(hwnd, message, wParam, lParam);
}

} // namespace mousetest
