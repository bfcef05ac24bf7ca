// The mouse hook: a low-level hook, so nothing is loaded into other programs. The system calls it on
// the thread that installed it, between that thread's messages; it must return quickly and may not
// wait on another window, so it only records the click and posts.
#define TREMLIN_BUILD
#include "tremlin/Tremlin.h"

namespace {

HINSTANCE g_module = nullptr;
HHOOK g_hook = nullptr;
HWND g_window = nullptr;
int g_mode = TREMLIN_WATCH;
bool g_recorded = false;
MOUSE_INFO g_latest{};
// The button whose press a catch kept from its window: its release is kept too, even after the hook
// was installed again, so no window sees a release without its press.
int g_swallowedRelease = 0;
CRITICAL_SECTION g_lock;

int ButtonOf(WPARAM message)
{
    switch (message) {
    case WM_LBUTTONDOWN: case WM_LBUTTONUP: return 1;
    case WM_RBUTTONDOWN: case WM_RBUTTONUP: return 2;
    case WM_MBUTTONDOWN: case WM_MBUTTONUP: return 3;
    }
    return 0;
}

bool IsPress(WPARAM message)
{
    return message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN || message == WM_MBUTTONDOWN;
}

void Record(const MSLLHOOKSTRUCT& event, int button, bool shift)
{
    EnterCriticalSection(&g_lock);
    g_latest = MOUSE_INFO{};
    g_latest.x = event.pt.x;
    g_latest.y = event.pt.y;
    g_latest.clickFlag = 1;
    g_latest.button = button;
    g_latest.shiftHeld = shift ? 1 : 0;
    g_latest.eventFlag = 1;
    g_latest.injectedFlag = (event.flags & LLMHF_INJECTED) ? 1 : 0;
    g_recorded = true;
    LeaveCriticalSection(&g_lock);
}

// true keeps the event from every window.
bool Handle(WPARAM message, const MSLLHOOKSTRUCT& event)
{
    const int button = ButtonOf(message);
    if (button == 0)
        return false;
    if (!IsPress(message)) {
        if (button != g_swallowedRelease)
            return false;
        g_swallowedRelease = 0;
        return true;
    }
    if (button == g_swallowedRelease)
        g_swallowedRelease = 0; // the release was missed: this press starts afresh
    const bool shift = (GetAsyncKeyState(VK_SHIFT) & 0x8000) != 0;
    if (g_mode == TREMLIN_CATCH && !shift)
        return false;
    Record(event, button, shift);
    PostMessageA(g_window, TREMLIN_MESSAGE, 0, 0);
    if (g_mode != TREMLIN_CATCH)
        return false;
    g_swallowedRelease = button;
    return true;
}

LRESULT CALLBACK MouseProc(int code, WPARAM message, LPARAM data)
{
    if (code == HC_ACTION && data && Handle(message, *reinterpret_cast<const MSLLHOOKSTRUCT*>(data)))
        return 1;
    return CallNextHookEx(g_hook, code, message, data);
}

} // namespace

TREMLIN_API int InstallTremlin(HWND window, int mode)
{
    if (!window || !IsWindow(window))
        return 0;
    DeInstallTremlin();
    EnterCriticalSection(&g_lock);
    g_window = window;
    g_mode = mode == TREMLIN_CATCH ? TREMLIN_CATCH : TREMLIN_WATCH;
    g_recorded = false;
    g_latest = MOUSE_INFO{};
    LeaveCriticalSection(&g_lock);
    g_hook = SetWindowsHookExA(WH_MOUSE_LL, MouseProc, g_module, 0);
    return g_hook ? 1 : 0;
}

TREMLIN_API int DeInstallTremlin()
{
    if (!g_hook)
        return 0;
    BOOL removed = UnhookWindowsHookEx(g_hook);
    g_hook = nullptr;
    return removed ? 1 : 0;
}

TREMLIN_API int GetMouseData(MOUSE_INFO* info)
{
    if (!info)
        return 0;
    EnterCriticalSection(&g_lock);
    const bool recorded = g_recorded;
    if (recorded) {
        *info = g_latest;
        g_latest.eventFlag = 0;
    }
    LeaveCriticalSection(&g_lock);
    return recorded ? 1 : 0;
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH) {
        g_module = instance;
        InitializeCriticalSection(&g_lock);
        DisableThreadLibraryCalls(instance);
    } else if (reason == DLL_PROCESS_DETACH) {
        DeleteCriticalSection(&g_lock);
    }
    return TRUE;
}
